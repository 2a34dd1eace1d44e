#include "ModulesFixture.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "modules/ModulesListWin.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <unistd.h>

namespace {

const QString kAlreadyLoaded = QStringLiteral("M:Den angivna modulen är redan laddad.");
const QString kNotFound = QStringLiteral("M:Det gick inte att hitta den angivna modulen.");
const QString kNoContact =
    QStringLiteral("M:Det gick inte att initiera kontakt med den angivna modulen.");

// A copy of the sample under another file name: another library to the system.
QString SampleCopy(const QString& name) {
    const QString path = QDir(TestRootDir()).filePath(name);
    QFile::remove(path);
    QFile::copy(SampleModulePath(), path);
    return path;
}

} // namespace

using ModuleLoadingTest = ModulesTest;

TEST_F(ModuleLoadingTest, SampleConnectsGetsItsToolbarAndGoesWithEverything) {
    const kv_module handle = LoadSample();
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(ListedPaths(), QStringList{SampleModulePath()});
    EXPECT_TRUE(seen.isEmpty()) << seen.join(QLatin1Char('\n')).toStdString();
    // Connect saw the program's path and was not listed yet; PostConnect was.
    EXPECT_EQ(TakeLog(), (QByteArrayList{"connect=path", "connect toolbar=3",
                                         "postconnect toolbar=0", "button=0", "button=0"}));
    EXPECT_EQ(Toolbars(), QStringList{"Exempelmodul|Text|Taggar"});

    QToolBar* bar = ToolbarOf(0);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(win->toolBarArea(bar), Qt::BottomToolBarArea);
    auto* caption = bar->findChild<QLabel*>(QStringLiteral("ModuleToolbarCaption"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), QStringLiteral("  Exempelmodul  "));
    EXPECT_TRUE(caption->font().bold());
    EXPECT_EQ(caption->textFormat(), Qt::PlainText);

    // Both buttons run their procedures through the real click.
    for (QAction* a : bar->actions())
        if (a->objectName() == QLatin1String("ModuleToolButton"))
            a->trigger();
    const QByteArrayList log = TakeLog();
    EXPECT_TRUE(log.contains("text roundtrip=ok"));
    EXPECT_TRUE(log.contains("tag=<A HREF=\"sida.html\" NOWRAP=\"NOWRAP\">Till sidan \xFF</A>"));

    // A second toolbar, then freeing the module takes both away.
    Click(handle, "SampleSecondToolbar");
    EXPECT_EQ(Toolbars(), (QStringList{"Exempelmodul|Text|Taggar", "Mer|Dokument"}));
    host->FreeModule(0);
    EXPECT_TRUE(host->LoadedModules().empty());
    EXPECT_TRUE(Toolbars().isEmpty());
    EXPECT_EQ(TakeLog(), (QByteArrayList{"second toolbar=0", "button=0", "disconnect",
                                         "disconnect filename=Nytt dokument"}));
}

TEST_F(ModuleLoadingTest, FreedModuleIsUnmappedAndItsOldButtonsDoNothing) {
    ReleaseSample(); // the program's reference is the only one
    const kv_module handle = LoadSample();
    ASSERT_NE(handle, 0u);
    EXPECT_TRUE(LibraryMapped(SampleModulePath()));
    QPointer<QAction> button = ToolbarOf(0)->actions().last();
    host->FreeModule(0);
    EXPECT_FALSE(LibraryMapped(SampleModulePath()));
    // A click that was under way when the module went reaches nothing.
    Click(handle, "SampleText");
    if (button)
        button->trigger();
    EXPECT_TRUE(Toolbars().isEmpty());
    EXPECT_TRUE(button.isNull());
}

TEST_F(ModuleLoadingTest, RefusedLoadsLeaveNothingLoaded) {
    const QString missing = QDir(TestRootDir()).filePath(QStringLiteral("saknas.so"));
    const QString notALibrary =
        WriteTestFile(QStringLiteral("text.so"), QByteArrayLiteral("inget bibliotek\n"));
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {missing, kNotFound},
        {notALibrary, kNotFound},
        {NoConnectModulePath(), kNoContact}, // no Connect
        {RefusingModulePath(), kNoContact},  // Connect refuses the table's version
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        seen.clear();
        host->LoadModule(c.path);
        EXPECT_EQ(seen, QStringList{c.message});
        EXPECT_TRUE(host->LoadedModules().empty());
        EXPECT_FALSE(LibraryMapped(c.path));
    }
    EXPECT_TRUE(Toolbars().isEmpty());
    // An empty name does nothing at all.
    seen.clear();
    host->LoadModule(QString());
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(ModuleLoadingTest, SameLibraryUnderAnotherSpellingIsADuplicate) {
    const QString path = SampleModulePath();
    const QFileInfo info(path);
    const QString link = QDir(TestRootDir()).filePath(QStringLiteral("länk.so"));
    QFile::remove(link);
    ASSERT_TRUE(QFile::link(path, link));
    const QString dotted = info.absolutePath() + QStringLiteral("/./") + info.fileName();
    const QString hardLink = QDir(TestRootDir()).filePath(QStringLiteral("hård.so"));
    QFile::remove(hardLink);
    const bool haveHardLink = ::link(QFile::encodeName(path), QFile::encodeName(hardLink)) == 0;

    ASSERT_NE(LoadSample(), 0u);
    QStringList names{path, dotted, link};
    if (haveHardLink)
        names << hardLink; // the same file, found only by the loaded object's identity
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        seen.clear();
        host->LoadModule(name);
        EXPECT_EQ(seen, QStringList{kAlreadyLoaded});
        EXPECT_EQ(host->LoadedModules().size(), 1u);
    }
    EXPECT_EQ(Toolbars().size(), 1);
    EXPECT_EQ(TakeLog().count("disconnect"), 0);
    // The one entry still works, and goes whole.
    host->FreeModule(0);
    EXPECT_TRUE(host->LoadedModules().empty());
}

TEST_F(ModuleLoadingTest, FreeingTheMiddleModuleKeepsTheOrderOfTheOthers) {
    const QStringList paths{SampleCopy(QStringLiteral("a.so")), SampleCopy(QStringLiteral("b.so")),
                            SampleCopy(QStringLiteral("c.so"))};
    std::vector<kv_module> handles;
    for (const QString& p : paths)
        handles.push_back(LoadSample(p));
    EXPECT_EQ(ListedPaths(), paths);
    EXPECT_NE(handles[0], handles[1]);
    EXPECT_NE(handles[1], handles[2]);
    EXPECT_EQ(Toolbars().size(), 3);

    host->FreeModule(1);
    EXPECT_EQ(ListedPaths(), (QStringList{paths[0], paths[2]}));
    EXPECT_FALSE(LibraryMapped(paths[1]));
    EXPECT_TRUE(LibraryMapped(paths[2]));
    EXPECT_EQ(Toolbars().size(), 2);
    // The handles of the others still reach them.
    for (const kv_module h : {handles[0], handles[2]})
        EXPECT_EQ(TModuleHost::Holding(h), host);
    EXPECT_EQ(TModuleHost::Holding(handles[1]), nullptr);
}

TEST_F(ModuleLoadingTest, ClosingTheWindowUnloadsEveryModuleWhileDocumentsRemain) {
    const QString second = SampleCopy(QStringLiteral("andra.so"));
    ASSERT_NE(LoadSample(), 0u);
    ASSERT_NE(LoadSample(second), 0u);
    TakeLog();
    win->close();
    EXPECT_TRUE(host->LoadedModules().empty());
    EXPECT_FALSE(LibraryMapped(second));
    // Disconnect ran while the document table still had the current document.
    EXPECT_EQ(TakeLog(), (QByteArrayList{"disconnect", "disconnect filename=Nytt dokument"}));
}

TEST_F(ModuleLoadingTest, WindowGoingWithoutCloseDisconnectsWithNothingToActOn) {
    ASSERT_NE(LoadSample(), 0u);
    TakeLog();
    win.reset();
    EXPECT_EQ(TakeLog(), (QByteArrayList{"disconnect", "disconnect filename=(status 2)"}));
}

TEST_F(ModuleLoadingTest, ToolbarCallsWithoutAToolbarOrForAnotherHandle) {
    const kv_module handle = LoadSample();
    TakeLog();
    Click(handle, "SampleFreeToolbar");
    Click(handle, "SampleFreeToolbar"); // none left: nothing to do
    EXPECT_TRUE(Toolbars().isEmpty());
    EXPECT_EQ(TakeLog(), (QByteArrayList{"free toolbar=0", "free toolbar=0"}));
    // A button needs a toolbar.
    EXPECT_EQ(ModuleFunctionTable()->AddModuleToolbarButton(handle, "x", "SampleText"), KV_ERROR);
    EXPECT_EQ(ModuleFunctionTable()->CreateModuleToolbar(handle + 77, "x"), KV_BAD_ARGUMENT);
    EXPECT_TRUE(Toolbars().isEmpty());
    // A procedure name the module does not export does nothing.
    Click(handle, "SaknasHelt");
    EXPECT_TRUE(TakeLog().isEmpty());
}

TEST_F(ModuleLoadingTest, FreeingItsOwnToolbarFromItsButtonIsSafe) {
    const kv_module handle = LoadSample();
    ASSERT_TRUE(ModuleFunctionTable()->AddModuleToolbarButton(handle, "Bort",
                                                              "SampleFreeToolbar") == KV_OK);
    TakeLog();
    QToolBar* bar = ToolbarOf(0);
    QPointer<QAction> remove = bar->actions().last();
    remove->trigger();
    EXPECT_EQ(TakeLog(), QByteArrayList{"free toolbar=0"});
    EXPECT_TRUE(Toolbars().isEmpty());
    EXPECT_TRUE(remove.isNull());
}

TEST_F(ModuleLoadingTest, LoadCommandAsksThenLoads) {
    QStringList asked;
    int filterIndex = -1;
    QString answer;
    other = [&](QDialog* d) {
        auto* prompt = qobject_cast<TInternalFunctionInput*>(d);
        if (!prompt)
            return -1;
        asked << prompt->Q->text();
        filterIndex = prompt->FilterIndex();
        EXPECT_TRUE(prompt->btnSearch->isVisible());
        prompt->A->setText(answer);
        (answer.isEmpty() ? prompt->btnCancel : prompt->btnOk)->click();
        return prompt->result();
    };
    const QString question =
        QStringLiteral("Q:Säkerhetsvarning: Externa moduler exekverar sig själva och får tillgång "
                       "till Kelvoras funktioner och operativsystemets funktioner.|Du bör endast "
                       "ladda modulen om du litar på dess tillverkare. Vill du ladda modulen?");
    ASSERT_TRUE(win->Commands().Has(QStringLiteral("VUserLoadModule")));
    EXPECT_EQ(win->Action(QStringLiteral("VUserLoadModule"))->text(),
              QStringLiteral("Ladda tilläggsmodul..."));

    answer.clear(); // cancelled prompt: no question
    Run("VUserLoadModule");
    EXPECT_TRUE(seen.isEmpty());

    answer = SampleModulePath();
    for (const int reply : {int(Dialogs::mrNo), int(Dialogs::mrCancel)}) {
        seen.clear();
        answers = {reply};
        Run("VUserLoadModule");
        EXPECT_EQ(seen, QStringList{question});
        EXPECT_TRUE(host->LoadedModules().empty());
    }

    seen.clear();
    answers = {int(Dialogs::mrYes)};
    Run("VUserLoadModule");
    EXPECT_EQ(ListedPaths(), QStringList{SampleModulePath()});
    EXPECT_EQ(asked.last(), QStringLiteral("Ange modulens namn:"));
    EXPECT_EQ(filterIndex, 11);
    EXPECT_EQ(TInternalFunctionInput::DocumentFilters().value(filterIndex),
              QStringLiteral("Tilläggsmoduler (endast via speciellt menyval) (*.so)"));
    // Both commands sit on "&Verktyg".
    QMenu* tools = win->Menu(QStringLiteral("Verktyg1"));
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->actions().contains(win->Action(QStringLiteral("VUserLoadModule"))));
    EXPECT_TRUE(tools->actions().contains(win->Action(QStringLiteral("VUserUnloadModule"))));
}

TEST_F(ModuleLoadingTest, ModuleListDisconnectsTheSelectedModule) {
    const QStringList paths{SampleCopy(QStringLiteral("ett.so")),
                            SampleCopy(QStringLiteral("två.so"))};
    for (const QString& p : paths)
        LoadSample(p);
    int row = -1;
    bool closeInstead = false;
    QStringList listed;
    bool enabledAtFirst = true;
    other = [&](QDialog* d) {
        auto* list = qobject_cast<TModulesList*>(d);
        if (!list)
            return -1;
        EXPECT_EQ(list->windowTitle(), QStringLiteral("Tilläggsmoduler"));
        listed.clear();
        for (int i = 0; i < list->ModulesListBox->count(); ++i)
            listed << list->ModulesListBox->item(i)->text();
        enabledAtFirst = list->btnDisconnect->isEnabled();
        if (row >= 0)
            list->ModulesListBox->setCurrentRow(row);
        EXPECT_EQ(list->btnDisconnect->isEnabled(), row >= 0);
        (closeInstead ? list->btnClose : list->btnDisconnect)->click();
        return list->result();
    };

    closeInstead = true;
    row = 1;
    Run("VUserUnloadModule");
    EXPECT_EQ(listed, paths);
    EXPECT_FALSE(enabledAtFirst);
    EXPECT_EQ(ListedPaths(), paths);

    closeInstead = false;
    row = 0;
    Run("VUserUnloadModule");
    EXPECT_EQ(ListedPaths(), QStringList{paths[1]});
    EXPECT_FALSE(LibraryMapped(paths[0]));
    EXPECT_EQ(Toolbars().size(), 1);
}
