#pragma once

#include <QByteArrayList>
#include <QDialog>
#include <QString>

class QLabel;
class QListWidget;
class QPushButton;
class Tmain;

// The class picker "Stilmallsgrupper": the class names of the current document (its STYLE
// blocks, then the style sheets it links), several of which can be chosen.
class TCSSGROUPS : public QDialog {
public:
    explicit TCSSGROUPS(Tmain& window);

    QListWidget* GROUPS;
    QLabel* lblnl; // names found in the document
    QLabel* lblne; // names found in linked files
    QPushButton* btnOk;
    QPushButton* btnCancel;

    // The chosen names in list order, separated by single blanks (set by "&Välj").
    QString SelectedCSSGroups;

    // The class names of the window's current document. The document is scanned once per
    // change of its text; linked style sheets are read each time. With a picker, its two
    // counters count what was found where. A missing or unreadable linked file is reported
    // through the window; a URL is skipped without a word.
    static QByteArrayList AssembleGroups(Tmain& window, TCSSGROUPS* dialog);
    // The class names of one linked style sheet; a relative path is looked up beside the
    // current document first. Only regular files below a size limit are read.
    static QByteArrayList ScanExternalFile(Tmain& window, TCSSGROUPS* dialog, const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SelectGroup();
    void Count(QLabel* counter, int more);

    Tmain& w_;
};
