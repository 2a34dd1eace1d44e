// The comparison of two files.
#include "MainWinFixture.h"

#include "app/dialogs/CompareWin.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "editor/text/LineStore.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {

std::unique_ptr<LineStore> Lines(const QByteArray& text) {
    auto lines = std::make_unique<LineStore>();
    lines->SetText(text);
    return lines;
}

TEST(CompareReportTest, PropertiesVerdictsAndLinesFromBothEnds) {
    const auto a = Lines("a\r\nb\r\nc");
    const auto b = Lines("x\r\nb\r\nc\r\nb\r\nc");
    const QStringList report =
        CompareReport(QStringLiteral("/w/one.HTM"), *a, QStringLiteral("/W/two.htm"), *b);
    const QStringList expected = {
        "Filegenskaper för fil 1:",
        "Filnamn: one.HTM",
        "Katalog: /w/",
        "Filtyp: .HTM",
        "Storlek: 9 B",
        "",
        "Filegenskaper för fil 2:",
        "Filnamn: two.htm",
        "Katalog: /W/",
        "Filtyp: .htm",
        "Storlek: 15 B",
        "",
        "Slutsats:",
        "Fil 1 och fil 2 har INTE samma filnamn.",
        "Fil 1 och fil 2 finns i samma katalog.",
        "Fil 1 och fil 2 är av samma filtyp.",
        "Fil 1 har MINDRE storlek än Fil 2.",
        "",
        "Radanalys:",
        "Rad 1 i Fil 1 är INTE likadan som Rad 1 i Fil 2",
        "Rad 2 i Fil 1 är likadan som Rad 2 i Fil 2",
        "Rad 3 i Fil 1 är likadan som Rad 3 i Fil 2",
        "",
        "Radanalys, baklänges:",
        "Rad 3 i Fil 1 är likadan som Rad 5 i Fil 2",
        "Rad 2 i Fil 1 är likadan som Rad 4 i Fil 2",
        "Rad 1 i Fil 1 är INTE likadan som Rad 3 i Fil 2",
    };
    EXPECT_EQ(report, expected);
}

TEST(CompareReportTest, LongerFirstFileIsNamedFirstBackwards) {
    const auto a = Lines("q\r\nA\r\nz");
    const auto b = Lines("a\r\nz");
    const QStringList report =
        CompareReport(QStringLiteral("/w/a.txt"), *a, QStringLiteral("/w/a.txt"), *b);
    EXPECT_TRUE(report.contains("Fil 1 och fil 2 har samma filnamn."));
    EXPECT_TRUE(report.contains("Fil 1 har STÖRRE storlek än Fil 2."));
    const QStringList tail = report.mid(report.indexOf("Radanalys, baklänges:") + 1);
    EXPECT_EQ(tail, (QStringList{"Rad 3 i Fil 1 är likadan som Rad 2 i Fil 2",
                                 "Rad 2 i Fil 1 är INTE likadan som Rad 1 i Fil 2"}));
}

class CompareTest : public MainWinTest {
protected:
    // Runs "Jämför dokument": `inWindow` works the compare window; message boxes are noted and
    // the prompt answers `prompt`.
    void Compare(const std::function<void(Tcompare*)>& inWindow) {
        Dialogs::ScopedModalHandler handler([&](QDialog* d) {
            if (auto* m = qobject_cast<TMessageBox*>(d)) {
                messages << m->Text();
                return int(Dialogs::mrOk);
            }
            if (auto* input = qobject_cast<TInternalFunctionInput*>(d)) {
                input->A->setText(prompt);
                return int(Dialogs::mrOk);
            }
            if (auto* c = dynamic_cast<Tcompare*>(d)) {
                ++windows;
                inWindow(c);
                return 1;
            }
            ADD_FAILURE() << "unexpected dialog";
            return 0;
        });
        ASSERT_TRUE(Run("ACompareFiles"));
    }

    QStringList messages;
    QString prompt;
    int windows = 0;
};

TEST_F(CompareTest, NeedsASavedUnchangedDocument) {
    const QString text =
        QStringLiteral("Det aktuella dokumenetet måste vara sparat till en fil och "
                       "oändrat för att det ska kunna jämföras.");
    ASSERT_TRUE(RunCommand([&] { win->NewDocTab(0, QStringLiteral("Nytt dokument")); }));
    Compare([](Tcompare*) {});
    Open(Make(QStringLiteral("mod.txt"), "a"));
    Type("x");
    Compare([](Tcompare*) {});
    EXPECT_EQ(windows, 0);
    EXPECT_EQ(messages, (QStringList{text, text}));
}

TEST_F(CompareTest, BadSecondPathReturnsToInputThenComparesAndCountsOccurrences) {
    Open(Make(QStringLiteral("one.txt"), "Ord ord\r\nb"));
    const QString other = Make(QStringLiteral("two.txt"), "ordet ORD\r\nb\r\nc");
    QString afterBadPath, report, selected;
    bool inputAfterBad = false, resultAfterGood = false;
    prompt = QStringLiteral("ord");
    Compare([&](Tcompare* c) {
        EXPECT_EQ(c->File1Edit->text(), QStringLiteral("Fil med aktuellt dokument"));
        c->File2Edit->setText(other + QStringLiteral("x"));
        c->CompareBtn->click();
        inputAfterBad = !c->InResultState();
        afterBadPath = c->File2Edit->text();
        c->File2Edit->setText(other);
        c->CompareBtn->click();
        resultAfterGood = c->InResultState();
        EXPECT_EQ(c->Right->toPlainText(), QStringLiteral("ordet ORD\nb\nc"));
        EXPECT_EQ(c->results->textCursor().position(), 0);
        c->OccurBtn->click();
        report = c->results->toPlainText();
        selected = c->results->textCursor().selectedText();
    });
    EXPECT_EQ(messages, QStringList{QStringLiteral("Det gick inte att öppna fil 2.")});
    EXPECT_TRUE(inputAfterBad);
    EXPECT_EQ(afterBadPath, other + QStringLiteral("x"));
    EXPECT_TRUE(resultAfterGood);
    EXPECT_TRUE(report.contains(QStringLiteral("Rad 2 i Fil 1 är likadan som Rad 2 i Fil 2\n")));
    const QString occurrences = QStringLiteral(
        "\nFörekomstanalys av \"ord\"\n"
        "Förekomster av sökt sträng, utan filter:\nFil 1: 2; Fil 2: 2;.\n"
        "Förekomster av sökt sträng som helt ord:\nFil 1: 2; Fil 2: 1;.\n"
        "Förekomster av sökt sträng med exakt skiftläge:\nFil 1: 1; Fil 2: 1;.\n"
        "Förekomster av sökt sträng som helt ord och med exakt skiftläge:\nFil 1: 1; Fil 2: 0;.");
    EXPECT_TRUE(report.endsWith(occurrences)) << report.toStdString();
    EXPECT_EQ(selected.replace(QChar(0x2029), QLatin1Char('\n')), occurrences);
}

} // namespace
