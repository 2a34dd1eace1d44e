#include "markup/sites/NewSiteWin.h"

#include "app/commands/WebSiteCommands.h"
#include "app/mainwindow/MainWin.h"
#include "controls/ValueListEditor.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QGroupBox* Group(const QString& title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    new QVBoxLayout(group);
    return group;
}

QLabel* Text(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TNewSite::TNewSite(Tmain& window, QWidget* parent)
    : QDialog(parent ? parent : &window), window_(window) {
    setObjectName(QStringLiteral("NewSite"));
    setWindowTitle(QStringLiteral("Ny webbplats"));
    Steps = new QStackedWidget(this);

    QGroupBox* import = Group(QStringLiteral("Import"), Steps);
    import->layout()->addWidget(
        Text(QStringLiteral("Har du redan skapat alla webbsidor och vill importera webbplatsen "
                            "till Kelvora eller vill du skapa en ny webbplats i en ny, tom "
                            "katalog?"),
             import));
    radioImportSite = new QRadioButton(QStringLiteral("&Importera webbplats från katalog"), import);
    radioImportSite->setObjectName(QStringLiteral("radioImportSite"));
    radioNewSite = new QRadioButton(QStringLiteral("&Skapa ny webbplats i en ny katalog"), import);
    radioNewSite->setObjectName(QStringLiteral("radioNewSite"));
    import->layout()->addWidget(radioImportSite);
    import->layout()->addWidget(radioNewSite);
    static_cast<QVBoxLayout*>(import->layout())->addStretch();
    Steps->addWidget(import);

    QGroupBox* dir = Group(QStringLiteral("Katalog"), Steps);
    DirText = Text(QStringLiteral("Ange sökvägen till webbplatsens rotkatalog."), dir);
    dir->layout()->addWidget(DirText);
    auto* pathRow = new QHBoxLayout;
    auto* pathLabel = new QLabel(QStringLiteral("&Sökväg:"), dir);
    SiteRootDir = new QLineEdit(dir);
    SiteRootDir->setObjectName(QStringLiteral("SiteRootDir"));
    pathLabel->setBuddy(SiteRootDir);
    btnBrowse = new QPushButton(QStringLiteral("&Bläddra..."), dir);
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(SiteRootDir, 1);
    pathRow->addWidget(btnBrowse);
    static_cast<QVBoxLayout*>(dir->layout())->addLayout(pathRow);
    static_cast<QVBoxLayout*>(dir->layout())->addStretch();
    Steps->addWidget(dir);

    QGroupBox* check = Group(QStringLiteral("Katalog"), Steps);
    auto* selectedRow = new QHBoxLayout;
    auto* selectedLabel = new QLabel(QStringLiteral("Vald katalog:"), check);
    SelectedDir = new QLineEdit(check);
    SelectedDir->setObjectName(QStringLiteral("SelectedDir"));
    SelectedDir->setReadOnly(true);
    selectedLabel->setBuddy(SelectedDir);
    selectedRow->addWidget(selectedLabel);
    selectedRow->addWidget(SelectedDir, 1);
    static_cast<QVBoxLayout*>(check->layout())->addLayout(selectedRow);
    QGroupBox* status = Group(QStringLiteral("Status"), check);
    DirStatusReport = Text(QStringLiteral("Katalog ej verifierad."), status);
    DirStatusReport->setObjectName(QStringLiteral("DirStatusReport"));
    DirStatusReport->setTextFormat(Qt::PlainText);
    status->layout()->addWidget(DirStatusReport);
    check->layout()->addWidget(status);
    static_cast<QVBoxLayout*>(check->layout())->addStretch();
    Steps->addWidget(check);

    QGroupBox* info = Group(QStringLiteral("Information"), Steps);
    info->layout()->addWidget(
        Text(QStringLiteral("Denna information kommer endast att användas internt för arbetet i "
                            "Kelvora."),
             info));
    SiteInfo = new TValueListEditor(info);
    SiteInfo->setObjectName(QStringLiteral("SiteInfo"));
    SiteInfo->SetTitles(QStringLiteral("Egenskap"), QStringLiteral("Värde"));
    SiteInfo->SetKeyUnique(true);
    SiteInfo->SetStrings(
        {QStringLiteral("Titel="), QStringLiteral("Författare="), QStringLiteral("URL=")});
    info->layout()->addWidget(SiteInfo);
    Steps->addWidget(info);

    btnok = new QPushButton(QStringLiteral("&Nästa"), this);
    btnok->setObjectName(QStringLiteral("btnok"));
    btnok->setDefault(true);
    btnok->setEnabled(false);
    btnCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnok);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Steps, 1);
    layout->addLayout(buttons);
    resize(460, 320);

    connect(radioImportSite, &QRadioButton::clicked, this, [this] { EnableProceed(); });
    connect(radioNewSite, &QRadioButton::clicked, this, [this] { EnableProceed(); });
    connect(btnBrowse, &QPushButton::clicked, this,
            [this] { RunCommand([this] { BrowseDir(); }); });
    connect(btnok, &QPushButton::clicked, this, [this] { RunCommand([this] { Proceed(); }); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    SiteInfo->OnStringsChange = [this] { SiteInfoStringsChange(); };
    SiteInfo->OnKeyRefused = [this](const QString& key) {
        window_.kvMessageBox(QStringLiteral("Egenskapen \"") + key +
                             QStringLiteral("\" finns redan."));
    };
}

int TNewSite::Step() const {
    return Steps->currentIndex() + 1;
}

QString TNewSite::RootDir() const {
    QString text = SiteRootDir->text().trimmed();
    if (text.isEmpty())
        return QString();
    if (text == QLatin1String("~") || text.startsWith(QLatin1String("~/")))
        text = QDir::homePath() + text.mid(1);
    return QDir::cleanPath(QDir::home().absoluteFilePath(text));
}

void TNewSite::EnableProceed() {
    btnok->setEnabled(radioImportSite->isChecked() || radioNewSite->isChecked());
}

void TNewSite::BrowseDir() {
    const QString start = RootDir().isEmpty() ? QDir::homePath() : RootDir();
    const QString chosen =
        Dialogs::GetExistingDirectory(this, QStringLiteral("Ange webbplatsens rotkatalog."), start);
    if (!chosen.isEmpty())
        SiteRootDir->setText(QDir::toNativeSeparators(chosen));
}

void TNewSite::Proceed() {
    switch (Step()) {
    case 1:
        import_ = radioImportSite->isChecked();
        if (!import_)
            DirText->setText(QStringLiteral("Ange sökvägen till den katalog som du vill skapa "
                                            "som webbplatsens rotkatalog."));
        Steps->setCurrentIndex(1);
        SiteRootDir->setFocus();
        return;
    case 2:
        Steps->setCurrentIndex(2);
        VerifyDir();
        return;
    case 3:
        Steps->setCurrentIndex(3);
        btnok->setText(QStringLiteral("Skapa"));
        btnok->setEnabled(false);
        SiteInfoStringsChange();
        // Typing goes into the title's value.
        SiteInfo->setCurrentCell(std::max(0, SiteInfo->FindRow(QStringLiteral("Titel"))), 1);
        SiteInfo->setFocus();
        return;
    default:
        CreateSiteData();
        accept();
        return;
    }
}

void TNewSite::VerifyDir() {
    btnok->setEnabled(false);
    const QString dir = RootDir();
    SelectedDir->setText(dir);
    const bool exists = !dir.isEmpty() && QFileInfo(dir).isDir();
    if (import_) {
        if (exists) {
            DirStatusReport->setText(QStringLiteral(
                "Den valda katalogen existerar och dess filer kommer att importeras."));
            btnok->setEnabled(true);
        } else {
            DirStatusReport->setText(
                QStringLiteral("Den valda katalogen existerar ej. Välj en katalog som existerar."));
        }
        return;
    }
    if (exists) {
        DirStatusReport->setText(QStringLiteral(
            "Den valda katalogen existerar redan. Välj en ny, icke-existerande katalog."));
        return;
    }
    // One level only: the parent folder must be there.
    if (!dir.isEmpty() && QDir().mkdir(dir)) {
        DirStatusReport->setText(QStringLiteral("Den valda katalogen har skapats."));
        btnok->setEnabled(true);
    } else {
        DirStatusReport->setText(QStringLiteral(
            "Den valda katalogen kunde inte skapas. Kontrollera att katalognamnet inte innehåller "
            "några förbjudna tecken och att du har tillåtelse att arbeta i den överliggande "
            "katalogen."));
    }
}

void TNewSite::SiteInfoStringsChange() {
    if (Step() != 4)
        return;
    btnok->setEnabled(SiteInfo->FindRow(QStringLiteral("Titel")) >= 0 &&
                      !SiteInfo->Value(QStringLiteral("Titel")).isEmpty());
}

void TNewSite::CreateSiteData() {
    window_.WebSites->AddSite(RootDir(), SiteInfo->Strings());
}
