#pragma once

// A shown editor on the offscreen platform with helpers to set a small text, send keys in a
// compact notation and read the text back.
#include "editor/view/TextEditorEx.h"
#include "platform/KeyCodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ed = std::make_unique<TTextEditorEx>();
        ed->resize(400, 300);
        ed->show();
        QApplication::setActiveWindow(ed.get());
        ed->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ed.get()));
    }
    void TearDown() override { ed.reset(); }

    // Lines separated by '\n'; the caret goes to (x, y).
    void Set(const QByteArray& text, int x = 0, int y = 0) {
        QByteArray t = text;
        t.replace('\n', "\r\n");
        ed->SetText(t);
        ed->SelEnd.SetPosSilently(QPoint(0, 0));
        ed->Caret.SetPosAndNotify(QPoint(x, y));
    }

    std::string Text() const {
        QByteArray out;
        for (int i = 0; i < ed->Lines.Count(); ++i) {
            if (i)
                out.append('\n');
            out.append(ed->Lines.Get(i));
        }
        return out.toStdString();
    }

    QPoint CaretPos() const { return ed->Caret.GetPos(); }
    QPoint SelEndPos() const { return ed->SelEnd.GetPos(); }

    // Keys: plain characters are typed; <Name> is a key, with prefixes S- (Shift), C- (Ctrl)
    // and A- (Alt), e.g. "<S-C-Left>", "<BS>", "<Enter>". "<<" types a "<".
    void Keys(const QString& seq) {
        for (int i = 0; i < seq.size(); ++i) {
            if (seq[i] == QLatin1Char('<') && i + 1 < seq.size() &&
                seq[i + 1] != QLatin1Char('<')) {
                const int end = seq.indexOf(QLatin1Char('>'), i);
                QString name = seq.mid(i + 1, end - i - 1);
                i = end;
                Qt::KeyboardModifiers mods;
                while (name.size() > 2 && name[1] == QLatin1Char('-')) {
                    const QChar m = name[0];
                    mods |= m == QLatin1Char('S')   ? Qt::ShiftModifier
                            : m == QLatin1Char('C') ? Qt::ControlModifier
                                                    : Qt::AltModifier;
                    name = name.mid(2);
                }
                QTest::keyClick(ed.get(), KeyOf(name), mods);
                continue;
            }
            if (seq[i] == QLatin1Char('<'))
                ++i;
            Type(seq[i]);
        }
    }

    // One typed character (QTest's own helpers take ASCII only).
    void Type(QChar c) {
        if (c.unicode() < 128) {
            QTest::keyClick(ed.get(), c.toLatin1());
            return;
        }
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, ed.get(), key, QString(c), Qt::NoModifier);
    }

    static Qt::Key KeyOf(const QString& name) {
        static const std::pair<const char*, int> keys[] = {
            {"BS", KeyCode::Backspace},
            {"Del", KeyCode::Delete},
            {"Enter", KeyCode::Enter},
            {"Tab", KeyCode::Tab},
            {"Ins", KeyCode::Insert},
            {"Esc", KeyCode::Escape},
            {"Left", KeyCode::Left},
            {"Right", KeyCode::Right},
            {"Up", KeyCode::Up},
            {"Down", KeyCode::Down},
            {"Home", KeyCode::Home},
            {"End", KeyCode::End},
            {"PgUp", KeyCode::PageUp},
            {"PgDn", KeyCode::PageDown},
            {"Apps", KeyCode::Apps},
            {"Space", KeyCode::Space},
            {"V", 'V'},
            {"Less", KeyCode::LessGreater},
        };
        for (const auto& k : keys)
            if (name == QLatin1String(k.first))
                return KeyCode::ToQt(k.second);
        ADD_FAILURE() << "unknown key " << name.toStdString();
        return Qt::Key_unknown;
    }

    std::unique_ptr<TTextEditorEx> ed;
};
