#pragma once

#include <QWidget>

class QAction;
class QMenu;
class TFormattingProcessor;
class TRuler;
class TTextEditorEx;
class Tmain;

// The text editor of a markup dialog (the snippet and script editors): the program's editor
// with its own ruler, dressed like the main editor, and its context menu "&Ångra", "&Klipp
// ut", "K&opiera", "K&listra in", "&Ta bort", "&Markera allt" with their keys. With Ctrl, Alt
// and Shift held, 1 and 2 flip the main window's automatic character coding and automatic
// indentation, and every such key dresses the editor anew. Esc closes the editor's dialog.
class TDialogEditor : public QWidget {
public:
    enum class TColouring { HTML, JavaScript };

    TDialogEditor(Tmain& window, TColouring colouring, QWidget* parent = nullptr);

    TTextEditorEx* Editor = nullptr;
    TRuler* Ruler = nullptr;
    TFormattingProcessor* Processor = nullptr;

    QMenu* Popup = nullptr;
    QAction* UndoItem = nullptr;
    QAction* CutItem = nullptr;
    QAction* CopyItem = nullptr;
    QAction* PasteItem = nullptr;
    QAction* DeleteItem = nullptr;
    QAction* SelectAllItem = nullptr;

    // Takes the main editor's settings, font, spacing, colours and ruler look.
    void TakeOverMainLook();
    // The enabled states of the context menu's items.
    void UpdatePopup();

    // Flips the main window's automatic character coding ("ChSettA") or automatic
    // indentation ("ChSettB") through its quick toggle.
    static void ToggleMainSetting(Tmain& window, const QString& toggle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Tmain& window_;
    TColouring colouring_;
};
