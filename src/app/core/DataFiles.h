#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The texts last cut or copied, the newest first. Each entry is stored on one line of
// "ClipboardHistory.dat": a backslash as two backslashes and each CR LF as backslash and "n".
// A first line "\#v2" marks that form; a file without it is of the old form, in which only
// CR LF was escaped, and reads as it always did.
class TClipboardHistory {
public:
    static constexpr int MaxEntries = 25;
    // A text longer than this is not kept (it would be written to the file at every end).
    static constexpr qsizetype MaxEntryBytes = 256 * 1024;

    const QList<QByteArray>& Entries() const { return entries_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    // Puts a text at the top (an empty one too: an empty copy is a copy) and drops the
    // oldest above 25; false (nothing kept) for a text above the size limit.
    bool Add(const QByteArray& text);
    void Clear() { entries_.clear(); }

    static QByteArray EncodeEntry(const QByteArray& text);
    static QByteArray DecodeEntry(const QByteArray& line, bool oldForm);

    // Replaces the entries by the file's; false (and no entries) when it cannot be read.
    // Entries above the size limit are skipped, and entries after the 25th; an empty line is
    // an empty entry (in the old form it is skipped).
    bool Load(const QString& fileName, QString* error = nullptr);
    // Writes atomically: the old file stays whole when anything fails.
    bool Save(const QString& fileName, QString* error = nullptr) const;

private:
    QList<QByteArray> entries_;
};

// The data files beside the program's settings: the tags closed automatically, the document
// types of the wizards and the clipboard history. Loaded at start, written at the end, each
// with its own message when that fails.
class TDataFiles {
public:
    // The folder of the files; empty means the per-user data folder.
    explicit TDataFiles(QString folder = QString());

    QStringList AutoCloseTagsList;
    QStringList DocTypesList;
    TClipboardHistory ClipboardHistory;

    QString FilePath(const QString& name) const;

    using Report = std::function<void(const QString& message)>;
    // Loads the three files in order; a file that cannot be read is reported and its list
    // stays empty.
    void LoadAll(const Report& report);
    // "AutoCloseTags.dat", then "doctypes.dat". A list whose file was missing is written only
    // when it holds entries; a file that is there but could not be read is never written over.
    void SaveTagLists(const Report& report) const;
    void SaveClipboardHistory(const Report& report) const;

    // One entry per line (CR LF, LF or CR), blanks at the ends trimmed; empty lines and lines
    // with control characters are skipped.
    static bool LoadList(const QString& fileName, QStringList* list, QString* error = nullptr);
    // Every entry followed by CR LF, written atomically.
    static bool SaveList(const QString& fileName, const QStringList& list,
                         QString* error = nullptr);

private:
    // How a file fared at start.
    enum class TLoad { Loaded, Missing, Unreadable };
    static TLoad LoadState(bool loaded, const QString& fileName);
    // Whether the end may write a file that fared so.
    static bool MayWrite(TLoad load, bool hasEntries);

    QString folder_;
    TLoad autoCloseLoad_ = TLoad::Loaded, docTypesLoad_ = TLoad::Loaded,
          clipboardLoad_ = TLoad::Loaded;
};
