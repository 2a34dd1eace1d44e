#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLineEdit;
class QPushButton;
class TCaptionGroup;

// A byte count in groups of three digits separated by blanks, followed by " B".
QString SizeText(qint64 bytes);

// The document properties window "Egenskaper": name, folder, size and file type.
class Tproperties : public QDialog {
public:
    explicit Tproperties(QWidget* parent = nullptr);

    TCaptionGroup* Group = nullptr;
    QLineEdit* FileNameEdit = nullptr;
    QLineEdit* FolderEdit = nullptr;
    QLineEdit* SizeEdit = nullptr;
    QLineEdit* FileTypeEdit = nullptr;
    QPushButton* CloseBtn = nullptr;

    // The known extensions (without dot, lower case) and their descriptions, in pairs.
    QStringList FileTypeExtensions;
    QStringList FileTypeNames;

    // The "Filtyp:" text of an extension given with its dot ("" for none).
    QString FileTypeText(const QString& extensionWithDot) const;
    // Fills the fields for a document: its name (a path when it has a file) and text length.
    void Fill(const QString& fileName, bool hasFile, qint64 textLength);
};
