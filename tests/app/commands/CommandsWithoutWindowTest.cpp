// Commands run by name through a registry of their own, on documents and an editor model
// without a main window: what a subroutine statement or a module export does.
#include "MarkedText.h"
#include "ScriptedBoxes.h"
#include "app/commands/CommandContext.h"
#include "app/commands/CommandRegistry.h"
#include "app/commands/CommandWindow.h"
#include "app/commands/DocumentTable.h"
#include "app/commands/InsertCommands.h"
#include "app/commands/Requests.h"
#include "app/commands/SearchCommands.h"
#include "app/dialogs/Boxes.h"
#include "app/dialogs/TimesOfWin.h"
#include "editor/model/EditorModel.h"
#include "editor/view/TextEditorExSettings.h"
#include "platform/Cp1252.h"

#include <QAction>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// Open documents without a window: records in tab order, the current one's text in the
// model, switched as the window switches its tabs.
class TDocumentList : public TDocumentTable {
public:
    TDocumentList(TEditorModel& editor, const std::vector<std::pair<QString, QByteArray>>& docs)
        : editor_(editor) {
        for (const auto& [name, text] : docs) {
            TFileData& record = records_.emplace_back();
            record.FileName = name;
            record.Lines->SetText(text);
        }
        Load(0);
    }

    int Count() const override { return static_cast<int>(records_.size()); }
    int CurrentIndex() const override { return current_; }
    TFileData& Record(int index) override { return records_.at(static_cast<size_t>(index)); }
    void Select(int index) override {
        records_.at(static_cast<size_t>(current_)).Lines->Swap(editor_.Lines);
        Load(index);
    }
    void Open(int, const QString&) override { ADD_FAILURE() << "no document is opened"; }
    void CloseCurrent() override { ADD_FAILURE() << "no document is closed"; }
    void CloseAll() override { ADD_FAILURE() << "no document is closed"; }
    void RecordChanged(int) override {}

    // The text of document i (without the last line's break), wherever it is held.
    QByteArray Text(int i) const {
        QByteArray text =
            i == current_ ? editor_.Text() : records_[static_cast<size_t>(i)].Lines->Text();
        text.chop(2);
        return text;
    }

private:
    void Load(int index) {
        records_.at(static_cast<size_t>(index)).Lines->Swap(editor_.Lines);
        if (editor_.Lines.IsEmpty())
            editor_.Lines.Add(QByteArray());
        editor_.SelEnd.SetPosSilently(QPoint(0, 0));
        editor_.ForceCollapse = true;
        editor_.Caret.SetPosAndNotify(QPoint(0, 0));
        current_ = index;
    }

    TEditorModel& editor_;
    std::vector<TFileData> records_;
    int current_ = 0;
};

// A window whose editor is hidden (preview mode).
class THiddenEditor : public TCommandWindow {
public:
    bool EditorHidden() const override { return true; }
};

// A registry without a window and the search commands on three documents; the boxes answer
// from a script and write down what they showed.
class SearchWithoutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        modal = ScriptBoxes(seen, answers);
        docs = std::make_unique<TDocumentList>(
            editor, std::vector<std::pair<QString, QByteArray>>{
                        {QStringLiteral("/d/a.txt"), "cat Cat\r\nconcat"},
                        {QStringLiteral("/d/b.txt"), "dog"},
                        {QStringLiteral("/d/c.txt"), "CAT cat"}});
        search = std::make_unique<TSearchCommands>(TCommandContext{*docs, editor, boxes, window},
                                                   showProgress);
        search->Register(commands);
    }
    void TearDown() override { delete search->TimesOf; }

    QStringList Texts() const {
        return {QString::fromLatin1(docs->Text(0)), QString::fromLatin1(docs->Text(1)),
                QString::fromLatin1(docs->Text(2))};
    }

    QStringList seen;
    std::deque<int> answers;
    std::unique_ptr<Dialogs::ScopedModalHandler> modal;
    TEditorModel editor;
    TBoxes boxes;
    TCommandWindow window;
    bool showProgress = false;
    std::unique_ptr<TDocumentList> docs;
    TCommandRegistry commands{nullptr};
    std::unique_ptr<TSearchCommands> search;
};

} // namespace

TEST_F(SearchWithoutWindow, ReplaceAllCoversTheScopeWithTheOptions) {
    const struct {
        bool matchCase, wholeWords;
        TSearchScope scope;
        QStringList texts;
        int current;
    } cases[] = {
        {false, false, TSearchScope::CurrentDocument, {"dog dog\r\ncondog", "dog", "CAT cat"}, 0},
        {false, true, TSearchScope::AllDocuments, {"dog dog\r\nconcat", "dog", "dog dog"}, 2},
        {true, false, TSearchScope::AllDocuments, {"dog Cat\r\ncondog", "dog", "CAT dog"}, 2},
        {true, true, TSearchScope::AllDocuments, {"dog Cat\r\nconcat", "dog", "CAT dog"}, 2},
    };
    for (const auto& c : cases) {
        SetUp();
        TSearchRequest request{QStringLiteral("cat"), QStringLiteral("dog"), c.matchCase,
                               c.wholeWords};
        request.Scope = c.scope;
        ASSERT_TRUE(commands.Run(QStringLiteral("ReplaceAllOccurrences"), request));
        EXPECT_EQ(Texts(), c.texts) << c.matchCase << c.wholeWords;
        EXPECT_EQ(docs->CurrentIndex(), c.current) << "the last document stays current";
        EXPECT_TRUE(seen.isEmpty());
        TearDown();
    }
}

TEST_F(SearchWithoutWindow, ReplaceAllReadsEscapesAndRefusesTheSameTextInEveryDocument) {
    ASSERT_TRUE(
        commands.Run(QStringLiteral("ReplaceAllOccurrences"),
                     TSearchRequest{QStringLiteral("Cat\\ncon"), QStringLiteral("Cat\\tcon")}));
    EXPECT_EQ(Texts().value(0), "cat Cat\tconcat");

    // "cat" by "CAT" is the same text unless the case matters; every document says so.
    TSearchRequest same{QStringLiteral("cat"), QStringLiteral("CAT")};
    same.Scope = TSearchScope::AllDocuments;
    ASSERT_TRUE(commands.Run(QStringLiteral("ReplaceAllOccurrences"), same));
    EXPECT_EQ(seen, QStringList(3, "M:Du kan inte ersätta en sträng med sig själv."));
    EXPECT_EQ(Texts(), (QStringList{"cat Cat\tconcat", "dog", "CAT cat"}));

    same.MatchCase = true;
    ASSERT_TRUE(commands.Run(QStringLiteral("ReplaceAllOccurrences"), same));
    EXPECT_EQ(Texts(), (QStringList{"CAT Cat\tconCAT", "dog", "CAT CAT"}));

    // A read-only text is left alone without a word.
    seen.clear();
    editor.Settings()->ReadOnly = true;
    same.Scope = TSearchScope::CurrentDocument;
    same.Replacement = QStringLiteral("x");
    ASSERT_TRUE(commands.Run(QStringLiteral("ReplaceAllOccurrences"), same));
    EXPECT_EQ(Texts().value(2), "CAT CAT");
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(SearchWithoutWindow, FindNextSelectsOrSaysWhatWasNotFound) {
    const auto find = [&](const char* text, bool wholeWords, bool fromStart) {
        TSearchRequest request{QString::fromUtf8(text)};
        request.WholeWords = wholeWords;
        request.FromStart = fromStart;
        return commands.Run(QStringLiteral("SearchNext"), request);
    };
    ASSERT_TRUE(find("cat", false, false));
    EXPECT_EQ(MarkedText(editor), "[cat] Cat\r\nconcat");
    ASSERT_TRUE(find("cat", false, false));
    EXPECT_EQ(MarkedText(editor), "cat [Cat]\r\nconcat");
    EXPECT_TRUE(seen.isEmpty());
    // "concat" is no whole word; the message names the word and the selection stays.
    ASSERT_TRUE(find("cat", true, false));
    EXPECT_EQ(seen, QStringList{"M:Ordet \"cat\" återfinns inte i texten med de valda "
                                "sökparametrarna."});
    EXPECT_EQ(MarkedText(editor), "cat [Cat]\r\nconcat");
    ASSERT_TRUE(find("cat", true, true));
    EXPECT_EQ(MarkedText(editor), "[cat] Cat\r\nconcat") << "from the top again";
    ASSERT_TRUE(find("häst", false, false));
    EXPECT_EQ(seen.last(), "M:Texten \"häst\" återfinns inte i texten med de valda "
                           "sökparametrarna.");
}

TEST_F(SearchWithoutWindow, OccurrencesOfEveryDocumentLeadBackToTheirDocument) {
    TSearchRequest request{QStringLiteral("cat")};
    request.Scope = TSearchScope::AllDocuments;
    ASSERT_TRUE(commands.Run(QStringLiteral("ShowOccurrences"), request));
    ASSERT_NE(search->TimesOf, nullptr);
    const TOccurrenceList& list = *search->TimesOf->List();
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Text(0), "1: cat Cat  concat  ... (a.txt)");
    EXPECT_EQ(list.Text(4), "5: cat  ... (c.txt)");
    EXPECT_TRUE(search->OccurrencesSpanAllDocuments);

    search->GotoOccurrence(1); // "Cat" in a.txt, while c.txt is current
    EXPECT_EQ(docs->CurrentIndex(), 0);
    EXPECT_EQ(MarkedText(editor), "cat [Cat]\r\nconcat");
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(SearchWithoutWindow, GoToTakesALineOrACharacter) {
    ASSERT_TRUE(commands.Run(QStringLiteral("GotoSpecified"),
                             TGotoRequest{QStringLiteral("RAD"), QStringLiteral("2")}));
    EXPECT_EQ(MarkedText(editor), "cat Cat\r\n[concat]");
    ASSERT_TRUE(commands.Run(QStringLiteral("GotoSpecified"),
                             TGotoRequest{QStringLiteral("tecken"), QStringLiteral("5")}));
    EXPECT_EQ(MarkedText(editor), "cat |Cat\r\nconcat");
    for (const char* value : {"3", "x"})
        ASSERT_TRUE(commands.Run(QStringLiteral("GotoSpecified"),
                                 TGotoRequest{QStringLiteral("rad"), QLatin1String(value)}));
    EXPECT_EQ(seen, (QStringList{"M:Raden 3 finns inte i dokumentet. Ange ett naturligt tal i "
                                 "intervallet 1~2.",
                                 "M:\"x\" är inte ett naturligt tal."}));
}

TEST_F(SearchWithoutWindow, WithoutARequestOrPanelNothingRunsAndAWrongRequestIsRefused) {
    EXPECT_TRUE(commands.Run(QStringLiteral("SearchNext")));
    EXPECT_TRUE(commands.Run(QStringLiteral("RDocFindNext")));
    EXPECT_EQ(MarkedText(editor), "|cat Cat\r\nconcat");
    EXPECT_THROW(commands.Run(QStringLiteral("SearchNext"), TGotoRequest{}), EKelvoraError);
    EXPECT_FALSE(commands.Run(QStringLiteral("NoSuchCommand")));
    EXPECT_TRUE(seen.isEmpty());
}

// --- insert commands on a model ---------------------------------------------------------------

namespace {

struct InsertRun {
    const char* command;
    TCommandRequest request;
    int tagCase;
    const char* before;
    const char* after;
};

QByteArray RunInsert(const InsertRun& c, TCommandWindow& window, bool readOnly = false) {
    TEditorModel editor;
    const Marked m = Parse(Cp1252::Encode(QString::fromUtf8(c.before)));
    editor.SetText(m.text);
    editor.SetSelStart(m.start);
    editor.SetSelLength(m.length);
    editor.Settings()->ReadOnly = readOnly;
    int tagCase = c.tagCase;
    const QString bold = QStringLiteral("Strong"), italic = QStringLiteral("Em");
    TInsertCommands inserts(editor, window, TTagStyle{tagCase, bold, italic});
    TCommandRegistry commands(nullptr);
    inserts.Register(commands);
    EXPECT_TRUE(commands.Run(QLatin1String(c.command), c.request)) << c.command;
    return MarkedText(editor);
}

} // namespace

TEST(InsertWithoutWindow, CommandsWriteIntoTheModelInTheTagCase) {
    const InsertRun cases[] = {
        {"IInsertParaP", {}, 1, "x|y", "x<P>|</P>y"},
        {"IInsertBold", {}, 2, "a [ord] b", "a <strong>[ord]</strong> b"},
        {"IInsertItalic", {}, 0, "|", "<Em>|</Em>"},
        {"IInsertHeading3", {}, 1, "[rubrik]", "<H3>[rubrik]</H3>"},
        {"IInsertBreakB", {}, 2, "a[bc]d", "a<br />|d"},
        {"IInsertHTMLComment", {}, 1, "x|y", "x<!-- | -->y"},
        {"IInsertSpace", {}, 1, "a[b]c", "a&nbsp;|c"},
        {"IInsertAnchor", TInsertTextRequest{QStringLiteral("topp")}, 2, "x|",
         "x<a id=\"topp\" name=\"topp\"></a>|"},
        {"IInsertLinkStyle", TInsertTextRequest{QStringLiteral("s.css")}, 1, "l1\r\na|b",
         "l1\r\n<|LINK REL=\"stylesheet\" TYPE=\"text/css\" HREF=\"s.css\" />\r\nab"},
        {"IInsertColor", TColorRequest{0x00FF8000}, 1, "c: [x]", "c: #0080FF|"},
        // An empty name or path writes nothing.
        {"IInsertAnchor", TInsertTextRequest{}, 1, "x|", "x|"},
        {"IInsertLinkScript", TInsertTextRequest{}, 1, "x|", "x|"},
    };
    TCommandWindow noWindow;
    for (const InsertRun& c : cases)
        EXPECT_EQ(RunInsert(c, noWindow), QByteArray(c.after)) << c.command << " " << c.before;
}

TEST(InsertWithoutWindow, AHiddenOrReadOnlyEditorGetsNothing) {
    THiddenEditor hidden;
    TCommandWindow noWindow;
    for (const char* command : {"IInsertParaP", "IInsertHTMLComment", "IInsertBuiltinStyle"}) {
        EXPECT_EQ(RunInsert({command, {}, 1, "x|y", ""}, hidden), "x|y") << command;
        EXPECT_EQ(RunInsert({command, {}, 1, "x|y", ""}, noWindow, true), "x|y") << command;
    }
}
