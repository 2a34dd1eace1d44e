#pragma once

#include "markup/paste/PasteFormats.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <optional>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class Tmain;

// "Klistra in som": a clip (the system clipboard or one of the clipboard history) and a paste
// format, with a preview of the result. "OK" closes with 1 once both are chosen, "Avbryt" with
// 2; the opener pastes ChosenText() in ChosenFormat().
class TpasteAs : public QDialog {
public:
    // `clipboard` is the system clipboard's text, none when it holds no text; `history` the
    // clipboard history, newest first.
    TpasteAs(Tmain& window, std::optional<QByteArray> clipboard, QList<QByteArray> history,
             QWidget* parent = nullptr);

    // A clip shows at most this many bytes in the preview.
    static constexpr qsizetype PreviewLimit = 64 * 1024;

    QListWidget* PasteData = nullptr;
    QListWidget* PasteFormat = nullptr;
    QPlainTextEdit* PreViewM = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // A click in either list: the preview, then "OK" enabled when a clip and a format are
    // chosen.
    void PreviewIt();
    // The clip text of a row of PasteData (CR LF breaks).
    QByteArray ClipText(int row) const;
    QString ChosenFormat() const;
    QByteArray ChosenText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PreView();

    Tmain& window_;
    std::optional<QByteArray> clipboard_;
    QList<QByteArray> history_;
    TPasteFormatsLibrary library_;
};
