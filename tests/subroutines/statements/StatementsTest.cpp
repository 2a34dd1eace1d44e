#include "SubroutineFixture.h"

#include "app/panels/BookmarksPanel.h"
#include "subroutines/statements/StatementRequests.h"
#include "subroutines/statements/SubroutineStatements.h"

#include <QClipboard>
#include <QDir>
#include <QListWidget>

namespace {

struct EditCase {
    const char* name;
    const char* doc;
    int selStart, selLength;
    const char* subroutine;
    const char* expected; // the document afterwards
    int caret, selection; // SelStart and SelLength afterwards
    QStringList messages; // boxes shown
};

using SubroutineStatements = SubroutineTest;

TEST_F(SubroutineStatements, EditorStatementsChangeTextCaretAndSelection) {
    const EditCase cases[] = {
        {"write replaces the selection", "abcdef", 1, 3, "write XY", "aXYef", 3, 0, {}},
        {"write keeps trailing blanks", "ab", 2, 0, "write x  ", "abx  ", 5, 0, {}},
        {"add line appends, caret to the end",
         "ab\r\ncd",
         0,
         0,
         "add line  ny",
         "ab\r\ncd\r\n ny",
         11,
         0,
         {}},
        {"delete line takes its break",
         "one\r\ntwo\r\nthree",
         7,
         0,
         "delete line",
         "one\r\nthree",
         5,
         0,
         {}},
        {"delete line on the last line", "one\r\ntwo", 6, 0, "delete line", "one\r\n", 5, 0, {}},
        {"clear selection", "abcdef", 2, 2, "clear selection", "abef", 2, 0, {}},
        {"set caretpos counts a break as two",
         "ab\r\ncd",
         0,
         0,
         "set caretpos 5",
         "ab\r\ncd",
         5,
         0,
         {}},
        {"increase and decrease caretpos",
         "abcdef",
         1,
         0,
         "increase caretpos 4\r\ndecrease caretpos 2",
         "abcdef",
         3,
         0,
         {}},
        {"set selection length", "abcdef", 1, 0, "set selection length 3", "abcdef", 1, 3, {}},
        {"set line 1 is offset 0",
         "ab\r\ncd\r\nef",
         7,
         0,
         "set line 1",
         "ab\r\ncd\r\nef",
         0,
         0,
         {}},
        {"set line 3", "ab\r\ncd\r\nef", 0, 0, "set line 3", "ab\r\ncd\r\nef", 8, 0, {}},
        {"set line 0 leaves the caret", "ab\r\ncd", 5, 0, "set line 0", "ab\r\ncd", 5, 0, {}},
        {"a line past the end leaves the caret",
         "ab\r\ncd",
         1,
         0,
         "set line 3",
         "ab\r\ncd",
         1,
         0,
         {}},
        {"increase line", "ab\r\ncd\r\nef", 1, 0, "increase line 2", "ab\r\ncd\r\nef", 8, 0, {}},
        {"decrease line", "ab\r\ncd\r\nef", 9, 0, "decrease line 1", "ab\r\ncd\r\nef", 4, 0, {}},
        {"select all", "ab\r\ncd", 1, 0, "select all", "ab\r\ncd", 0, 6, {}},
        {"select tag", "x <b>y</b>", 4, 0, "select tag", "x <b>y</b>", 2, 3, {}},
        {"variables keep their first value",
         "",
         0,
         0,
         "var a = 1\r\nvar a = 2\r\nwrite [a]",
         "1",
         1,
         0,
         {}},
        {"TrimVars(false) keeps the blanks",
         "",
         0,
         0,
         "TrimVars(False)\r\nvar a = 1\r\nwrite <[a ]>",
         "< 1>",
         4,
         0,
         {}},
        {"if with a condition in capitals", "", 0, 0, "if TRUE:write ja", "ja", 2, 0, {}},
        {"if false does nothing", "", 0, 0, "if false:write ja", "", 0, 0, {}},
        {"unless false", "", 0, 0, "unless false:write ja", "ja", 2, 0, {}},
        {"the condition's line is expanded again",
         "",
         0,
         0,
         "var a = 5\r\nif true:write {Chr(91)}a]",
         "5",
         1,
         0,
         {}},
        {"nested conditions", "", 0, 0, "if {IsZero(0)}:unless false:write n", "n", 1, 0, {}},
        {"indent with no selection does nothing", "ab", 1, 0, "indent", "ab", 1, 0, {}},
        {"case upper", "abc", 0, 2, "case upper", "ABc", 0, 2, {}},
        {"ROT-13", "abc", 0, 3, "ROT-13", "nop", 0, 3, {}},
        {"insert h1 runs the heading command", "", 0, 0, "insert h1", "<H1></H1>", 4, 0, {}},
        {"a comment and a repeat line are skipped",
         "",
         0,
         0,
         "// write x\r\n  repeat 9\r\nwrite y",
         "y",
         1,
         0,
         {}},
        {"occurrences",
         "Ab ab abc",
         0,
         0,
         "occurrences ab\r\noccurrences(case_sensitive) ab\r\n"
         "occurrences(word_sensitive) ab\r\noccurrences(case_sensitive and word_sensitive) ab",
         "Ab ab abc",
         0,
         0,
         {"M:Texten \"ab\" återfinns 3 gånger i dokumentet.",
          "M:Texten \"ab\" återfinns 2 gånger i dokumentet.",
          "M:Ordet \"ab\" återfinns 2 gånger i dokumentet.",
          "M:Ordet \"ab\" återfinns 1 gånger i dokumentet."}},
        {"message", "", 0, 0, "message Hej  d\xE5", "", 0, 0, {"M:Hej  då"}},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        seen.clear();
        SetDoc(c.doc, c.selStart, c.selLength);
        EXPECT_EQ(RunWindow(c.subroutine), TRunEnd::Completed);
        EXPECT_EQ(Doc(), QByteArray(c.expected));
        EXPECT_EQ(Editor().GetSelStart(), c.caret);
        EXPECT_EQ(Editor().GetSelLength(), c.selection);
        EXPECT_EQ(seen, c.messages);
    }
}

// Each error is reported once with its line, and nothing after it runs.
TEST_F(SubroutineStatements, BadArgumentsReportTheirMessage) {
    const struct {
        const char* subroutine;
        int line;
        const char* message;
    } cases[] = {
        {"write a\r\nvar x", 2, "Tilldelningsoperator (=) förväntas."},
        {"if true : beep", 1, "Ogiltigt logiskt värde (true..false)."},
        {"if true beep", 1, "Ogiltigt logiskt värde (true..false)."},
        {"unless maybe:beep", 1, "Ogiltigt logiskt värde (true..false)."},
        {"show window about ", 1, "Ogiltigt fönster."},
        {"set caretpos 5 ", 1, "Ogiltigt heltalsvärde."},
        {"set line x", 1, "Ogiltigt heltalsvärde."},
        {"wait 1.5", 1, "Ogiltigt heltalsvärde."},
        {"case Upper", 1, "Ogiltigt skiftläge."},
        {"current window maximise", 1, "Okänt fönsterkommando."},
        {"TrimVars(no)", 1, "Ogiltigt logiskt värde."},
        {"TrimVars", 1, "Ogiltigt logiskt värde."},
        {"Write x", 1, "Okänt kommando."},
        {"add bookmark at 4", 1, "Den angivna raden finns inte."},
        {"add bookmark at 0", 1, "Den angivna raden finns inte."},
        {"goto bookmark 1", 1, "Bokmärket finns inte."},
        {"goto bookmark one", 1, "Ogiltigt heltalsvärde."},
        {"normalize status after soon", 1, "Ogiltigt heltalsvärde."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subroutine);
        seen.clear();
        SetDoc("ab\r\ncd");
        EXPECT_EQ(RunWindow(QByteArray(c.subroutine) + "\r\nwrite nej"), TRunEnd::Failed);
        EXPECT_EQ(seen, QStringList{Rad(c.line, c.message)});
        EXPECT_FALSE(Doc().contains("nej"));
    }
    EXPECT_TRUE(outside.isEmpty());
}

// The statements that run a main-window command reach it by its registered name, so that a
// command registered later is reached without further work.
TEST_F(SubroutineStatements, CommandStatementsRunTheCommandOfTheirName) {
    const struct {
        const char* statement;
        const char* command;
    } cases[] = {
        {"show window about", "HAboutDlg"},
        {"show window statistics", "ShowStatistics"},
        {"show window properties", "ADocProperties"},
        {"clear doc(no_warning)", "ClearDoc"},
        {"clear doc", "RClearAll"},
        {"insert color", "IInsertColor"},
        {"insert date", "IInsertDate"},
        {"insert char", "IInsertAlpha"},
        {"insert h3", "IInsertHeading3"},
        {"insert h6", "IInsertHeading6"},
        {"insert para", "IInsertParaP"},
        {"insert div", "IInsertParaD"},
        {"insert acronym", "IInsertAcronym"},
        {"insert abbreviation", "IInsertAbbreviation"},
        {"insert cite", "IInsertCite"},
        {"insert first_definition", "IInsertDefinition"},
        {"insert image", "IInsertImage"},
        {"insert link", "IInsertLink"},
        {"insert table", "IInsertTable"},
        {"insert ordered_list", "IInsertOL"},
        {"insert unordered_list", "IInsertUL"},
        {"superscript", "IInsertRaised"},
        {"subscript", "IInsertLowered"},
        {"insert head_style", "IInsertBuiltinStyle"},
        {"insert style_block", "IInsertCSSBlock"},
        {"insert style_class", "IInsertCSSClass"},
        {"insert span_style", "IInsertCSSSpanStyle"},
        {"insert x_style", "IInsertCSSXStyle"},
        {"set title", "IInsertHTMLTitle"},
        {"set DTD", "IInsertDoctype"},
        {"case lower", "FConvLowerCase"},
        {"case invert", "FConvOppositCase"},
        {"remove indent", "FDelAllIndent"},
        {"save as", "ASaveDocAs"},
        {"save", "ASaveDoc"},
        {"open", "AOpenDoc"},
        {"print", "APrintDoc"},
        {"set print format", "APrinterSettings"},
        {"close", "ADocClose"},
        {"preview", "VShowInBrowser"},
        {"debug.ShowCSSGroups", "ShowCSSGroups"},
    };
    QStringList ran;
    for (const auto& c : cases)
        win->Commands().AddWithRequest(
            QLatin1String(c.command), QStringLiteral("x"), {},
            [&ran, name = QString::fromLatin1(c.command)](const TCommandRequest&) { ran << name; });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        ran.clear();
        EXPECT_EQ(RunWindow(c.statement), TRunEnd::Completed);
        EXPECT_EQ(ran, QStringList{QLatin1String(c.command)});
    }
    EXPECT_TRUE(seen.isEmpty());
    // Every name a statement runs is listed, so that the others know what to register.
    for (const auto& c : cases)
        EXPECT_TRUE(TSubroutineStatements::CommandNames().contains(QLatin1String(c.command)))
            << c.command;
}

// A command that no library has registered yet answers as an unknown statement. The class
// picker belongs to a library above this one, so its command is never registered here.
TEST_F(SubroutineStatements, AnUnregisteredCommandIsAnUnknownCommand) {
    ASSERT_FALSE(win->Commands().Has(QStringLiteral("ShowCSSGroups")));
    EXPECT_EQ(RunWindow("debug.ShowCSSGroups\r\nwrite nej"), TRunEnd::Failed);
    EXPECT_EQ(seen, QStringList{Rad(1, "Okänt kommando.")});
    EXPECT_EQ(Doc(), QByteArray());
}

// Conditional commands run only when their condition holds.
TEST_F(SubroutineStatements, ConditionalCommands) {
    QStringList ran;
    for (const char* name : {"FAddIndent", "FDelIndent", "ARecreateDoc", "ADocDel"})
        win->Commands().Add(QLatin1String(name), QStringLiteral("x"), {},
                            [&ran, name] { ran << QLatin1String(name); });
    SetDoc("abc");
    RunWindow("indent\r\nunindent\r\nrestore file\r\ndelete file");
    EXPECT_TRUE(ran.isEmpty()) << "no selection, no file";
    SetDoc("abc", 0, 2);
    win->Current().HasFile = true;
    win->Current().Modified = false;
    RunWindow("indent\r\nunindent\r\nrestore file\r\ndelete file");
    EXPECT_EQ(ran, (QStringList{"FAddIndent", "FDelIndent", "ADocDel"}));
    ran.clear();
    win->Current().Modified = true;
    RunWindow("restore file");
    EXPECT_EQ(ran, QStringList{"ARecreateDoc"});
}

TEST_F(SubroutineStatements, FindNextSetsTheSearchAndSelectsTheHit) {
    const struct {
        const char* statement;
        int start;
        int length;
    } cases[] = {
        {"find next abc", 4, 3},                 // "ABC" at 4
        {"find next(case_sensitive) abc", 8, 3}, // "abc" in "abcd"
        {"find next(word_sensitive) abc", 4, 3}, // the word "ABC"
        {"find next(case_sensitive and word_sensitive) abc", 17, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        SetDoc("xyz ABC abcd ABC abc", 1, 0);
        EXPECT_EQ(RunWindow(c.statement), TRunEnd::Completed);
        EXPECT_EQ(Editor().GetSelStart(), c.start);
        EXPECT_EQ(Editor().GetSelLength(), c.length);
    }
    SetDoc("abc", 0, 0);
    seen.clear();
    EXPECT_EQ(RunWindow("find next q"), TRunEnd::Completed);
    EXPECT_EQ(seen, QStringList{"M:Texten \"q\" återfinns inte i texten med de valda "
                                "sökparametrarna."});
}

TEST_F(SubroutineStatements, ClipboardStatements) {
    SetDoc("abcdef", 1, 2);
    EXPECT_EQ(RunWindow("cut\r\nset caretpos 4\r\npaste\r\nset caretpos 0\r\nset selection "
                        "length 1\r\ncopy\r\nset caretpos 4\r\npaste"),
              TRunEnd::Completed);
    EXPECT_EQ(Doc(), "adefabc");
    QGuiApplication::clipboard()->clear();
    SetDoc("abc", 1, 0);
    RunWindow("paste");
    EXPECT_EQ(Doc(), "abc") << "an empty clipboard pastes nothing";

    // A paste format by its exact name; an unknown name is reported.
    QStringList formats;
    win->Commands().AddWithRequest(
        QStringLiteral("PasteInFormat"), QStringLiteral("x"), {}, [&](const TCommandRequest& r) {
            const auto& request = std::any_cast<const TPasteFormatRequest&>(r);
            *request.Known = request.FormatName == "Lista";
            formats << QString::fromLatin1(request.FormatName);
        });
    seen.clear();
    EXPECT_EQ(RunWindow("paste as Lista\r\npaste as lista\r\nwrite nej"), TRunEnd::Failed);
    EXPECT_EQ(formats, (QStringList{"Lista", "lista"}));
    EXPECT_EQ(seen, QStringList{Rad(2, "Ogiltigt inklistringsformat.")});
}

TEST_F(SubroutineStatements, ImportAndExport) {
    const QString in = Make("in.txt", "rad 1\r\nrad 2");
    const QString out = File("ut.txt");
    SetDoc("[]", 1, 0);
    EXPECT_EQ(RunWindow("import " + Cp1252::Encode(in)), TRunEnd::Completed);
    EXPECT_EQ(Doc(), "[rad 1\r\nrad 2\r\n]");

    // The selection as lines, each ending in CR LF, over an existing file.
    Make("ut.txt", "old");
    SetDoc("ab\r\ncd\r\nef", 1, 8);
    EXPECT_EQ(RunWindow("export " + Cp1252::Encode(out)), TRunEnd::Completed);
    EXPECT_EQ(ReadTestFile(out), "b\r\ncd\r\ne\r\n");
    SetDoc("ab\r\ncd", 0, 4);
    RunWindow("export " + Cp1252::Encode(out));
    EXPECT_EQ(ReadTestFile(out), "ab\r\n") << "no empty last line";

    const struct {
        QByteArray statement;
        const char* message;
    } failures[] = {
        {"import " + Cp1252::Encode(File("saknas.txt")), "Filen för importering finns inte."},
        {"import ", "Filen för importering finns inte."},
        {"import " + Cp1252::Encode(dir), "Det gick inte att importera filen."},
        {"export " + Cp1252::Encode(dir), "Det gick inte att exportera till fil."},
        {"export " + Cp1252::Encode(File("nej/ut.txt")), "Det gick inte att exportera till fil."},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.statement.constData());
        seen.clear();
        SetDoc("x", 0, 1);
        EXPECT_EQ(RunWindow(f.statement), TRunEnd::Failed);
        EXPECT_EQ(seen, QStringList{Rad(1, f.message)});
        EXPECT_EQ(Doc(), "x");
    }
}

TEST_F(SubroutineStatements, Bookmarks) {
    SetDoc("abc\r\n12345678901234567890\r\n123456789012345678901234\r\n\r\n");
    EXPECT_EQ(RunWindow("add bookmark at 1\r\nadd bookmark at 2\r\nadd bookmark at  3\r\n"
                        "add bookmark at 4"),
              TRunEnd::Completed);
    EXPECT_EQ(win->bmpn->Entries(), (QStringList{"1: \"abc\"", "2: \"12345678901234567890\"",
                                                 " 3: \"12345678901234567890...\"", "4: \"\""}));
    EXPECT_EQ(RunWindow("goto bookmark 2"), TRunEnd::Completed);
    EXPECT_EQ(win->bmpn->bookmarks->currentRow(), 1);
    EXPECT_EQ(Editor().GetSelStart(), 5);
    EXPECT_EQ(Editor().GetSelLength(), 20);
}

TEST_F(SubroutineStatements, ProgramAndEnvironment) {
    const QString page = Make("sida.html", "<p>");
    const QString program = Make("verktyg.sh", "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
    EXPECT_EQ(RunWindow("beep\r\nexecute " + Cp1252::Encode(page) + "\r\nexecute " +
                        Cp1252::Encode(program) +
                        "\r\nexecute http://example.se/\r\n"
                        "new window\r\nwait 0\r\nwait -5\r\nwait 120"),
              TRunEnd::Completed);
    EXPECT_EQ(outside, (QStringList{"beep", "open " + page, "start " + program,
                                    "open http://example.se/", "start /opt/kelvora/kelvora"}));
    EXPECT_EQ(sleeps, (std::vector<int>{50, 50, 20})) << "a count of 0 or less never waits";

    const struct {
        const char* state;
        Qt::WindowState expected;
    } states[] = {
        {"maximize", Qt::WindowMaximized},
        {"minimize", Qt::WindowMinimized},
        {"restore", Qt::WindowNoState},
    };
    for (const auto& s : states) {
        RunWindow(QByteArray("current window ") + s.state);
        EXPECT_EQ(win->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized),
                  Qt::WindowStates(s.expected))
            << s.state;
    }
}

TEST_F(SubroutineStatements, StatusTextAndItsTimer) {
    // Without "normalize status after" the run's end clears the status text.
    RunWindow("set status Klart");
    EXPECT_EQ(Status(), QString());
    RunWindow("set status Klart\r\nnormalize status after 1500");
    EXPECT_EQ(Status(), "Klart");
    QTimer* timer = Window().NeutralizeStatusTimer;
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1500);
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_EQ(Status(), QString());
    EXPECT_FALSE(timer->isActive());
    RunWindow("set status Klart\r\nnormalize status after 1500\r\nnormalize status");
    EXPECT_EQ(Status(), QString());
}

// The keywords are matched in order as prefixes: a longer keyword that stands later never
// sees the lines of an earlier, shorter one.
TEST_F(SubroutineStatements, EarlierKeywordsClaimTheirPrefixes) {
    const std::vector<QByteArray> keywords = TSubroutineStatements::Keywords();
    const auto index = [&](const char* k) {
        return std::find(keywords.begin(), keywords.end(), QByteArray(k)) - keywords.begin();
    };
    for (const auto& [first, then] : std::vector<std::pair<const char*, const char*>>{
             {"clear doc(no_warning)", "clear doc"},
             {"save as", "save"},
             {"paste as", "paste"},
             {"normalize status after", "normalize status"}})
        EXPECT_LT(index(first), index(then)) << first;
    SetDoc("");
    EXPECT_EQ(RunWindow("write-it"), TRunEnd::Completed);
    EXPECT_EQ(Doc(), "it") << "the character after the keyword is skipped";
}

} // namespace
