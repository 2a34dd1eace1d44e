#pragma once

#include "editor/colouring/FormattingProcessor.h"

#include <QHash>
#include <QStringList>
#include <optional>

// Colours the words of keyword groups that the user defines: each group has a word list, a
// colour and bold, italic and underline flags, added to the editor font's style. A word here
// is a run of ASCII and Latin-1 letters and the underscore; the first group (by index) that
// holds the word in any letter case decides.
class TCustomFormattingProcessor : public TFormattingProcessor {
public:
    explicit TCustomFormattingProcessor(QObject* owner = nullptr) : TFormattingProcessor(owner) {}

    // The colour the getter gives for a group that has none.
    static constexpr TColor NoColor = 0x1FFFFFFF;

    // Setters grow their array to Index + 1 when needed; negative indices are ignored.
    void SetGroupColor(int Index, TColor Value);
    void SetGroupBold(int Index, bool Value);
    void SetGroupItalic(int Index, bool Value);
    void SetGroupUnderline(int Index, bool Value);
    void SetGroupKeywords(int Index, const QStringList& Words);

    TColor GetGroupColor(int Index) const;
    bool GetGroupBold(int Index) const;
    bool GetGroupItalic(int Index) const;
    bool GetGroupUnderline(int Index) const;
    QStringList GetGroupKeywords(int Index) const;

    int GroupCount() const { return static_cast<int>(keywords_.size()); }
    int HighGroup() const { return GroupCount() - 1; }
    // Sets the number of groups to N + 1; the colour and flag arrays keep their length.
    void SetHighGroup(int N);

    // Nothing to copy: the groups come from the settings.
    void Assign(const TCustomFormattingProcessor&) {}

    void FormatChar(char Ch, const QPoint& Pos, bool JustTyped, TCharFormat& Format) override;
    void FormatLine(int line, int first, int count, int justTypedColumn,
                    std::vector<TCharFormat>& out) override;

    static bool IsCustomWordChar(unsigned char ch);

private:
    // The index of the first group holding the word, or -1.
    int GroupOf(const char* s, int n) const;
    // The format of a word of the group.
    TCharFormat GroupFormat(const TCharFormat& base, int group) const;
    void WordsChanged() { lookupValid_ = false; }

    std::vector<TColor> colors_;
    std::vector<bool> bold_, italic_, underline_;
    std::vector<std::optional<QStringList>> keywords_;

    // Lower-case Windows-1252 word to the first group holding it, rebuilt after changes.
    mutable QHash<QByteArray, int> lookup_;
    mutable bool lookupValid_ = false;
};
