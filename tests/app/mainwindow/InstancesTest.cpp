#include "app/StartupFixture.h"

#include "editor/view/TextEditorEx.h"

#include <QDir>

namespace {

// A window with unsaved text in its new document, backed up.
void EditAndBackUp(Tmain& w, const QByteArray& text) {
    w.CodeEditor->SetText(text);
    w.SetModified();
    ASSERT_TRUE(w.BackupDoc());
}

} // namespace

// Two windows at once are two instances: neither offers the other's backups, neither writes
// over the other's, and the one that ends without closing is offered to the next start alone.
TEST_F(StartupTest, TwoInstancesKeepTheirMarksAndBackupsApart) {
    auto first = std::make_unique<Tmain>();
    first->show();
    auto second = std::make_unique<Tmain>();
    second->show();
    EXPECT_FALSE(second->PreviousRunUnfinished) << "the first one has not ended";
    EXPECT_TRUE(seen.isEmpty()) << seen.join('\n').toStdString();
    const QString firstFolder = first->Backups.Folder(), secondFolder = second->Backups.Folder();
    EXPECT_NE(firstFolder, secondFolder);

    EditAndBackUp(*first, "first\r\n");
    EditAndBackUp(*second, "second\r\n");
    EXPECT_EQ(ReadTestFile(firstFolder + "/0 Nytt dokument"), "first\r\n");
    EXPECT_EQ(ReadTestFile(secondFolder + "/0 Nytt dokument"), "second\r\n");

    // The second ends without closing, then the first closes in order.
    second.reset();
    answers = {Dialogs::mrNo};
    EXPECT_TRUE(first->close());
    first.reset();
    seen.clear();

    // The next start offers the second one's backups, in its folder.
    answers = {Dialogs::mrYes};
    fileAnswers = {QString()};
    win = std::make_unique<Tmain>();
    EXPECT_TRUE(win->PreviousRunUnfinished);
    win->show();
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].startsWith("Q:")) << seen[0].toStdString();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_TRUE(requests[0].endsWith("|" + secondFolder + "/")) << requests[0].toStdString();
    EXPECT_EQ(win->Backups.Folder(), secondFolder);
    EXPECT_EQ(ReadTestFile(firstFolder + "/0 Nytt dokument"), "first\r\n");

    // A start beside it finds nothing more to offer.
    seen.clear();
    auto beside = std::make_unique<Tmain>();
    EXPECT_FALSE(beside->PreviousRunUnfinished);
    EXPECT_EQ(beside->Backups.Folder(), firstFolder);
}
