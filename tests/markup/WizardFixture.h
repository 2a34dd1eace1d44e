#pragma once

// A main window with the markup tools whose previews record what they were asked to show,
// and helpers to reach into the wizards while they are up.
#include "ByteLines.h"
#include "MarkupFixture.h"
#include "app/PreviewTestDoubles.h"
#include "markup/common/PrivatePreview.h"
#include "subroutines/SubroutinesInstall.h"

#include "app/mainwindow/Extensions.h"

#include <QApplication>
#include <QStatusBar>

class WizardWinTest : public MarkupWinTest {
protected:
    // The wizards run the after-wizard event and the HTML-ground subroutine.
    void SetUp() override {
        InstallSubroutines();
        MarkupWinTest::SetUp();
        win->MakePreviewBrowser = [] { return std::make_unique<TRecordingPreviewBrowser>(); };
    }
    void TearDown() override {
        MarkupWinTest::TearDown();
        Extensions::Remove(QStringLiteral("subroutines"));
    }

    // The recording browser of a window's preview.
    static TRecordingPreviewBrowser* BrowserOf(TPrivatePreview* preview) {
        return preview ? dynamic_cast<TRecordingPreviewBrowser*>(preview->Browser()) : nullptr;
    }

    // The visible top-level dialogs of a class.
    template <typename T> static int VisibleDialogs() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (dynamic_cast<T*>(w) && w->isVisible())
                ++n;
        return n;
    }

    // The editor's lines.
    QByteArrayList Lines() const {
        QByteArrayList out;
        for (int i = 0; i < win->CodeEditor->Lines.Count(); ++i)
            out << win->CodeEditor->Lines.Get(i);
        return out;
    }
    // The caret's line.
    int CaretLine() const {
        return win->CodeEditor->Lines.LineAtOffset(win->CodeEditor->GetSelStart());
    }

    QString StatusText() const { return win->statusBar()->currentMessage(); }
};
