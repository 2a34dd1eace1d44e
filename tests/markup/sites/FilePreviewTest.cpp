// The file preview: its pages byte for byte, hostile names, and what the browser is told.
#include "WizardFixture.h"
#include "app/commands/WebSiteCommands.h"

#include "app/panels/WebSitesPanel.h"
#include "markup/sites/FilePreviewPage.h"
#include "markup/sites/FilePreviewWin.h"
#include "platform/AppPaths.h"
#include "platform/Cp1252.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QTreeWidget>
#include <QUrl>

using namespace FilePreviewPage;

TEST(FilePreviewPage, ErrorPagesAreFixedBytes) {
    EXPECT_EQ(MissingPage(),
              "<HTML><HEAD><TITLE>Fel</TITLE></HEAD><BODY><H1>Den angivna filen finns inte.</H1>"
              "<P STYLE=\"font-family:Verdana; font-size:small;\">Kelvora</P></BODY></HTML>\r\n");
    EXPECT_EQ(FailurePage(),
              "<HTML><HEAD><TITLE>Fel</TITLE></HEAD><BODY><H1>Den angivna filen kunde inte "
              "\xF6ppnas.</H1><P STYLE=\"font-family:Verdana; font-size:small;\">Kelvora</P>"
              "</BODY></HTML>\r\n");
}

TEST(FilePreviewPage, PicturesAreWrappedOtherFilesShownDirectly) {
    const struct {
        const char* name;
        bool wrapped;
    } cases[] = {
        {"a.png", true},  {"a.jpeg", true},  {"a.tga", true},   {"a.tif", true},
        {"a.JPG", false}, {"a.html", false}, {"a.php3", false}, {"a.png.txt", false},
        {"utan", false},  {".png", true},    {"b.bmp", true},   {"c.gif", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = WriteTestFile(QStringLiteral("kinds/") + c.name, "x");
        EXPECT_EQ(IsImage(file), c.wrapped);
        EXPECT_EQ(For(file).ShowsFile(), !c.wrapped);
    }
    EXPECT_EQ(For(QDir(TestRootDir()).filePath("kinds/saknas.png")).Page, MissingPage());
}

TEST(FilePreviewPage, ThePicturePageEscapesNameAndPathAndLinksAnEncodedUrl) {
    const QString file =
        WriteTestFile(QStringLiteral("bilder/<img src=x onerror=\"alert(1)\"> & ö 字.png"), "x");
    const QString path = QFileInfo(file).absoluteFilePath();
    const QByteArray dir = QDir(TestRootDir()).filePath("bilder").toUtf8();
    const QByteArray name =
        "&lt;img src=x onerror=&quot;alert(1)&quot;&gt; &amp; \xF6 &#23383;.png";
    const QByteArray url = QUrl::fromLocalFile(path).toEncoded();
    EXPECT_FALSE(url.contains('<') || url.contains('"') || url.contains(' '));
    const QByteArray expected =
        "<HTML><HEAD><TITLE>F\xF6rhandsgranskning</TITLE></HEAD><BODY><H1>" + name +
        "</H1><P STYLE=\"font-family:Verdana; font-size:small;\">" + dir + "/" + name +
        "</P><P><IMG SRC=\"" + QByteArray(url).replace("&", "&amp;") + "\"></P></BODY></HTML>\r\n";
    EXPECT_EQ(QString::fromLatin1(ImagePage(file)), QString::fromLatin1(expected));
    EXPECT_FALSE(ImagePage(file).contains("<img"));
}

namespace {

class FilePreviewWinTest : public WizardWinTest {};

} // namespace

TEST_F(FilePreviewWinTest, ShowsItsPagesFromAPrivateFileAndFilesDirectly) {
    const QString page = WriteTestFile(QStringLiteral("site/index.html"), "<p>x</p>");
    const QString picture = WriteTestFile(QStringLiteral("site/bild.gif"), "GIF89a");
    TFilePreview preview(*win);
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Förhandsgranskning"));
    TRecordingPreviewBrowser* browser = BrowserOf(preview.Browser());
    const QString own = preview.Browser()->FileName();
    EXPECT_EQ(QFileInfo(own).fileName(), QStringLiteral("_filepreview.html"));
    EXPECT_FALSE(own.startsWith(AppPaths::DataDir()));

    preview.Preview(page);
    EXPECT_EQ(browser->Last(), "navigate " + page);
    preview.Preview(picture);
    EXPECT_EQ(browser->Last(), "navigate " + own);
    EXPECT_EQ(ReadTestFile(own), ImagePage(picture));
    preview.Preview(QDir(TestRootDir()).filePath("site/borta.html"));
    EXPECT_EQ(browser->Last(), "reload " + own);
    EXPECT_EQ(ReadTestFile(own), MissingPage());

    // A file the browser cannot open: the failure page in its place.
    preview.Preview(page);
    browser->Fail();
    EXPECT_EQ(browser->Last(), "navigate " + own);
    EXPECT_EQ(ReadTestFile(own), FailurePage());
}

TEST_F(FilePreviewWinTest, TheSitePanelPreviewsAndLinksItsSelectedFile) {
    const QString root = QFileInfo(WriteTestFile(QStringLiteral("panel/a.html"), "x")).path();
    win->WebSites->AddSite(root, {QStringLiteral("Titel=Sajt")});
    TWebSitesPanel* panel = win->projectpn;
    panel->Websites->setCurrentRow(0);
    ASSERT_EQ(panel->Webpages->topLevelItemCount(), 1);
    panel->Webpages->setCurrentItem(panel->Webpages->topLevelItem(0));
    emit panel->WebpagePopup->aboutToShow();
    EXPECT_TRUE(panel->mnuPreviewFile->isEnabled());
    EXPECT_TRUE(panel->mnuInsertA_HREF->isEnabled());
    EXPECT_TRUE(panel->mnuInsertIMG_SRC->isEnabled());

    Answer<TFilePreview>([&](TFilePreview* p) {
        EXPECT_EQ(BrowserOf(p->Browser())->Last(), "navigate " + QDir(root).filePath("a.html"));
        return int(Dialogs::mrOk);
    });
    panel->mnuPreviewFile->trigger();
    EXPECT_EQ(opened.size(), 1);
}
