#pragma once

#include <QWidget>

class TTextEditorEx;

// The line-number ruler beside an editor. The editor places it against its left edge and
// asks it to repaint its numbers when the view scrolls.
class TRuler : public QWidget {
public:
    explicit TRuler(QWidget* parent = nullptr);

    TTextEditorEx* TextEditorEx = nullptr;

    // Repaints the line numbers (quickly while the editor's RulerFastMode is on).
    virtual void RepaintNumbers();
};
