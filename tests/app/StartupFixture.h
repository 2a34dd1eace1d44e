#pragma once

#include "ScriptedBoxes.h"

#include "TestSupport.h"
#include "app/core/Program.h"
#include "app/core/SettingsStore.h"
#include "app/dialogs/MessageBox.h"
#include "app/dialogs/QuestionBox.h"
#include "app/dialogs/WelcomeWin.h"
#include "app/mainwindow/MainWin.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

// Start and shut-down against the program's own stores, emptied before every test. Boxes and
// file dialogs answer from scripts and write down what they were asked.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        dir = QDir(TestRootDir()).filePath(QStringLiteral("startup%1").arg(++serial));
        QDir().mkpath(dir);
        for (const auto& store : {OpenKelvoraStore(), OpenMervantaStore()}) {
            store->clear();
            store->sync();
            QFile::remove(store->fileName());
        }
        SetHintsShown(true);
        // The welcome window of a first run is written down as "W:" and its button's text.
        modal = ScriptBoxes(seen, answers, [this](QDialog* d) {
            auto* welcome = qobject_cast<Twelcome*>(d);
            if (!welcome)
                return -1;
            seen << QStringLiteral("W:") + welcome->btnStartECNow->text();
            return int(Dialogs::mrOk);
        });
        files = std::make_unique<Dialogs::ScopedFileHandler>([this](Dialogs::FileRequest& r) {
            requests << r.caption + QLatin1Char('|') + r.fileName;
            if (fileAnswers.empty()) {
                ADD_FAILURE() << "unexpected file dialog";
                return QStringList();
            }
            const QString a = fileAnswers.front();
            fileAnswers.pop_front();
            return a.isEmpty() ? QStringList() : QStringList{a};
        });
    }

    void TearDown() override {
        EXPECT_TRUE(answers.empty()) << "questions left unasked";
        EXPECT_TRUE(fileAnswers.empty()) << "file dialogs left unrun";
        win.reset();
        files.reset();
        modal.reset();
        SetHintsShown(true);
    }

    QString File(const QString& name) const { return QDir(dir).filePath(name); }
    QString Make(const QString& name, const QByteArray& bytes) const {
        const QString path = File(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    // A value of the Settings group as the next start would find it; invalid when missing.
    static QVariant Stored(const QString& name) {
        return OpenKelvoraStore()->value(kSettingsGroup + QLatin1Char('/') + name);
    }
    static void Store(const QString& name, const QVariant& value) {
        const auto store = OpenKelvoraStore();
        store->setValue(kSettingsGroup + QLatin1Char('/') + name, value);
        store->sync();
    }

    QString dir;
    std::deque<int> answers;
    std::deque<QString> fileAnswers;
    QStringList seen;
    QStringList requests;
    std::unique_ptr<Dialogs::ScopedModalHandler> modal;
    std::unique_ptr<Dialogs::ScopedFileHandler> files;
    std::unique_ptr<Tmain> win;
};
