#include "MainWinFixture.h"
#include "app/core/WebsiteData.h"
#include "app/panels/WebSitesPanel.h"
#include "platform/AppPaths.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

namespace {

QStringList SiteFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.site")}, QDir::Files, QDir::Name);
}

// Every node of a tree as an indented path list, in the tree's order.
void Collect(QTreeWidgetItem* node, const QString& prefix, QStringList* out) {
    const QString path = prefix + node->text(0);
    *out << path;
    for (int i = 0; i < node->childCount(); ++i)
        Collect(node->child(i), path + QLatin1Char('/'), out);
}

QStringList TreePaths(QTreeWidget* tree) {
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        Collect(tree->topLevelItem(i), QString(), &out);
    out.sort();
    return out;
}

QTreeWidgetItem* FindNode(QTreeWidget* tree, const QString& path) {
    const QStringList parts = path.split(QLatin1Char('/'));
    QTreeWidgetItem* node = nullptr;
    for (const QString& part : parts) {
        QTreeWidgetItem* next = nullptr;
        const int n = node ? node->childCount() : tree->topLevelItemCount();
        for (int i = 0; i < n && !next; ++i) {
            QTreeWidgetItem* c = node ? node->child(i) : tree->topLevelItem(i);
            if (c->text(0) == part)
                next = c;
        }
        if (!next)
            return nullptr;
        node = next;
    }
    return node;
}

} // namespace

TEST(WebsiteFilter, ListsTheExtensionsOfThePattern) {
    const struct {
        const char* pattern;
        const char* extension;
        bool listed;
    } cases[] = {
        {"*.htm;*.html", ".htm", true},
        {"*.htm;*.html", ".html", true},
        {"*.htm;*.html", ".HTM", false}, // case-sensitive
        {"*.htm;*.html", ".ht", false},
        {"*.htm;*.html", "", false},
        {"*.*", "", true}, // files without extension only under "*.*"
        {"*.*", ".anything", true},
        {"*.txt", "", false},
        {"*.cgi;*.pl;*.c;*.cpp", ".c", true}, // not hidden by the earlier ".cgi"
        {"*.cgi;*.pl;*.c;*.cpp", ".cpp", true},
        {"*.cgi;*.pl;*.c;*.cpp", ".cp", false},
        {"*.php;*.php?", ".php4", true},
        {"*.php;*.php?", ".php45", false},
        {"*.css", ".cssx", false},
        {"", ".htm", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WebsiteFilter::Filter(QLatin1String(c.pattern), QLatin1String(c.extension)),
                  c.listed)
            << c.pattern << " " << c.extension;

    EXPECT_EQ(WebsiteFilter::PatternOf(QStringLiteral("HTML-dokument (*.htm;*.html)")),
              QStringLiteral("*.htm;*.html"));
    EXPECT_EQ(WebsiteFilter::PatternOf(QStringLiteral("*.inc;*.js")), QStringLiteral("*.inc;*.js"));
    EXPECT_EQ(WebsiteFilter::ExtensionOf(QStringLiteral("a.tar.gz")), QStringLiteral(".gz"));
    EXPECT_EQ(WebsiteFilter::ExtensionOf(QStringLiteral("README")), QString());
}

TEST(WebsiteFiles, ParseAndFormatRoundTrip) {
    // Blank lines go; a line without "=" stays; every LocalPath line leaves the properties.
    const QByteArray bytes = "Titel=Min sida \xE5\x80\r\n"
                             "\r\n"
                             "URL=http://example.org/?a=b\r\n"
                             "utan likhetstecken\r\n"
                             "LocalPath=/home/a/sida\r\n"
                             "LocalPath=/old\n"
                             "Tom=";
    const TWebsiteData site = WebsiteFiles::Parse(bytes);
    EXPECT_EQ(site.LocalPath, QStringLiteral("/home/a/sida"));
    EXPECT_EQ(site.Properties,
              (QStringList{QStringLiteral("Titel=Min sida å€"),
                           QStringLiteral("URL=http://example.org/?a=b"),
                           QStringLiteral("utan likhetstecken"), QStringLiteral("Tom=")}));
    EXPECT_EQ(site.Value(QStringLiteral("URL")), QStringLiteral("http://example.org/?a=b"));
    EXPECT_EQ(site.Value(QStringLiteral("utan likhetstecken")), QString());
    EXPECT_EQ(site.Value(QStringLiteral("Saknas")), QString());

    const QByteArray written = WebsiteFiles::Format(site);
    EXPECT_EQ(written, QByteArray("Titel=Min sida \xE5\x80\r\nURL=http://example.org/?a=b\r\n"
                                  "utan likhetstecken\r\nTom=\r\nLocalPath=/home/a/sida\r\n"));
    const TWebsiteData again = WebsiteFiles::Parse(written);
    EXPECT_EQ(again.LocalPath, site.LocalPath);
    EXPECT_EQ(again.Properties, site.Properties);

    EXPECT_EQ(WebsiteFiles::Parse("Titel=x").LocalPath, QString()); // no folder line
}

TEST(WebsiteFiles, SaveLeavesExactlyOneFilePerSite) {
    const QString folder = QDir(TestRootDir()).filePath(QStringLiteral("sites-save"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    WriteTestFile(folder + QStringLiteral("/gammal.site"), "Titel=Gammal\r\nLocalPath=/g\r\n");
    WriteTestFile(folder + QStringLiteral("/Webbplats 7.site"), "Titel=Sju\r\n");
    WriteTestFile(folder + QStringLiteral("/annat.txt"), "kvar");

    const TWebsitesData sites = {{QStringLiteral("/a"), {QStringLiteral("Titel=A")}},
                                 {QStringLiteral("/b"), {QStringLiteral("Titel=B")}}};
    QStringList reported;
    WebsiteFiles::Save(folder, sites, [&](const QString& m) { reported << m; });
    EXPECT_TRUE(reported.isEmpty());
    EXPECT_EQ(SiteFiles(folder), (QStringList{QStringLiteral("Webbplats 0.site"),
                                              QStringLiteral("Webbplats 1.site")}));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/annat.txt")));
    EXPECT_EQ(ReadTestFile(folder + QStringLiteral("/Webbplats 1.site")),
              QByteArray("Titel=B\r\nLocalPath=/b\r\n"));

    const TWebsitesData loaded = WebsiteFiles::Load(folder);
    ASSERT_EQ(loaded.size(), 2u);
    QStringList titles{loaded[0].Value(QStringLiteral("Titel")),
                       loaded[1].Value(QStringLiteral("Titel"))};
    titles.sort();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));

    // A site that cannot be written is reported and the next one is still written.
    QFile::remove(folder + QStringLiteral("/Webbplats 0.site"));
    QDir().mkpath(folder + QStringLiteral("/Webbplats 0.site")); // a folder in the file's way
    reported.clear();
    WebsiteFiles::Save(folder, sites, [&](const QString& m) { reported << m; });
    EXPECT_EQ(reported, QStringList{QStringLiteral(
                            "Det gick inte att spara en webbplatsdeklaration (Webbplats 0).")});
    EXPECT_EQ(ReadTestFile(folder + QStringLiteral("/Webbplats 1.site")),
              QByteArray("Titel=B\r\nLocalPath=/b\r\n"));
}

// A main window with a site whose root holds a small folder tree.
class WebSitesTest : public MainWinTest {
protected:
    void SetUp() override {
        QDir(AppPaths::DataFile(QStringLiteral("Webbplatser"))).removeRecursively();
        MainWinTest::SetUp();
        p = win->projectpn;
        root = File(QStringLiteral("site"));
        for (const char* name :
             {"index.htm", "b.html", "c.HTM", "README", "style.css", "sub/page.html", "sub/pic.png",
              "sub/deep/x.htm", "sub/deep/deeper/hidden.htm"})
            WriteTestFile(root + QLatin1Char('/') + QLatin1String(name), "<p>");
        win->WebSites->AddSite(root,
                               {QStringLiteral("Titel=Sidan"), QStringLiteral("URL=http://x")});
        win->WebSites->AddSite(File(QStringLiteral("none")), {QStringLiteral("Titel=Andra")});
    }
    void Select(int row) {
        p->Websites->setCurrentRow(row);
        p->UpdateWebsite();
    }
    void ChooseFilter(int index) {
        p->WebPageFilter->setCurrentIndex(index);
        emit p->WebPageFilter->activated(index);
    }

    TWebSitesPanel* p = nullptr;
    QString root;
};

TEST_F(WebSitesTest, TreeShowsThreeLevelsThroughTheFilter) {
    EXPECT_EQ(p->Websites->count(), 2);
    EXPECT_EQ(p->Websites->item(0)->text(), QStringLiteral("Sidan"));
    EXPECT_FALSE(p->btnWebsiteDelete->isEnabled());
    Select(0);
    EXPECT_TRUE(p->btnWebsiteDelete->isEnabled());
    EXPECT_EQ(p->GridLines(),
              (QStringList{QStringLiteral("Titel=Sidan"), QStringLiteral("URL=http://x")}));
    // Level 3 "deeper" is shown without its children.
    EXPECT_EQ(TreePaths(p->Webpages),
              (QStringList{"README", "b.html", "c.HTM", "index.htm", "style.css", "sub", "sub/deep",
                           "sub/deep/deeper", "sub/deep/x.htm", "sub/page.html", "sub/pic.png"}));

    ChooseFilter(1); // "HTML-dokument (*.htm;*.html)"
    EXPECT_EQ(p->FilterPattern(), QStringLiteral("*.htm;*.html"));
    EXPECT_EQ(TreePaths(p->Webpages),
              (QStringList{"b.html", "index.htm", "sub", "sub/deep", "sub/deep/deeper",
                           "sub/deep/x.htm", "sub/page.html"}));

    // A pattern typed by the user, without parentheses.
    p->WebPageFilter->setEditText(QStringLiteral("*.png;*.css"));
    QTest::keyClick(p->WebPageFilter, Qt::Key_Return);
    EXPECT_EQ(TreePaths(p->Webpages),
              (QStringList{"style.css", "sub", "sub/deep", "sub/deep/deeper", "sub/pic.png"}));

    Select(1); // a site whose folder is missing shows an empty tree
    EXPECT_EQ(p->Webpages->topLevelItemCount(), 0);
}

TEST_F(WebSitesTest, OpensTheSelectedFileAsADocument) {
    Select(0);
    p->WebpagePopup->aboutToShow();
    EXPECT_FALSE(p->mnuOpenFile->isEnabled()); // nothing selected
    QTreeWidgetItem* node = FindNode(p->Webpages, QStringLiteral("sub/deep/x.htm"));
    ASSERT_NE(node, nullptr);
    p->Webpages->setCurrentItem(node);
    EXPECT_EQ(p->SelectedFile(), root + QStringLiteral("/sub/deep/x.htm"));
    p->WebpagePopup->aboutToShow();
    ASSERT_TRUE(p->mnuOpenFile->isEnabled());
    p->mnuOpenFile->trigger();
    EXPECT_EQ(win->Current().FileName, root + QStringLiteral("/sub/deep/x.htm"));
    EXPECT_TRUE(win->CodeEditor->Text().startsWith("<p>"));

    // A folder is not opened.
    const int tabs = win->FilesList->count();
    p->Webpages->setCurrentItem(FindNode(p->Webpages, QStringLiteral("sub")));
    emit p->Webpages->itemDoubleClicked(p->Webpages->currentItem(), 0);
    EXPECT_EQ(win->FilesList->count(), tabs);
}

TEST_F(WebSitesTest, EditsNeedATitleAndRemovingTheLastSiteEmptiesThePanel) {
    Select(0);
    p->WebsiteDataView->item(0, 1)->setText(QString()); // empties "Titel"
    EXPECT_EQ(seen, QStringList{QStringLiteral("M:Egenskapen \"Titel\" är obligatorisk.")});
    EXPECT_EQ(win->WebSites->Sites[0].Properties.first(), QStringLiteral("Titel=Sidan"));
    p->WebsiteDataView->item(0, 1)->setText(QStringLiteral("Ny titel"));
    EXPECT_EQ(win->WebSites->Sites[0].Properties.first(), QStringLiteral("Titel=Ny titel"));

    p->btnWebsiteDelete->click();
    ASSERT_EQ(win->WebSites->Sites.size(), 1u);
    EXPECT_EQ(win->WebSites->Sites[0].Value(QStringLiteral("Titel")), QStringLiteral("Andra"));
    EXPECT_EQ(p->Websites->currentRow(), 0);
    p->btnWebsiteDelete->click();
    EXPECT_TRUE(win->WebSites->Sites.empty());
    EXPECT_EQ(p->WebsiteDataView->rowCount(), 0);
    EXPECT_EQ(p->Webpages->topLevelItemCount(), 0);
    EXPECT_FALSE(p->btnWebsiteDelete->isEnabled());
}

TEST_F(WebSitesTest, SitesComeBackAfterARestart) {
    const QString folder = AppPaths::DataFile(QStringLiteral("Webbplatser"));
    win->close();
    EXPECT_EQ(SiteFiles(folder), (QStringList{QStringLiteral("Webbplats 0.site"),
                                              QStringLiteral("Webbplats 1.site")}));
    win = std::make_unique<Tmain>();
    QStringList titles;
    for (const TWebsiteData& site : win->WebSites->Sites)
        titles << site.Value(QStringLiteral("Titel"));
    titles.sort();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Andra"), QStringLiteral("Sidan")}));
    EXPECT_EQ(win->projectpn->Websites->count(), 2);
}

TEST_F(WebSitesTest, VisibilityTogglesAndIsStored) {
    ASSERT_FALSE(win->SidePanelVisible(win->projectpn));
    ASSERT_TRUE(Run("VToggleCommonDocs"));
    EXPECT_TRUE(win->SidePanelVisible(win->projectpn));
    EXPECT_TRUE(win->CurrentSettings().ShowCommonDocs);
    win->CentralActionListUpdate();
    EXPECT_TRUE(win->Action(QStringLiteral("VToggleCommonDocs"))->isChecked());
    ASSERT_TRUE(Run("VToggleCommonDocs"));
    EXPECT_FALSE(win->CurrentSettings().ShowCommonDocs);

    TSettingsValues values = win->CurrentSettings();
    values.ShowCommonDocs = true;
    win->ApplySettings(values);
    EXPECT_TRUE(win->SidePanelVisible(win->projectpn));
}
