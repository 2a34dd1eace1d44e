#include "editor/model/EditorModel.h"

#include "TestSupport.h"
#include "platform/Cp1252.h"
#include "platform/SilentAbort.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Lines = std::vector<QByteArray>;

Lines LinesOf(const TEditorModel& m) {
    Lines out;
    for (int i = 0; i < m.Lines.Count(); ++i)
        out.push_back(m.Lines.Get(i));
    return out;
}

void Fill(TEditorModel& m, const Lines& lines) {
    m.Lines.Replace(0, m.Lines.Count(), lines);
    m.UpdateView();
}

// --- load and save ---------------------------------------------------------------------------

TEST(EditorModelFiles, LoadAndSaveBytes) {
    struct Case {
        const char* name;
        QByteArray bytes;
        Lines lines;
        QByteArray saved;
    };
    const Case cases[] = {
        {"empty", "", {""}, "\r\n"},
        {"only CR LF", "\r\n", {""}, "\r\n"},
        {"CR LF without final break", "a\r\nb", {"a", "b"}, "a\r\nb\r\n"},
        {"CR LF with final break", "a\r\nb\r\n", {"a", "b"}, "a\r\nb\r\n"},
        {"LF", "a\nb\n", {"a", "b"}, "a\nb\n"},
        {"LF without final break", "a\nb", {"a", "b"}, "a\nb\n"},
        {"LF empty lines", "\n\n", {"", ""}, "\n\n"},
        {"CR", "a\rb\r", {"a", "b"}, "a\r\nb\r\n"},
        {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd\r\n"},
        {"mixed LF and CR LF", "a\nb\r\n", {"a", "b"}, "a\r\nb\r\n"},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
        {"no break", "abc", {"abc"}, "abc\r\n"},
        {"high bytes", "\x80\xE5\xFF\t\x1A", {"\x80\xE5\xFF\t\x1A"}, "\x80\xE5\xFF\t\x1A\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString in = WriteTestFile(QStringLiteral("load/in.txt"), c.bytes);
        TEditorModel m;
        Fill(m, {"old", "text"});
        m.SetSelStart(5);
        m.LoadFromFile(in);
        EXPECT_EQ(LinesOf(m), c.lines);
        EXPECT_EQ(m.GetCaretPos(), QPoint(0, 0));
        EXPECT_FALSE(m.HasSelection());
        const QString out = QDir(TestRootDir()).filePath(QStringLiteral("load/out.txt"));
        m.SaveToFile(out);
        EXPECT_EQ(ReadTestFile(out), c.saved);
    }
}

TEST(EditorModelFiles, LfDocumentCountsTwoPerBreakAndSavesLf) {
    const QString in = WriteTestFile(QStringLiteral("lf/in.txt"), "ab\ncd\n");
    TEditorModel m;
    m.LoadFromFile(in);
    EXPECT_EQ(m.TextLength(), 8);
    EXPECT_EQ(m.Text(), QByteArray("ab\r\ncd\r\n"));
    m.SetSelStart(4);
    EXPECT_EQ(m.GetCaretPos(), QPoint(0, 1));
    m.SetSelText("x\r\ny\nz\r");
    m.SaveToFile(in);
    EXPECT_EQ(ReadTestFile(in), QByteArray("ab\nx\ny\nz\ncd\n"));

    // A CR LF document keeps CR LF whatever breaks are pasted into it.
    const QString crlf = WriteTestFile(QStringLiteral("lf/crlf.txt"), "ab\r\n");
    m.LoadFromFile(crlf);
    m.SetSelText("x\ny\n");
    m.SaveToFile(crlf);
    EXPECT_EQ(ReadTestFile(crlf), QByteArray("x\r\ny\r\nab\r\n"));
}

TEST(EditorModelFiles, ClearStartsACrLfDocument) {
    const QString in = WriteTestFile(QStringLiteral("clear/in.txt"), "ab\ncd\n");
    TEditorModel m;
    m.LoadFromFile(in);
    m.Clear();
    EXPECT_EQ(m.Lines.Style(), LineStore::BreakStyle::CrLf);
    m.SetSelText("x\r\ny");
    const QString out = QDir(TestRootDir()).filePath(QStringLiteral("clear/out.txt"));
    m.SaveToFile(out);
    EXPECT_EQ(ReadTestFile(out), QByteArray("x\r\ny\r\n"));
}

TEST(EditorModelFiles, LoadFailureChangesNothing) {
    const QString nul =
        WriteTestFile(QStringLiteral("nul.txt"), QByteArray("abc\r\nd\0ef\r\nrest", 15));
    const QString missing = QDir(TestRootDir()).filePath(QStringLiteral("no/such/file.txt"));
    for (const QString& file : {nul, missing}) {
        SCOPED_TRACE(file.toStdString());
        TEditorModel m;
        Fill(m, {"keep", "me"});
        m.SetSelStart(7);
        m.SetSelLength(-2);
        int changes = 0;
        m.OnChange = [&](QObject*) { ++changes; };
        try {
            m.LoadFromFile(file);
            ADD_FAILURE() << "no exception";
        } catch (const EKelvoraError& e) {
            EXPECT_TRUE(e.Message().contains(file));
            EXPECT_FALSE(e.ClassName().isEmpty());
        }
        EXPECT_EQ(m.Text(), QByteArray("keep\r\nme\r\n"));
        EXPECT_EQ(m.GetCaretPos(), QPoint(1, 1));
        EXPECT_EQ(m.SelEnd.GetPos(), QPoint(4, 0));
        EXPECT_EQ(changes, 0);
        try {
            m.InsertFromFile(file);
            ADD_FAILURE() << "no exception";
        } catch (const EKelvoraError&) {
        }
        EXPECT_EQ(m.Text(), QByteArray("keep\r\nme\r\n"));
    }
    // The file itself is untouched.
    EXPECT_EQ(ReadTestFile(nul).size(), 15);
}

TEST(EditorModelFiles, InsertFromFileInsertsWithCrLfBreaks) {
    const QString file = WriteTestFile(QStringLiteral("insert.txt"), "x\ny");
    TEditorModel m;
    Fill(m, {"ab"});
    m.SetSelStart(1);
    m.InsertFromFile(file);
    EXPECT_EQ(m.Text(), QByteArray("ax\r\ny\r\nb\r\n"));
    EXPECT_EQ(m.GetCaretPos(), QPoint(0, 2));
}

TEST(EditorModelFiles, SaveKeepsThePermissions) {
    const QString file = WriteTestFile(QStringLiteral("perm/page.html"), "old\r\n");
    const QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                     QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(file, perms));
    TEditorModel m;
    m.LoadFromFile(file);
    m.SetSelText("new ");
    m.SaveToFile(file);
    EXPECT_EQ(ReadTestFile(file), QByteArray("new old\r\n"));
    EXPECT_EQ(QFileInfo(file).permissions() &
                  ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              perms);
    // Nothing is left behind in the folder.
    EXPECT_EQ(QDir(QFileInfo(file).path()).entryList(QDir::Files), QStringList{"page.html"});
}

// Saves into a folder that cannot be written. As root, folder permissions do not hold, so the
// save runs in a child process that gives up root first.
bool SaveFailsInReadOnlyFolder(TEditorModel& m, const QString& file) {
    auto attempt = [&] {
        try {
            m.SaveToFile(file);
            return false;
        } catch (const EKelvoraError& e) {
            return e.Message().contains(file);
        }
    };
    if (geteuid() != 0)
        return attempt();
    const pid_t pid = fork();
    if (pid == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(3);
        _exit(attempt() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(EditorModelFiles, FailedSaveThrowsAndLeavesTheOldFileWhole) {
    const QString file = WriteTestFile(QStringLiteral("locked/page.html"), "old content\r\n");
    const QString dir = QFileInfo(file).path();
    ASSERT_TRUE(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                               QFile::ExeGroup | QFile::ReadOther |
                                               QFile::ExeOther));
    // The folder above must be passable for the unprivileged child.
    QFile::setPermissions(TestRootDir(), QFileInfo(TestRootDir()).permissions() | QFile::ExeOther);
    TEditorModel m;
    Fill(m, {"new", "content that must not half replace the old"});
    EXPECT_TRUE(SaveFailsInReadOnlyFolder(m, file));
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadTestFile(file), QByteArray("old content\r\n"));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{"page.html"});
}

// --- clipboard -------------------------------------------------------------------------------

TEST(EditorModelClipboard, EveryByteButNulAndBreaksRoundTrips) {
    QByteArray bytes;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            bytes.append(static_cast<char>(b));
    TEditorModel m;
    Fill(m, {bytes});
    m.SelectAll();
    m.CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), Cp1252::Decode(bytes));
    m.Clear();
    m.PasteFromClipboard();
    EXPECT_EQ(LinesOf(m), Lines{bytes});
    EXPECT_EQ(m.GetCaretPos(), QPoint(static_cast<int>(bytes.size()), 0));
}

TEST(EditorModelClipboard, BreaksBecomeLfOnTheClipboardAndCrLfInTheText) {
    TEditorModel m;
    Fill(m, {"ab", "cd", "ef"});
    m.SetSelStart(1);
    m.SetSelLength(8);
    m.CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("b\ncd\ne"));

    QGuiApplication::clipboard()->setText(QStringLiteral("1\n2\r\n3\r4\n"));
    m.SetSelStart(0);
    m.PasteFromClipboard();
    EXPECT_EQ(m.Text(), QByteArray("1\r\n2\r\n3\r\n4\r\nab\r\ncd\r\nef\r\n"));
    EXPECT_EQ(m.GetCaretPos(), QPoint(0, 4));
}

TEST(EditorModelClipboard, CutMovesTheSelection) {
    TEditorModel m;
    Fill(m, {"abc", "def"});
    m.SetSelStart(1);
    m.SetSelLength(5);
    m.CutToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bc\nd"));
    EXPECT_EQ(m.Text(), QByteArray("aef\r\n"));
    EXPECT_EQ(m.GetCaretPos(), QPoint(1, 0));
    // An empty selection leaves the clipboard alone.
    m.CutToClipboard();
    m.CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bc\nd"));
}

TEST(EditorModelClipboard, OnlyTextIsPasted) {
    auto* data = new QMimeData;
    data->setData(QStringLiteral("application/octet-stream"), "binary");
    QGuiApplication::clipboard()->setMimeData(data);
    TEditorModel m;
    Fill(m, {"abc"});
    m.PasteFromClipboard();
    EXPECT_EQ(m.Text(), QByteArray("abc\r\n"));
}

} // namespace
