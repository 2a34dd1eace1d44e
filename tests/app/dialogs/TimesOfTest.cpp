#include "SearchFixture.h"
#include "app/commands/SearchCommands.h"
#include "app/dialogs/TimesOfWin.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QTest>

namespace {

QStringList Rows(const TTimesOf& w) {
    QStringList rows;
    for (int i = 0; i < w.List()->Count(); ++i)
        rows << w.List()->Text(i);
    return rows;
}

void Pick(TTimesOf& w, int row) {
    w.IndexList->setCurrentIndex(w.List()->index(row));
}

} // namespace

TEST_F(SearchTest, OccurrencesListEveryHitWithItsTextAndPlace) {
    SetText("cat\r\nconcat\tcat and a very long line after the last cat\r\n");
    p->searchtext->setEditText(QStringLiteral("cat"));
    p->OccurInCurrent->trigger();
    TTimesOf* w = win->SearchCommands->TimesOf;
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->PanelCaption1->text(), "Förekomster av texten \"cat\"");
    EXPECT_EQ(w->StatusText->text(), "Totalt antal förekomster: 4");
    // Line breaks and tabs show as blanks, so that each entry is one line.
    EXPECT_EQ(Rows(*w), (QStringList{"1: cat  concat cat and a very long ...",
                                     "9: cat cat and a very long line aft...",
                                     "13: cat and a very long line after t...", "53: cat  ..."}));
    EXPECT_EQ(TSearchPanel::History(p->searchtext), QStringList{"cat"});

    // Whole words, and a listing that finds nothing.
    p->whwo->setChecked(true);
    p->OccurInCurrent->trigger();
    EXPECT_EQ(win->SearchCommands->TimesOf, w) << "one window, made once";
    EXPECT_EQ(w->PanelCaption1->text(), "Förekomster av ordet \"cat\"");
    EXPECT_EQ(w->List()->Count(), 3);
    p->searchtext->setEditText(QStringLiteral("dog"));
    p->OccurInCurrent->trigger();
    EXPECT_EQ(w->List()->Count(), 0);
    EXPECT_EQ(w->StatusText->text(), "Totalt antal förekomster: 0");

    // "Börja om" is read, not cleared, by a listing.
    p->startover->setChecked(true);
    p->OccurInCurrent->trigger();
    EXPECT_TRUE(p->startover->isChecked());

    w->ClearItem->trigger();
    EXPECT_EQ(w->PanelCaption1->text(), "Förekomster");
    EXPECT_TRUE(w->StatusText->text().isEmpty());
    EXPECT_TRUE(seen.isEmpty()) << seen.join(", ").toStdString();
}

TEST_F(SearchTest, AHugeListIsRowsOfAModelAndGoToSelectsTheHitsOwnLength) {
    constexpr int kHits = 200000;
    QByteArray text;
    text.reserve(kHits * 6);
    for (int i = 0; i < kHits; ++i)
        text += "xAbx\r\n";
    SetText(text);
    p->searchtext->setEditText(QStringLiteral("ab"));
    p->OccurInCurrent->trigger();
    TTimesOf* w = win->SearchCommands->TimesOf;
    ASSERT_EQ(w->List()->Count(), kHits);
    EXPECT_EQ(w->IndexList->model()->rowCount(), kHits);
    EXPECT_EQ(w->StatusText->text(), "Totalt antal förekomster: 200000");
    EXPECT_TRUE(w->IndexList->uniformItemSizes());
    EXPECT_LT(w->findChildren<QWidget*>().size(), 40) << "no widget per entry";
    EXPECT_EQ(w->List()->Text(kHits - 1), "1199996: Abx  ...");

    w->resize(400, 300);
    QApplication::processEvents(); // lays out and paints the visible rows only
    Pick(*w, 150000);
    w->IndexList->scrollTo(w->IndexList->currentIndex());
    // A search text of another length must not change what the entry selects.
    p->searchtext->setEditText(QStringLiteral("much longer text"));
    w->GotoItem->trigger();
    EXPECT_EQ(Sel(), std::make_pair(150000 * 6 + 1, 2));
    EXPECT_EQ(win->CodeEditor->GetSelText(), "Ab");

    // Enter and a double click go there as well.
    Pick(*w, 3);
    QTest::keyClick(w->IndexList, Qt::Key_Return);
    EXPECT_EQ(Sel(), std::make_pair(19, 2));
    Pick(*w, 4);
    emit w->IndexList->doubleClicked(w->List()->index(4));
    EXPECT_EQ(Sel(), std::make_pair(25, 2));

    // Without a selected entry nothing happens.
    w->IndexList->setCurrentIndex(QModelIndex());
    w->GotoItem->trigger();
    EXPECT_EQ(Sel(), std::make_pair(25, 2));
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(SearchTest, OccurrencesInAllDocumentsNameTheirDocumentAndGoThere) {
    Type("one hit");
    Open(Make("a.txt", "hit hit\r\n"));
    Open(Make("b.txt", "none\r\n"));
    Open(Make("c.txt", "xhit\r\n"));
    p->searchtext->setEditText(QStringLiteral("hit"));
    p->OccurInAll->trigger();
    TTimesOf* w = win->SearchCommands->TimesOf;
    EXPECT_EQ(Rows(*w), (QStringList{"5: hit  ... (Nytt dokument)", "1: hit hit  ... (a.txt)",
                                     "5: hit  ... (a.txt)", "2: hit  ... (c.txt)"}));
    EXPECT_EQ(w->StatusText->text(), "Totalt antal förekomster: 4");
    EXPECT_EQ(win->CurrentTab(), 3) << "the last document stays active";
    EXPECT_TRUE(win->SearchCommands->OccurrencesSpanAllDocuments);

    Pick(*w, 2);
    w->GotoOccItem();
    EXPECT_EQ(win->CurrentTab(), 1);
    EXPECT_EQ(Sel(), std::make_pair(4, 3));
    Pick(*w, 0);
    w->GotoOccItem();
    EXPECT_EQ(win->CurrentTab(), 0);
    EXPECT_EQ(win->CodeEditor->GetSelText(), "hit");

    // A closed document cannot be shown; nothing else changes.
    win->FilesList->setCurrentIndex(1);
    ASSERT_TRUE(Run("ADocClose"));
    ASSERT_EQ(Captions(), (QStringList{"Nytt dokument (M)", "b.txt (S)", "c.txt (S)"}));
    Pick(*w, 1);
    w->GotoOccItem();
    EXPECT_EQ(seen, QStringList{"M:Det gick inte att öppna dokumentet."});
    EXPECT_EQ(win->CurrentTab(), 0);

    // A listing of one document goes to the current one, whatever the tab.
    p->OccurInCurrent->trigger();
    EXPECT_FALSE(win->SearchCommands->OccurrencesSpanAllDocuments);
    EXPECT_EQ(Rows(*w), QStringList{"5: hit  ..."});
}

TEST_F(SearchTest, OccurrencesExportOneEntryPerLine) {
    SetText("ab ab\r\n");
    p->searchtext->setEditText(QStringLiteral("ab"));
    p->OccurInCurrent->trigger();
    TTimesOf* w = win->SearchCommands->TimesOf;
    const QString target = File("hits.txt");
    fileAnswers = {{target, 0}};
    w->ExportItem->trigger();
    EXPECT_EQ(requests.value(0), "Exportera förekomstlista|1|");
    EXPECT_EQ(lastFilters, (QStringList{"Textdokument (*.txt) (*.txt)", "Alla filformat (*)"}));
    EXPECT_EQ(ReadTestFile(target), "1: ab ab  ...\r\n4: ab  ...\r\n");

    fileAnswers = {{File("missing/folder/hits.txt"), 0}};
    w->ExportItem->trigger();
    EXPECT_EQ(seen, QStringList{"M:Det gick inte att spara förekomstlistan."});
    EXPECT_EQ(ReadTestFile(target), "1: ab ab  ...\r\n4: ab  ...\r\n");

    fileAnswers = {{QString(), 0}};
    w->ExportItem->trigger(); // cancelled: nothing
    EXPECT_EQ(seen.size(), 1);
}
