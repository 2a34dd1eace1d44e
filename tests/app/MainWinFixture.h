#pragma once

#include "ScriptedBoxes.h"

#include "TestSupport.h"
#include "app/dialogs/MessageBox.h"
#include "app/dialogs/QuestionBox.h"
#include "app/mainwindow/MainWin.h"
#include "controls/TabControlEx.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QDir>
#include <QLabel>
#include <QSettings>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << l.join(", ").toStdString();
}

// A main window whose boxes and file dialogs answer from scripts and write down what they
// were asked.
class MainWinTest : public ::testing::Test {
protected:
    struct FileAnswer {
        QString path;   // empty: the dialog is cancelled
        int filter = 0; // 1-based filter chosen; 0 keeps the preselected one
    };

    void SetUp() override {
        static int serial = 0;
        dir = QDir(TestRootDir()).filePath(QStringLiteral("mainwin%1").arg(++serial));
        QDir().mkpath(dir);
        // The window reads and writes the whole store: every test starts with an empty one.
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tolvane"),
                  QStringLiteral("Kelvora"))
            .clear();
        modal = ScriptBoxes(seen, answers);
        files = std::make_unique<Dialogs::ScopedFileHandler>([this](Dialogs::FileRequest& r) {
            const QStringList filters = r.filter.split(QStringLiteral(";;"));
            requests << QStringLiteral("%1|%2|%3")
                            .arg(r.caption, QString::number(filters.indexOf(r.selectedFilter) + 1),
                                 r.fileName);
            lastFilters = filters;
            if (fileAnswers.empty()) {
                ADD_FAILURE() << "unexpected file dialog";
                return QStringList();
            }
            const FileAnswer a = fileAnswers.front();
            fileAnswers.pop_front();
            if (a.filter > 0)
                r.selectedFilter = filters.value(a.filter - 1);
            return a.path.isEmpty() ? QStringList() : QStringList{a.path};
        });
        win = std::make_unique<Tmain>();
    }

    void TearDown() override {
        EXPECT_TRUE(answers.empty()) << "questions left unasked";
        EXPECT_TRUE(fileAnswers.empty()) << "file dialogs left unrun";
        win.reset();
        files.reset();
        modal.reset();
    }

    QString File(const QString& name) const { return QDir(dir).filePath(name); }
    QString Make(const QString& name, const QByteArray& bytes) {
        const QString path = File(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    void Open(const QString& path) {
        ASSERT_TRUE(RunCommand([&] { win->NewDocTab(1, path); }));
    }
    void Type(const QByteArray& text) { win->CodeEditor->SetSelText(text); }
    QStringList Captions() const {
        QStringList out;
        for (int i = 0; i < win->FilesList->count(); ++i)
            out << win->FilesList->tabText(i);
        return out;
    }
    // The text of document i, wherever it is held.
    QByteArray TextOf(int i) const {
        return i == win->CurrentTab() ? win->CodeEditor->Text()
                                      : win->OpenFiles[static_cast<size_t>(i)].Lines->Text();
    }
    void Click(const QString& tab) {
        const int i = static_cast<int>(Captions().indexOf(tab));
        ASSERT_GE(i, 0) << tab.toStdString();
        win->FilesList->setCurrentIndex(i); // as a mouse click does, with the change signal
    }
    bool Run(const char* action) {
        QAction* a = win->Action(QLatin1String(action));
        if (!a) {
            ADD_FAILURE() << "no action " << action;
            return false;
        }
        a->trigger();
        return true;
    }

    QString dir;
    std::deque<int> answers;
    std::deque<FileAnswer> fileAnswers;
    QStringList seen;
    QStringList requests;
    QStringList lastFilters;
    std::unique_ptr<Dialogs::ScopedModalHandler> modal;
    std::unique_ptr<Dialogs::ScopedFileHandler> files;
    std::unique_ptr<Tmain> win;
};
