#include "MainWinFixture.h"
#include "app/commands/InsertShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace {

constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

} // namespace

TEST(InsertKeys, PhysicalKeysGiveTheirCommand) {
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        quint32 scanCode;
        const char* action; // empty: none
    } cases[] = {
        // Without a scan code the shifted symbols of English and Nordic layouts count.
        {Qt::Key_Exclam, kCtrlShift, 0, "IInsertHeading1"},
        {Qt::Key_At, kCtrlShift, 0, "IInsertHeading2"},
        {Qt::Key_QuoteDbl, kCtrlShift, 0, "IInsertHeading2"},
        {Qt::Key_NumberSign, kCtrlShift, 0, "IInsertHeading3"},
        {Qt::Key_currency, kCtrlShift, 0, "IInsertHeading4"},
        {Qt::Key_Percent, kCtrlShift, 0, "IInsertHeading5"},
        {Qt::Key_Ampersand, kCtrlShift, 0, "IInsertHeading6"},
        {Qt::Key_AsciiCircum, kCtrlShift, 0, "IInsertHeading6"},
        // A scan code decides: the "2" key whatever it gives, but not Shift+' of an English
        // layout, which also gives '"'.
        {Qt::Key_QuoteDbl, kCtrlShift, 11, "IInsertHeading2"},
        {Qt::Key_QuoteDbl, kCtrlShift, 48, ""},
        {Qt::Key_7, kCtrlShift, 16, ""},
        // Non-Latin layouts: the U and Space keys by their place.
        {0x0413, kCtrlShift, 30, "IInsertRaised"},
        {Qt::Key_U, kCtrlShift, 0, "IInsertRaised"},
        {Qt::Key_Space, Qt::ControlModifier, 65, "IInsertSpace"},
        {Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier, 65, ""},
        // Enter, which the editor keeps for itself, and the keypad's Enter.
        {Qt::Key_Return, Qt::AltModifier, 36, "IInsertParaP"},
        {Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier, 0, "IInsertParaD"},
        {Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier, 104, "IInsertBreakB"},
        {Qt::Key_Return, Qt::NoModifier, 36, ""},
        {Qt::Key_Return, Qt::ShiftModifier | Qt::AltModifier, 36, ""},
        {Qt::Key_Exclam, Qt::ShiftModifier, 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InsertShortcuts::MatchPhysicalShortcut(c.key, c.mods, c.scanCode),
                  QLatin1String(c.action))
            << c.key << " " << c.scanCode;
}

TEST_F(MainWinTest, InsertShortcutsFireTheirCommandOnce) {
    win->TagCase = 2;
    win->BoldTagName = QStringLiteral("STRONG");
    win->ItalicTagName = QStringLiteral("EM");
    win->show();
    QApplication::setActiveWindow(win.get());
    win->CodeEditor->setFocus();
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        const char* written;
    } cases[] = {
        {Qt::Key_B, Qt::ControlModifier, "<strong></strong>"},
        {Qt::Key_K, Qt::ControlModifier, "<em></em>"},
        {Qt::Key_U, Qt::ControlModifier, "<u></u>"},
        {Qt::Key_U, kCtrlShift, "<sup></sup>"},
        {Qt::Key_L, kCtrlShift, "<sub></sub>"},
        {Qt::Key_E, Qt::ControlModifier, "<!--  -->"},
        {Qt::Key_Space, Qt::ControlModifier, "&nbsp;"},
        {Qt::Key_Return, Qt::AltModifier, "<p></p>"},
        {Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier, "<div></div>"},
        {Qt::Key_Return, Qt::ControlModifier, "<br />"},
        {Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier, "<br />"},
        {Qt::Key_1, kCtrlShift, "<h1></h1>"},
        {Qt::Key_Exclam, kCtrlShift, "<h1></h1>"},
        {Qt::Key_QuoteDbl, kCtrlShift, "<h2></h2>"},
        {Qt::Key_NumberSign, kCtrlShift, "<h3></h3>"},
        {Qt::Key_6, kCtrlShift, "<h6></h6>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        win->CodeEditor->SetText(QByteArray());
        QTest::keyClick(win->CodeEditor, static_cast<Qt::Key>(c.key), c.mods);
        EXPECT_EQ(win->CodeEditor->Text(), QByteArray(c.written) + "\r\n");
    }

    // A key press that reports its place: the "3" key with a Nordic layout's symbol.
    win->CodeEditor->SetText(QByteArray());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_NumberSign, kCtrlShift, 12, 0, 0);
    QApplication::sendEvent(win->CodeEditor, &press);
    EXPECT_EQ(win->CodeEditor->Text(), "<h3></h3>\r\n");
    // Shift+' of an English layout stays a key of the editor.
    win->CodeEditor->SetText(QByteArray());
    QKeyEvent quote(QEvent::KeyPress, Qt::Key_QuoteDbl, kCtrlShift, 48, 0, 0);
    QApplication::sendEvent(win->CodeEditor, &quote);
    EXPECT_EQ(win->CodeEditor->Text().indexOf("<h2>"), -1);
}
