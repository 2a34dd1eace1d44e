#include "subroutines/SubroutineLines.h"
#include "editor/model/EditorModel.h"
#include "platform/Cp1252.h"

#include <QElapsedTimer>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Lines = std::vector<QByteArray>;

// The main window as the placeholders see it.
class FakeContext : public TSubroutineContext {
public:
    TEditorModel editor;
    TSubroutineDocument document{QStringLiteral("/tmp/försök.htm"), true, false};
    int tagCase = 1;
    QStringList answers;   // the prompt's answers, in order
    QStringList questions; // the questions asked
    QDateTime now{QDate(2026, 12, 9), QTime(8, 5, 3)};
    char decimal = '.';
    char time = ':';

    TEditorModel& Editor() override { return editor; }
    TSubroutineDocument CurrentDocument() const override { return document; }
    int TagCase() const override { return tagCase; }
    QString Input(const QString& question) override {
        questions << question;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QDateTime Now() const override { return now; }
    char DecimalSeparator() const override { return decimal; }
    char TimeSeparator() const override { return time; }

    void Fill(const Lines& lines) {
        editor.Lines.Replace(0, editor.Lines.Count(), lines);
        editor.UpdateView();
    }
    // Selects `length` characters from the linear offset `start`.
    void Select(int start, int length) {
        editor.SetSelStart(start);
        editor.SetSelLength(length);
    }
};

constexpr const char* Skipped = "<skipped>";

class SubroutineLines : public ::testing::Test {
protected:
    FakeContext context;
    TSubroutineRunState run;
    TSubroutineLineProcessor processor{context, run};

    // The statement the line becomes, or Skipped.
    QByteArray Expand(const QByteArray& line, int lineIndex = 0) {
        QByteArray statement;
        return processor.Process(line, lineIndex, &statement) ? statement : QByteArray(Skipped);
    }
    // The whole error text, or "" when the line has no error.
    QString ErrorOf(const QByteArray& line, int lineIndex = 0) {
        try {
            Expand(line, lineIndex);
        } catch (const ESubroutineError& e) {
            EXPECT_EQ(e.LineIndex(), lineIndex);
            EXPECT_EQ(QString::fromUtf8(e.what()), e.Text());
            return e.Text();
        }
        return QString();
    }
    static QString Rad1(const char* message) {
        return QStringLiteral("Fel i subrutin på rad 1: ") + QString::fromUtf8(message);
    }
};

struct ExpandCase {
    const char* line;
    const char* expected;
};

void ExpectAll(const std::vector<ExpandCase>& cases,
               const std::function<QByteArray(const QByteArray&)>& expand) {
    for (const ExpandCase& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(expand(QByteArray(c.line)), QByteArray(c.expected));
    }
}

// --- comments, trimming and skipped lines -----------------------------------------------------

TEST_F(SubroutineLines, CommentsTrimAndSkips) {
    run.Variables.Assign("slash", "//");
    run.Variables.Assign("empty", "");
    ExpectAll(
        {
            {"// [undefined]", Skipped},
            {"//", Skipped},
            {"  // ok", Skipped},
            {"[slash] beep", Skipped},
            {"", Skipped},
            {"x", Skipped},
            {"   x", Skipped},
            {"[empty]", Skipped},
            {"repeat 5", Skipped},
            {" \trepeat", Skipped},
            {"repeater", Skipped},
            {"ab", "ab"},
            {" \t write x \t", "write x \t"},
            {"write // no comment", "write // no comment"},
        },
        [this](const QByteArray& l) { return Expand(l); });
    // An indented comment is expanded first.
    TSubroutineRunState fresh;
    TSubroutineLineProcessor other(context, fresh);
    QByteArray statement;
    try {
        other.Process("  // [x]", 0, &statement);
        ADD_FAILURE() << "no error";
    } catch (const ESubroutineError& e) {
        EXPECT_EQ(e.Text(), Rad1("Variabeln \"x\" finns inte."));
    }
}

// --- built-in placeholders --------------------------------------------------------------------

TEST_F(SubroutineLines, EveryPlaceholder) {
    context.Fill({"<HTML><TITLE>Min sida</TITLE>", "abc def abc", "Abc"});
    context.Select(35, 3); // "def" on line 2
    run.PassCounter = 4;
    ExpectAll(
        {
            {"write [CharacterIndex]", "write 36"},
            {"write [LineIndex]", "write 2"},
            {"write [CharacterCount]", "write 49"},
            {"write [LineCount]", "write 3"},
            {"write [FileName]", "write /tmp/f\xf6rs\xf6k.htm"},
            {"write [ExistingFile]", "write True"},
            {"write [FileModified]", "write False"},
            {"write [SelectedText]", "write def"},
            {"write [SelectionLength]", "write 3"},
            {"write [Pi]", "write 3.14159265358979"},
            {"write [C]", "write 4"},
            {"write [HTMLTitle]", "write Min sida"},
            // Adjacent, repeated and inside other text.
            {"write [LineIndex][LineCount]", "write 23"},
            {"write [C]-[C]-[C]", "write 4-4-4"},
            {"write ([SelectedText])", "write (def)"},
        },
        [this](const QByteArray& l) { return Expand(l); });

    context.document = {QString(), false, true};
    context.decimal = ',';
    ExpectAll(
        {
            {"write [FileName].", "write ."},
            {"write [ExistingFile] [FileModified]", "write False True"},
            {"write [Pi]", "write 3,14159265358979"},
        },
        [this](const QByteArray& l) { return Expand(l); });
}

TEST_F(SubroutineLines, PlaceholdersAreCaseSensitiveAndOthersAreVariables) {
    EXPECT_EQ(ErrorOf("write [pi]"), Rad1("Variabeln \"pi\" finns inte."));
    EXPECT_EQ(ErrorOf("write [PI]"), Rad1("Variabeln \"PI\" finns inte."));
    run.Variables.Assign("pi", "paj");
    EXPECT_EQ(Expand("write [pi] [Pi]"), "write paj 3.14159265358979");
}

TEST_F(SubroutineLines, PlaceholderValuesMeetTheLaterSteps) {
    context.Fill({"x"});
    // The selected text is replaced before [Pi] and after [LineIndex]: what it holds of a
    // later placeholder is expanded, of an earlier one it is a variable reference.
    context.Fill({"[Pi]"});
    context.Select(0, 4);
    EXPECT_EQ(Expand("write [SelectedText]"), "write 3.14159265358979");
    context.Fill({"[LineIndex]{Chr(65)}"});
    context.Select(0, 20);
    EXPECT_EQ(ErrorOf("write [SelectedText]"), Rad1("Variabeln \"LineIndex\" finns inte."));
    // Selected text across lines keeps its line break.
    context.Fill({"ab", "cd"});
    context.Select(1, 4);
    EXPECT_EQ(Expand("write <[SelectedText]>"), "write <b\r\nc>");
    // A selection holding a function call is expanded by the function step.
    context.Fill({"{Chr(66)}"});
    context.Select(0, 9);
    EXPECT_EQ(Expand("write [SelectedText]"), "write B");
}

TEST_F(SubroutineLines, HTMLTitle) {
    const struct {
        Lines text;
        const char* title;
    } cases[] = {
        {{"<TITLE>Start</TITLE>"}, "Start"},
        {{"<title>x</title>"}, ""},
        {{"<TITLE></TITLE>"}, ""},
        {{"<HEAD><TITLE>Rad ett", "rad tv\xe5</TITLE>"}, "Rad ett\r\nrad tv\xe5"},
        {{"</TITLE> <TITLE>bakl\xe4nges"}, ""},
        {{"no start tag at all</TITLE>"}, ""},
        {{"<TITLE>no end tag"}, ""},
        {{"<TITLE>one</TITLE><TITLE>two</TITLE>"}, "one"},
        {{""}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.front().toStdString());
        context.Fill(c.text);
        EXPECT_EQ(Expand("write <[HTMLTitle]>"), QByteArray("write <") + c.title + ">");
    }
}

// --- variables --------------------------------------------------------------------------------

TEST_F(SubroutineLines, Variables) {
    run.Variables.Assign("a", "1");
    run.Variables.Assign("b", "[a]+[a]");
    run.Variables.Assign("a", "2"); // never reached
    run.Variables.Assign("with blank", "ok");
    run.Variables.Assign("", "nothing");
    run.Variables.Assign("x", "[");
    run.Variables.Assign("\xe5", "\xe4");
    ExpectAll(
        {
            {"write [a]", "write 1"},
            {"write [a][a] [a]", "write 11 1"},
            {"write [b]", "write 1+1"},
            {"write [b][a]", "write 1+11"},
            {"write [with blank]", "write ok"},
            {"write []", "write nothing"},
            {"write [x]a]", "write 1"},
            {"write [a] ] [a]", "write 1 ] 1"},
            {"write [\xe5]", "write \xe4"},
            {"  [a]", Skipped},
            {"write [LineCount]/[a]", "write 1/1"},
        },
        [this](const QByteArray& l) { return Expand(l); });
}

TEST_F(SubroutineLines, VariableErrors) {
    const struct {
        const char* line;
        const char* message;
    } withoutVariables[] = {
        {"write [x]", "Variabeln \"x\" finns inte."},
        {"write [x", "Variabeln \"\" finns inte."},
        {"write ]x[", "Variabeln \"\" finns inte."},
        {"write [Pi] [", "Variabeln \"\" finns inte."},
    };
    for (const auto& c : withoutVariables) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ErrorOf(c.line), Rad1(c.message));
    }
    run.Variables.Assign("a", "1");
    run.Variables.Assign("close", "]x");
    run.Variables.Assign("kviv", "KVIV_b = injected");
    const struct {
        const char* line;
        const char* message;
    } withVariables[] = {
        {"write [a", "Oavslutad platshållare för variabel."},
        {"write ]a[", "Oavslutad platshållare för variabel."},
        {"write [close] [a]", "Oavslutad platshållare för variabel."},
        {"write [A]", "Variabeln \"A\" finns inte."},
        {"write [a ]", "Variabeln \"a \" finns inte."},
        // Another variable's value never answers for a name.
        {"write [b]", "Variabeln \"b\" finns inte."},
        {"write [a][[a]]", "Variabeln \"1\" finns inte."},
    };
    for (const auto& c : withVariables) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ErrorOf(c.line), Rad1(c.message));
    }
    EXPECT_EQ(ErrorOf("write [nope]", 41),
              QStringLiteral("Fel i subrutin på rad 42: Variabeln \"nope\" finns inte."));
}

TEST_F(SubroutineLines, SelfReferringVariablesEndWithAnError) {
    run.Variables.Assign("a", "[a]");
    run.Variables.Assign("b", "[c]");
    run.Variables.Assign("c", "x[b]");
    run.Variables.Assign("d", "[d][d]");
    processor.SetLimits(1000, 1 << 16);
    EXPECT_EQ(ErrorOf("write [a]"), Rad1("Variabeln \"a\" hänvisar till sig själv."));
    EXPECT_EQ(ErrorOf("write [b]"), Rad1("Variabeln \"b\" hänvisar till sig själv."));
    EXPECT_EQ(ErrorOf("write [d]"), Rad1("Raden blir för lång."));
}

// A second of the program's own time; the sanitizer build runs several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 kOneSecond = 5000;
#else
constexpr qint64 kOneSecond = 1000;
#endif

// With the bounds the program runs with, a line that keeps doubling ends at a few megabytes,
// long before it could take the memory or the time of the machine.
TEST_F(SubroutineLines, ADoublingVariableEndsWithinASecond) {
    const struct {
        const char* name;
        const char* value;
        const char* message;
    } cases[] = {
        {"d", "[d][d]", "Raden blir för lång."},
        {"e", "[e][e][e][e][e][e][e][e]", "Raden blir för lång."},
        {"g", "x[g]", "Variabeln \"g\" hänvisar till sig själv."},
        {"h", "[h]xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
         "Variabeln \"h\" hänvisar till sig själv."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        run.Variables.Assign(c.name, c.value);
        QElapsedTimer took;
        took.start();
        EXPECT_EQ(ErrorOf(QByteArray("write [") + c.name + "]"), Rad1(c.message));
        EXPECT_LT(took.elapsed(), kOneSecond);
    }
    // A long value in its own right is no runaway.
    run.Variables.Assign("s", QByteArray(6 << 20, 'x'));
    EXPECT_EQ(Expand("write [s]-[s]").size(), 6 + 2 * (6 << 20) + 1);
}

TEST_F(SubroutineLines, VariablesLastForTheRun) {
    // What a run's var statements do between lines: the first value assigned stays.
    EXPECT_EQ(ErrorOf("write [n]"), Rad1("Variabeln \"n\" finns inte."));
    run.Variables.Assign("n", "1");
    EXPECT_EQ(Expand("write [n]", 1), "write 1");
    run.Variables.Assign("n", "2");
    run.Variables.Assign("m", "[n]0");
    EXPECT_EQ(Expand("write [n] [m]", 2), "write 1 10");
    run.PassCounter = 2;
    EXPECT_EQ(Expand("write [m][C]", 0), "write 102");
    EXPECT_EQ(run.Variables.Count(), 3);
}

TEST_F(SubroutineLines, LongLinesExpandWhole) {
    run.Variables.Assign("a", "xy");
    QByteArray line = "write ";
    QByteArray expected = "write ";
    for (int i = 0; i < 200000; ++i) {
        line += "[a][C]";
        expected += "xy1";
    }
    EXPECT_EQ(Expand(line), expected);
    EXPECT_EQ(ErrorOf(line + "{Chr(65"), Rad1("Oavslutad platshållare för argument."));
}

// --- functions --------------------------------------------------------------------------------

TEST_F(SubroutineLines, Functions) {
    context.Fill({"abc Abc abcd abc ABC"});
    context.tagCase = 1;
    ExpectAll(
        {
            {"write {ToLowerCase(\xc5Ke \xc9)}", "write \xe5ke \xe9"},
            {"write {ToUpperCase(\xe5ke \xe9)}", "write \xc5KE \xc9"},
            {"write {Chr(65)}", "write A"},
            {"write {Chr(321)}", "write A"},
            {"write {Chr(-191)}", "write A"},
            {"write {Chr( 66)}", "write B"},
            {"write {Chr(+67)}", "write C"},
            {"write {Chr(229)}", "write \xe5"},
            {"write {Occurrences3(abc)}", "write 2"},
            {"write {Occurrences1(abc)}", "write 3"},
            {"write {Occurrences2(abc)}", "write 4"},
            {"write {Occurrences(abc)}", "write 5"},
            {"write {Occurrences()}", "write 0"},
            {"write {Occurrences(abc)} {Occurrences3(abc)}", "write 5 2"},
            {"write {IsPositive(5)} {IsZero(5)} {IsNegative(5)}", "write True False False"},
            {"write {IsPositive(0)} {IsZero(0)} {IsNegative(0)}", "write False True False"},
            {"write {IsPositive(-3)} {IsZero(-3)} {IsNegative(-3)}", "write False False True"},
            {"write {IsEmpty()} {IsZero( 0)}", "write True True"},
            {"write {IsEmpty( )}", "write False"},
            {"write <{TrimLeft( \t a \t)}>", "write <a \t>"},
            {"write <{TrimRight( \t a \t)}>", "write < \t a>"},
            {"write <{TrimLeft(\xa0x)}>", "write <\xa0x>"},
            {"write {FCC(Div Span)}", "write DIV SPAN"},
            {"if {IsZero(0)}: beep", "if True: beep"},
        },
        [this](const QByteArray& l) { return Expand(l); });
    context.tagCase = 2;
    EXPECT_EQ(Expand("write {FCC(Div \xc5)}"), "write div \xe5");
    context.tagCase = 0;
    EXPECT_EQ(Expand("write {FCC(Div \xc5)}"), "write Div \xc5");
}

TEST_F(SubroutineLines, FunctionPlaceholders) {
    run.Variables.Assign("n", "3");
    ExpectAll(
        {
            // Text between ")" and "}" belongs to the placeholder.
            {"write {Chr(65)xyz}!", "write A!"},
            // The same placeholder everywhere, another argument never.
            {"write {Chr(65)}{Chr(65)}", "write AA"},
            {"write {Chr(65)} {Chr(66)}", "write A {Chr(66)}"},
            {"write {Date(1)} {Date(2)}", "write 2026-12-09 {Date(2)}"},
            // Adjacent different functions.
            {"write {ToUpperCase(a)}{ToLowerCase(B)}{Chr(67)}", "write AbC"},
            // Case-sensitive names: others stay as text.
            {"write {chr(65)} {CHR(65)}", "write {chr(65)} {CHR(65)}"},
            // Variables and placeholders are expanded first.
            {"write {Calc([n]*2)}", "write 6"},
            {"write {Calc([LineCount]+[n])}", "write 4"},
            // A function whose argument holds a later function's placeholder.
            {"write {ToUpperCase({calc(1)})}", "write {CALC(1)}"},
            {"{Chr(119)}rite x", "write x"},
        },
        [this](const QByteArray& l) {
            try {
                return Expand(l);
            } catch (const ESubroutineError& e) {
                return e.Text().toUtf8();
            }
        });
}

TEST_F(SubroutineLines, FunctionErrors) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"write {Chr 65}", "Argument för funktion saknas."},
        {"write {Chr(65}", "Oavslutad platshållare för argument."},
        {"write {Chr(65)", "Oavslutad platshållare för funktion."},
        {"write {Chr)(65)", "Oavslutad platshållare för funktion."},
        {"write {IsEmpty()", "Oavslutad platshållare för funktion."},
        {"write } {Chr(65)", "Oavslutad platshållare för funktion."},
        {"write {Chr(x)}", "Ogiltigt byte (0..255)."},
        {"write {Chr()}", "Ogiltigt byte (0..255)."},
        {"write {Chr(66 )}", "Ogiltigt byte (0..255)."},
        {"write {Chr(99999999999)}", "Ogiltigt byte (0..255)."},
        {"write {IsPositive(1.5)}", "Ogiltigt heltalsvärde."},
        {"write {IsZero()}", "Ogiltigt heltalsvärde."},
        {"write {IsNegative(-)}", "Ogiltigt heltalsvärde."},
        {"write {Date(x)}", "Ogiltigt heltalsvärde."},
        {"write {Date(0)}", "Ogiltig datumkonstant (1..9)."},
        {"write {Date(10)}", "Ogiltig datumkonstant (1..9)."},
        {"write {Calc(1+2+3)}", "Ogiltigt uttryck."},
        // An error stops the line: the prompt is never shown.
        {"write [nope] {Input(Namn?)}", "Variabeln \"nope\" finns inte."},
        // The error of the first function tried wins, wherever it stands.
        {"write {Date(0)} {Chr(x)}", "Ogiltigt byte (0..255)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ErrorOf(c.line), Rad1(c.message));
    }
    EXPECT_TRUE(context.questions.isEmpty());
}

TEST_F(SubroutineLines, Input) {
    context.answers = {QStringLiteral("Välkommen"), QString(), QStringLiteral("{Calc(1+1)}"),
                       QStringLiteral("{ToUpperCase(a)}")};
    EXPECT_EQ(Expand("write {Input(Vad heter du?)} {Input(Vad heter du?)}"),
              "write V\xe4lkommen V\xe4lkommen");
    EXPECT_EQ(Expand("write <{Input(Igen)}>"), "write <>");
    // The answer meets the functions tried after the prompt, not those before it.
    EXPECT_EQ(Expand("write {Input(a)}"), "write 2");
    EXPECT_EQ(Expand("write {Input(b)}"), "write {ToUpperCase(a)}");
    EXPECT_EQ(context.questions,
              QStringList({QStringLiteral("Vad heter du?"), QStringLiteral("Igen"),
                           QStringLiteral("a"), QStringLiteral("b")}));
}

TEST_F(SubroutineLines, Date) {
    const struct {
        QTime time;
        char separator;
        int format;
        const char* text;
    } cases[] = {
        {QTime(8, 5, 3), ':', 1, "2026-12-09"},
        {QTime(8, 5, 3), ':', 2, "26-12-09"},
        {QTime(8, 5, 3), ':', 3, "9/12 2026"},
        {QTime(8, 5, 3), ':', 4, "9/12 -26"},
        {QTime(8, 5, 3), ':', 5, "08:05:03"},
        {QTime(8, 5, 3), ':', 6, "08:05"},
        {QTime(8, 5, 3), ':', 7, "8:05 AM"},
        {QTime(8, 5, 3), ':', 8, "2026-12-09 08:05:03"},
        {QTime(8, 5, 3), ':', 9, "2026-12-09 8:05 AM"},
        {QTime(0, 30, 0), ':', 7, "12:30 AM"},
        {QTime(12, 0, 0), ':', 7, "12:00 PM"},
        {QTime(23, 59, 59), ':', 9, "2026-12-09 11:59 PM"},
        {QTime(8, 5, 3), '.', 8, "2026-12-09 08.05.03"},
        {QTime(13, 7, 0), '.', 7, "1.07 PM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        context.now = QDateTime(QDate(2026, 12, 9), c.time);
        context.time = c.separator;
        EXPECT_EQ(Expand("write {Date(" + QByteArray::number(c.format) + ")}"),
                  QByteArray("write ") + c.text);
    }
    context.now = QDateTime(QDate(2007, 1, 2), QTime(8, 5, 3));
    EXPECT_EQ(Expand("write {Date(3)}|{Date(4)}|{Date(2)}"), "write 2/1 2007|{Date(4)}|{Date(2)}");
    EXPECT_EQ(Expand("write {Date(4)}"), "write 2/1 -07");
    EXPECT_EQ(Expand("write {Date( 2)}"), "write 07-01-02");
}

TEST_F(SubroutineLines, Calc) {
    const struct {
        const char* expression;
        const char* result; // nullptr: "Ogiltigt uttryck."
    } cases[] = {
        {"2*3", "6"},
        {"-2*3", "-6"},
        {"7/2", "3.5"},
        {"2^10", "1024"},
        {"2^-1", "0.5"},
        {"1.5+1.25", "2.75"},
        {"0.1+0.2", "0.3"},
        {"1/3", "0.333333333333333"},
        {"2/3", "0.666666666666667"},
        {"5-3", "2"},
        {"3-5", "-2"},
        {"5--3", "8"},
        {" 2 * 3 ", "6"},
        {"7", "7"},
        {"+7", "7"},
        {"007.50", "7.5"},
        {"1e3*2", "2000"},
        {"10^15", "1E15"},
        {"10^14", "100000000000000"},
        {"123456789*1000000000", "1.23456789E17"},
        {"123456789*1000000", "123456789000000"},
        {"1234567890123*1000", "1.234567890123E15"},
        {"1/100000", "1E-5"},
        {"3/100000", "3E-5"},
        {"1/10000", "0.0001"},
        {"-1/8", "-0.125"},
        {"0*5", "0"},
        {"-0*5", "0"},
        {"-2-3", nullptr},
        {"-5", nullptr},
        {"1+2+3", nullptr},
        {"1/0", nullptr},
        {"0/0", nullptr},
        {"10^400", nullptr},
        {"1e308*10", nullptr},
        {"-8^0.5", nullptr},
        {"a*2", nullptr},
        {"2*", nullptr},
        {"*2", nullptr},
        {"", nullptr},
        {"1,5*2", nullptr},
        {"1e-3*2", "0.002"},
        {"1e-3", nullptr},
        {"inf", nullptr},
        {"1.2.3", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expression);
        const QByteArray line = QByteArray("write {Calc(") + c.expression + ")}";
        if (c.result)
            EXPECT_EQ(Expand(line), QByteArray("write ") + c.result);
        else
            EXPECT_EQ(ErrorOf(line), Rad1("Ogiltigt uttryck."));
    }
    context.decimal = ',';
    EXPECT_EQ(Expand("write {Calc(1,5*3)}"), "write 4,5");
    EXPECT_EQ(Expand("write {Calc(7)}|{Calc(2,25)}"), "write 7|{Calc(2,25)}");
    EXPECT_EQ(ErrorOf("write {Calc(1.5*3)}"), Rad1("Ogiltigt uttryck."));
}

TEST(SubroutineError, TextAndClass) {
    const ESubroutineError e(QStringLiteral("Okänt kommando."), 6);
    EXPECT_EQ(e.Text(), QStringLiteral("Fel i subrutin på rad 7: Okänt kommando."));
    EXPECT_EQ(e.Message(), QStringLiteral("Okänt kommando."));
    EXPECT_EQ(e.LineIndex(), 6);
    EXPECT_EQ(e.ClassName(), QStringLiteral("ESubroutineError"));
}

} // namespace
