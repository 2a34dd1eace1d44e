#include "ModulesFixture.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"

#include <string>
#include <thread>

namespace {

// The log's form of a text: CR and LF written as \r and \n.
QByteArray Escaped(QByteArray text) {
    return text.replace("\r", "\\r").replace("\n", "\\n");
}

QByteArray HighBytes() {
    QByteArray out;
    for (int b = 0x80; b <= 0xFF; ++b)
        out.append(static_cast<char>(b));
    return out;
}

const kv_function_table& Table() {
    return *ModuleFunctionTable();
}

} // namespace

class ModuleFunctionsTest : public ModulesTest {
protected:
    void SetUp() override {
        ModulesTest::SetUp();
        module = LoadSample();
        ASSERT_NE(module, 0u);
        TakeLog();
        strings = ModuleHandouts::OutstandingStrings();
        attributes = ModuleHandouts::OutstandingAttributes();
    }
    void TearDown() override {
        // The sample releases everything it was handed.
        EXPECT_EQ(ModuleHandouts::OutstandingStrings(), strings);
        EXPECT_EQ(ModuleHandouts::OutstandingAttributes(), attributes);
        ModulesTest::TearDown();
    }
    void Start(const QByteArray& text, int selStart = 0, int selLength = 0) {
        win->CodeEditor->SetText(text);
        win->CodeEditor->SetSelStart(selStart);
        win->CodeEditor->SetSelLength(selLength);
    }
    QByteArray Text() const { return win->CodeEditor->Text(); }

    kv_module module = 0;
    int strings = 0;
    int attributes = 0;
};

TEST_F(ModuleFunctionsTest, TextAndSelectionKeepEveryHighByte) {
    win->Current().Modified = false;
    Click(module, "SampleText");
    EXPECT_EQ(TakeLog(), (QByteArrayList{"settext=0", "text roundtrip=ok", "seltext roundtrip=ok",
                                         "selection=7+128=135", "setseltext=0", "after insert=10",
                                         "collapsed=3/3",
                                         "text=" + Escaped("Rad 1\r\n\xC5\xE4\xD6\r\nslut\r\n")}));
    EXPECT_EQ(Text(), QByteArray("Rad 1\r\n\xC5\xE4\xD6\r\nslut\r\n"));
    EXPECT_TRUE(win->Current().Modified);
}

TEST_F(ModuleFunctionsTest, TagsAreBuiltInsertedAndReadBack) {
    Start("x\r\n", 1);
    Click(module, "SampleTags");
    const QByteArray tag = "<A HREF=\"sida.html\" NOWRAP=\"NOWRAP\">Till sidan \xFF</A>";
    EXPECT_EQ(TakeLog(), (QByteArrayList{"tag=" + tag, "inserted=0", "attributes=0", "count=2",
                                         "attribute 0=HREF:sida.html", "attribute 1=NOWRAP:NOWRAP",
                                         "value href=sida.html", "value missing=", "release=0",
                                         "release again=3", "name=A", "contents=Till sidan \xFF"}));
    EXPECT_EQ(Text(), "x" + tag + "\r\n");
}

TEST_F(ModuleFunctionsTest, TagAtTheCaretIsReadSelectedAndWrapped) {
    const QByteArray text = "<p>a <b class=\"x\">fet</b> c</p>\r\n";
    Start(text, 8);
    Click(module, "SampleCurrentTag");
    EXPECT_EQ(TakeLog(), (QByteArrayList{"current=<b class=\"x\">", "span=<b class=\"x\">fet</b>",
                                         "selecttag=0", "tag selection=5+13", "selectspan=0",
                                         "span selection=5+20", "simple=0",
                                         "text=" + Escaped("<p>a <b><b class=\"x\">fet</b></b> "
                                                           "c</p>\r\n")}));
}

TEST_F(ModuleFunctionsTest, EntitiesAndRot13OfTheSelection) {
    Click(module, "SampleEntities");
    const QByteArray plain = "text=" + Escaped("\xE5\xE4\xF6 \xA9 abc\r\n");
    EXPECT_EQ(
        TakeLog(),
        (QByteArrayList{"encodealpha=0", "alpha=" + Escaped("&aring;&auml;&ouml; \xA9 abc\r\n"),
                        "decodealpha=0", "plain" + plain.mid(4), "encodeomega=0",
                        "omega=" + Escaped("\xE5\xE4\xF6 &copy; abc\r\n"), "decodeomega=0",
                        "plain" + plain.mid(4), "rot13=0",
                        "rot13=" + Escaped("\xE5\xE4\xF6 \xA9 nop\r\n"), "widest=9"}));
}

TEST_F(ModuleFunctionsTest, UndoAndRedoAsFarAsTheyGo) {
    // Nothing to undo in a new document: the operation ends quietly.
    win->CodeEditor->ClearUndoData();
    Click(module, "SampleUndo");
    QByteArrayList log = TakeLog();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log[0], "canundo=0");
    EXPECT_EQ(log[1], "undo=1");

    Start("ett\r\n");
    win->AddManualChangeToUndoData();
    win->CodeEditor->SetSelStart(3);
    win->CodeEditor->SetSelText(" tv\xE5");
    win->AddManualChangeToUndoData(); // what the undo timer does a second later
    Click(module, "SampleUndo");
    EXPECT_EQ(TakeLog(),
              (QByteArrayList{"canundo=1", "undo=0", "undone=ett\\r\\n", "canredo=1", "redo=0",
                              "redone=" + Escaped("ett tv\xE5\r\n"), "redo again=1"}));
}

TEST_F(ModuleFunctionsTest, InsertCommandDoesWhatItsMenuItemDoes) {
    Click(module, "SampleInsertBold");
    const QByteArrayList log = TakeLog();
    const QByteArray viaModule = Text();
    Start("fet\r\n", 0, 3);
    Run("IInsertBold");
    EXPECT_EQ(log, (QByteArrayList{"bold=0", "text=" + Escaped(Text())}));
    EXPECT_EQ(viaModule, Text());
    EXPECT_NE(viaModule, QByteArray("fet\r\n"));
}

TEST_F(ModuleFunctionsTest, DocumentSettingsAndSearching) {
    const QString path = Make(QStringLiteral("sida.html"), "  ab AB abc\r\n    x\r\n");
    Open(path);
    const struct {
        int tagCase;
        const char* gcc;
        const char* fcc;
    } cases[] = {{1, "gcc=1", "fcc=TABELL\xC5"},
                 {2, "gcc=2", "fcc=tabell\xE5"},
                 {0, "gcc=0", "fcc=Tabell\xE5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tagCase);
        win->TagCase = c.tagCase;
        Click(module, "SampleDocument");
        EXPECT_EQ(TakeLog(),
                  (QByteArrayList{"filename=" + path.toUtf8(), "existing=1", "modified=0", c.gcc,
                                  c.fcc, "version=7.0.0.2", "widest=11", "indent=4",
                                  "occurrences=3", "case-sensitive=2", "whole words=2"}));
    }
    win->CodeEditor->SetSelText("z");
    Run("ANewDoc");
    Click(module, "SampleDocument");
    const QByteArrayList log = TakeLog();
    ASSERT_GE(log.size(), 3);
    EXPECT_EQ(log.mid(0, 3),
              (QByteArrayList{"filename=Nytt dokument", "existing=0", "modified=0"}));
}

TEST_F(ModuleFunctionsTest, MessagesAndQuestionsGoThroughTheProgramsBoxes) {
    answers = {int(Dialogs::mrNo)};
    Click(module, "SampleBoxes");
    EXPECT_EQ(seen, (QStringList{QStringLiteral("M:Hej från modulen"),
                                 QStringLiteral("Q:Info ä|Fråga?")}));
    EXPECT_EQ(TakeLog(), (QByteArrayList{"message=0", "question=0", "answer=7"}));
}

TEST_F(ModuleFunctionsTest, BadArgumentsAreRefusedAndChangeNothing) {
    Start("  ett\r\ntv\xE5\r\n", 2, 3);
    win->Current().Modified = false;
    const QStringList before = Toolbars();
    Click(module, "SampleBadArguments");
    const QByteArrayList log = TakeLog();
    EXPECT_EQ(log.size(), 25);
    for (const QByteArray& line : log)
        EXPECT_TRUE(line.endsWith("=3")) << line.toStdString();
    EXPECT_EQ(Text(), QByteArray("  ett\r\ntv\xE5\r\n"));
    EXPECT_EQ(win->CodeEditor->GetSelStart(), 2);
    EXPECT_EQ(win->CodeEditor->GetSelLength(), 3);
    EXPECT_FALSE(win->Current().Modified);
    EXPECT_EQ(Toolbars(), before);
    EXPECT_TRUE(seen.isEmpty()) << seen.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ModuleFunctionsTest, CallsFromAnotherThreadDoNothing) {
    Start("kvar\r\n", 1);
    Click(module, "SampleOtherThread");
    EXPECT_EQ(TakeLog(), QByteArrayList{"other thread=4,4,4"});
    EXPECT_EQ(Text(), QByteArray("kvar\r\n"));

    // The services may be used from any thread.
    char* text = nullptr;
    ASSERT_EQ(Table().GetText(&text), KV_OK);
    kv_status released = KV_ERROR;
    std::thread([&] { released = Table().ReleaseString(text); }).join();
    EXPECT_EQ(released, KV_OK);
}

TEST_F(ModuleFunctionsTest, BoundarySilentAbortAndErrorsBecomeStatuses) {
    // A file inserted at the caret, every high byte kept.
    const QString file = WriteTestFile(QStringLiteral("hög.txt"), HighBytes());
    Start("[]\r\n", 1);
    EXPECT_EQ(Table().InsertFromFile(file.toUtf8().constData()), KV_OK);
    EXPECT_EQ(Text(), "[" + HighBytes() + "\r\n]\r\n");

    // A failing operation: the program's own message, then KV_ERROR.
    const QString missing = QDir(TestRootDir()).filePath(QStringLiteral("saknas.txt"));
    EXPECT_EQ(Table().InsertFromFile(missing.toUtf8().constData()), KV_ERROR);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].startsWith(QStringLiteral("E:Det går inte att öppna filen")))
        << seen[0].toStdString();

    // Commands that end in the silent abort or throw.
    win->Commands().Add(QStringLiteral("IInsertDate"), QStringLiteral("x"), {}, [] { Abort(); });
    win->Commands().Add(QStringLiteral("IInsertAlpha"), QStringLiteral("x"), {}, [] {
        throw EKelvoraError(QStringLiteral("EOops"), QStringLiteral("Trasigt"));
    });
    seen.clear();
    EXPECT_EQ(Table().InsertDate(), KV_ABORTED);
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(Table().InsertAlpha(), KV_ERROR);
    EXPECT_EQ(seen, QStringList{QStringLiteral("E:Trasigt")});
}

TEST_F(ModuleFunctionsTest, EachCommandSlotRunsItsRegisteredAction) {
    using Slot = kv_status (*kv_function_table::*)(void);
    const struct {
        Slot slot;
        const char* action;
    } commandSlots[] = {
        {&kv_function_table::PrintAllDocs, "APrintAllDoc"},
        {&kv_function_table::PrintDoc, "APrintDoc"},
        {&kv_function_table::CloseAllDocs, "AAllDocClose"},
        {&kv_function_table::CloseDoc, "ADocClose"},
        {&kv_function_table::SaveAllDocsAs, "ASaveAllDocAs"},
        {&kv_function_table::SaveAllDocs, "ASaveAllDoc"},
        {&kv_function_table::SaveDocAs, "ASaveDocAs"},
        {&kv_function_table::SaveDoc, "ASaveDoc"},
        {&kv_function_table::OpenDoc, "AOpenDoc"},
        {&kv_function_table::NewFrameWiz, "ANewFrameWiz"},
        {&kv_function_table::NewDocWiz, "ANewDocWiz"},
        {&kv_function_table::NewDocTpl, "ANewDocTpl"},
        {&kv_function_table::NewDoc, "ANewDoc"},
        {&kv_function_table::ShowAboutDlg, "HAboutDlg"},
        {&kv_function_table::InsertHTMLTitle, "IInsertHTMLTitle"},
        {&kv_function_table::InsertDoctype, "IInsertDoctype"},
        {&kv_function_table::InsertDefinition, "IInsertDefinition"},
        {&kv_function_table::InsertCite, "IInsertCite"},
        {&kv_function_table::InsertAbbreviation, "IInsertAbbreviation"},
        {&kv_function_table::InsertAcronym, "IInsertAcronym"},
        {&kv_function_table::InsertBuiltInStyle, "IInsertBuiltinStyle"},
        {&kv_function_table::InsertCSSClass, "IInsertCSSClass"},
        {&kv_function_table::InsertCSSXStyle, "IInsertCSSXStyle"},
        {&kv_function_table::InsertCSSSpanStyle, "IInsertCSSSpanStyle"},
        {&kv_function_table::InsertCSSBlock, "IInsertCSSBlock"},
        {&kv_function_table::InsertLinkStyle, "IInsertLinkStyle"},
        {&kv_function_table::InsertLinkScript, "IInsertLinkScript"},
        {&kv_function_table::InsertLine, "IInsertLine"},
        {&kv_function_table::InsertAnchor, "IInsertAnchor"},
        {&kv_function_table::InsertVBComment, "IInsertVBComment"},
        {&kv_function_table::InsertJSComment, "IInsertJSComment"},
        {&kv_function_table::InsertParaD, "IInsertParaD"},
        {&kv_function_table::InsertOL, "IInsertOL"},
        {&kv_function_table::InsertUL, "IInsertUL"},
        {&kv_function_table::InsertSpace, "IInsertSpace"},
        {&kv_function_table::InsertTable, "IInsertTable"},
        {&kv_function_table::InsertUnderline, "IInsertUnderlined"},
        {&kv_function_table::InsertItalic, "IInsertItalic"},
        {&kv_function_table::InsertBold, "IInsertBold"},
        {&kv_function_table::InsertSub, "IInsertLowered"},
        {&kv_function_table::InsertSup, "IInsertRaised"},
        {&kv_function_table::InsertScript, "IInsertJavaScript"},
        {&kv_function_table::InsertLink, "IInsertLink"},
        {&kv_function_table::InsertImage, "IInsertImage"},
        {&kv_function_table::InsertHTMLComment, "IInsertHTMLComment"},
        {&kv_function_table::InsertBreakB, "IInsertBreakB"},
        {&kv_function_table::InsertParaP, "IInsertParaP"},
        {&kv_function_table::InsertColor, "IInsertColor"},
        {&kv_function_table::InsertAlpha, "IInsertAlpha"},
        {&kv_function_table::InsertDate, "IInsertDate"},
    };
    // A command nobody registered yet: the error status, and nothing else happens.
    for (const auto& s : commandSlots) {
        const QString name = QLatin1String(s.action);
        if (!win->Commands().Has(name)) {
            EXPECT_EQ((Table().*s.slot)(), KV_ERROR) << s.action;
        }
    }
    EXPECT_TRUE(seen.isEmpty());

    QStringList ran;
    for (const auto& s : commandSlots) {
        const QString name = QLatin1String(s.action);
        win->Commands().Add(name, name, {}, [&ran, name] { ran << name; });
    }
    for (const auto& s : commandSlots) {
        ran.clear();
        EXPECT_EQ((Table().*s.slot)(), KV_OK) << s.action;
        EXPECT_EQ(ran, QStringList{QLatin1String(s.action)});
    }
}

TEST_F(ModuleFunctionsTest, SetTextKeepsNothingOfTheBorrowedBytes) {
    std::string text = "f\xF6rsta\nandra\rtredje";
    ASSERT_EQ(Table().SetText(text.c_str()), KV_OK);
    text.assign(text.size(), 'x');
    EXPECT_EQ(Text(), QByteArray("f\xF6rsta\r\nandra\r\ntredje\r\n"));
    // The same for the tag under construction, which outlives the call.
    std::string name = "em";
    ASSERT_EQ(Table().BeginBuildingTag(name.c_str(), 1, "inne"), KV_OK);
    name.assign(name.size(), 'x');
    char* tag = nullptr;
    ASSERT_EQ(Table().EndBuildingTag(KV_CASE_AS_WRITTEN, &tag), KV_OK);
    EXPECT_STREQ(tag, "<em>inne</em>");
    EXPECT_EQ(Table().ReleaseString(tag), KV_OK);
    EXPECT_EQ(Table().ReleaseString(tag), KV_BAD_ARGUMENT);
}

TEST(ModuleTable, DescribesItselfAndNeedsAWindow) {
    EXPECT_EQ(Table().version, uint32_t(KV_MODULE_API_VERSION));
    EXPECT_EQ(Table().size, uint32_t(sizeof(kv_function_table)));
    EXPECT_TRUE(kv_table_usable(&Table()));
    // No main window: nothing to act on.
    ASSERT_EQ(TModuleHost::Active(), nullptr);
    int32_t n = 5;
    EXPECT_EQ(Table().GetSelStart(&n), KV_ERROR);
    EXPECT_EQ(Table().SetText("x"), KV_ERROR);
}
