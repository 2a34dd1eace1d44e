// A subroutine set as the start event does a whole job without a person: it writes into the
// new document, selects the text, exports it to a file and ends the program.
#include "app/StartupFixture.h"

#include "editor/view/TextEditorEx.h"
#include "subroutines/runs/SubroutineEnvironment.h"

namespace {

TEST_F(StartupTest, StartEventSubroutineDoesAWholeJobAndEndsTheProgram) {
    const QString out = File("ut.txt");
    const QString job = Make("jobb.sub", "write Hej fr\xE5n starten\r\n"
                                         "select all\r\n"
                                         "export " +
                                             out.toLocal8Bit() +
                                             "\r\n"
                                             "terminate application\r\n"
                                             "write aldrig");
    Store(QStringLiteral("EventOnBeforeProgstart"), job);
    Store(QStringLiteral("AutoBackup"), 1);
    const TSubroutineEnvironment saved = SubroutineEnvironment();
    int terminated = 0;
    SubroutineEnvironment().Terminate = [&terminated] { ++terminated; };

    TProgram program({});
    EXPECT_FALSE(program.Start()) << "no message loop after the end";
    SubroutineEnvironment() = saved;

    EXPECT_EQ(ReadTestFile(out), QByteArray("Hej fr\xE5n starten\r\n"));
    EXPECT_EQ(terminated, 1);
    EXPECT_TRUE(seen.isEmpty()) << "nobody was asked anything";
    Tmain* main = program.Main();
    ASSERT_TRUE(main);
    EXPECT_TRUE(main->Terminated);
    EXPECT_EQ(main->CodeEditor->Text(), QByteArray("Hej fr\xE5n starten\r\n"));
    // No close ran: the next start finds the mark of a run that did not end, and the backup
    // of the document to offer.
    EXPECT_EQ(Stored("Running").toInt(), 1);
    EXPECT_FALSE(QDir(main->Backups.Folder()).entryList(QDir::Files).isEmpty());
}

} // namespace
