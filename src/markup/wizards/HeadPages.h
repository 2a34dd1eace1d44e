#pragma once

#include "markup/wizards/WizardHead.h"

#include <QObject>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;
class TValueListEditor;

// The two head pages that the page and frameset wizards share: "Allmänt" (document type,
// title, language, XML declaration) and "META-information" (the NAME and HTTP-EQUIV tables).
class THeadPages : public QObject {
public:
    // The pages are made as children of `parent`; `doctypes` fills the document type list.
    THeadPages(QWidget* parent, const QStringList& doctypes);

    QWidget* General = nullptr;
    QWidget* Meta = nullptr;
    QComboBox* pDOCTYPE = nullptr;
    QLineEdit* pTITLE = nullptr;
    QComboBox* pLANG = nullptr;
    QCheckBox* pAddXMLHeader = nullptr;
    TValueListEditor* pMETANAME = nullptr;
    TValueListEditor* pMETAHTTP = nullptr;

    TPageHead Head() const;
    void SetHead(const TPageHead& head);

    // The rows of a table (none for the blank row of an empty one), and a table filled from
    // rows.
    static TKeyValueRows Rows(const TValueListEditor& table);
    static void SetRows(TValueListEditor* table, const TKeyValueRows& rows);
};
