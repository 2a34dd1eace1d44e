// The new-site wizard: its steps, the folder check that creates one level, "Skapa" only with a
// title, and the site handed to the web-site panel.
#include "WizardFixture.h"
#include "app/commands/WebSiteCommands.h"

#include "app/panels/WebSitesPanel.h"
#include "controls/ValueListEditor.h"
#include "markup/sites/NewSiteWin.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

const QString Exists = QStringLiteral("Den valda katalogen existerar och dess filer kommer att "
                                      "importeras.");
const QString Missing =
    QStringLiteral("Den valda katalogen existerar ej. Välj en katalog som existerar.");
const QString Taken =
    QStringLiteral("Den valda katalogen existerar redan. Välj en ny, icke-existerande katalog.");
const QString Created = QStringLiteral("Den valda katalogen har skapats.");
const QString Failed = QStringLiteral(
    "Den valda katalogen kunde inte skapas. Kontrollera att katalognamnet inte innehåller några "
    "förbjudna tecken och att du har tillåtelse att arbeta i den överliggande katalogen.");

class NewSiteTest : public WizardWinTest {
protected:
    // A wizard taken to the check step with a choice and a folder.
    void ToCheck(TNewSite& w, bool import, const QString& folder) {
        EXPECT_FALSE(w.btnok->isEnabled());
        (import ? w.radioImportSite : w.radioNewSite)->click();
        EXPECT_TRUE(w.btnok->isEnabled());
        w.btnok->click();
        EXPECT_EQ(w.Step(), 2);
        w.SiteRootDir->setText(folder);
        w.btnok->click();
        EXPECT_EQ(w.Step(), 3);
    }
    QString Folder(const QString& name) const { return QDir(TestRootDir()).filePath(name); }
};

} // namespace

TEST_F(NewSiteTest, TheCheckStepReportsAndCreatesOneLevel) {
    QDir().mkpath(Folder("sites/finns"));
    const struct {
        bool import;
        QString folder;
        QString report;
        bool proceed;
        bool existsAfter;
    } cases[] = {
        {true, Folder("sites/finns"), Exists, true, true},
        {true, Folder("sites/saknas"), Missing, false, false},
        {true, QString(), Missing, false, false},
        {false, Folder("sites/finns"), Taken, false, true},
        {false, Folder("sites/ny"), Created, true, true},
        {false, Folder("sites/djup/ny"), Failed, false, false}, // one level only
        {false, QString(), Failed, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString() + (c.import ? " import" : " new"));
        TNewSite w(*win);
        EXPECT_EQ(w.DirStatusReport->text(), QStringLiteral("Katalog ej verifierad."));
        ToCheck(w, c.import, c.folder);
        EXPECT_EQ(w.SelectedDir->text(), c.folder);
        EXPECT_EQ(w.DirStatusReport->text(), c.report);
        EXPECT_EQ(w.btnok->isEnabled(), c.proceed);
        EXPECT_EQ(QFileInfo(c.folder).isDir(), c.existsAfter);
    }
}

TEST_F(NewSiteTest, ANewSiteAsksForItsOwnFolderAndARelativeOneStartsAtHome) {
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", Folder("home").toUtf8());
    QDir().mkpath(Folder("home"));
    TNewSite w(*win);
    w.radioNewSite->click();
    w.btnok->click();
    EXPECT_EQ(w.DirText->text(), QStringLiteral("Ange sökvägen till den katalog som du vill "
                                                "skapa som webbplatsens rotkatalog."));
    w.SiteRootDir->setText(QStringLiteral("min webb"));
    w.btnok->click();
    EXPECT_EQ(w.SelectedDir->text(), Folder("home/min webb"));
    EXPECT_TRUE(QFileInfo(Folder("home/min webb")).isDir());
    w.SiteRootDir->setText(QStringLiteral("~/x/"));
    EXPECT_EQ(w.RootDir(), Folder("home/x"));
    qputenv("HOME", home);
}

TEST_F(NewSiteTest, CreateNeedsATitleAndHandsTheSiteToThePanel) {
    QDir().mkpath(Folder("sites/import"));
    Answer<TNewSite>([this](TNewSite* w) {
        ToCheck(*w, true, Folder("sites/import"));
        w->btnok->click();
        EXPECT_EQ(w->Step(), 4);
        EXPECT_EQ(w->btnok->text(), QStringLiteral("Skapa"));
        EXPECT_FALSE(w->btnok->isEnabled());
        TValueListEditor* info = w->SiteInfo;
        EXPECT_EQ(info->Strings(), (QStringList{"Titel=", "Författare=", "URL="}));
        info->item(0, 1)->setText(QStringLiteral("Min sajt"));
        EXPECT_TRUE(w->btnok->isEnabled());
        info->item(0, 1)->setText(QString());
        EXPECT_FALSE(w->btnok->isEnabled());
        info->item(0, 1)->setText(QStringLiteral("Min sajt"));
        info->setCurrentCell(0, 0);
        QTest::keyClick(info, Qt::Key_Delete, Qt::ControlModifier); // the title row goes
        EXPECT_FALSE(w->btnok->isEnabled());
        info->item(0, 0)->setText(QStringLiteral("URL")); // a taken key is refused
        info->item(0, 0)->setText(QStringLiteral("Titel"));
        info->item(0, 1)->setText(QStringLiteral("Min sajt"));
        EXPECT_TRUE(w->btnok->isEnabled());
        w->btnok->click();
        return w->result();
    });
    win->projectpn->btnWebsiteNew->click();
    EXPECT_EQ(seen, QStringList{"M:Egenskapen \"URL\" finns redan."});
    ASSERT_EQ(win->WebSites->Sites.size(), 1u);
    EXPECT_EQ(win->WebSites->Sites[0].LocalPath, Folder("sites/import"));
    EXPECT_EQ(win->WebSites->Sites[0].Properties, (QStringList{"Titel=Min sajt", "URL="}));
}

TEST_F(NewSiteTest, BrowsePutsTheChosenFolderIntoThePathField) {
    fileAnswers.push_back({Folder("vald")});
    fileAnswers.push_back({});
    TNewSite w(*win);
    w.btnBrowse->click();
    EXPECT_EQ(w.SiteRootDir->text(), Folder("vald"));
    w.btnBrowse->click(); // cancelled: the field stays
    EXPECT_EQ(w.SiteRootDir->text(), Folder("vald"));
    ASSERT_EQ(requests.size(), 2);
    EXPECT_TRUE(requests[0].startsWith(QStringLiteral("Ange webbplatsens rotkatalog.|")));
}
