#include "app/preview/ViewModes.h"

#include "app/commands/CommandRegistry.h"
#include "app/core/SettingsStore.h"
#include "app/preview/PreviewBrowser.h"
#include "app/preview/ViewModesHost.h"
#include "platform/AppPaths.h"
#include "platform/FlagScope.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char* const kCopyNotWritten =
    "Det gick inte att spara filen för granskning. Filen kan användas av en annan process "
    "eller så är processen överbelastad.";
const char* const kUpdateCopyNotWritten =
    "Det gick inte att spara filen för granskning. Filnamnet kan vara ogiltigt, filen kan "
    "användas av en annan process eller så är processen överbelastad.";
const char* const kCannotNavigate =
    "Den inbyggda webbläsaren kunde inte navigera till filen för granskning. Verifiera att "
    "kontrollen är ledig.";

// Bar heights with and without the warning, the editor's height above the page.
constexpr int kBarHigh = 49;
constexpr int kBarLow = 33;
constexpr int kEditorHeight = 291;
constexpr int kButtonMargin = 12;

// A hint "short|long": the short part as tool tip, the long part for the status bar.
void SetHint(QWidget* widget, const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
    widget->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

} // namespace

QString TViewModes::CopyNotWrittenText() {
    return QString::fromUtf8(kCopyNotWritten);
}

TViewModes::TViewModes(TViewModesHost* host, std::unique_ptr<TPreviewBrowser> browser,
                       QWidget* parent, TCommandRegistry* commands)
    : host_(host), commands_(commands), browser_(std::move(browser)) {
    if (!commands_) {
        commands_ = new TCommandRegistry(nullptr);
        commands_->setParent(this);
    }
    PreviewSaveFileName = AppPaths::DataFile(QStringLiteral("_preview.html"));
    PreviewOpenFileName = PreviewSaveFileName;
    APU = new QTimer(this);
    APU->setObjectName(QStringLiteral("APU"));
    APU->setInterval(1000);
    APU->setSingleShot(true);
    connect(APU, &QTimer::timeout, this, [this] { RunCommand([this] { PreviewPageUpdate(); }); });
    BuildArea(parent);
    BuildActions();
    browser_->OnLoadFailed = [this](const QString&, const QString&) {
        RunCommand([this] { LoadFailed(); });
    };
}

TViewModes::~TViewModes() {
    APU->stop();
    browser_->OnLoadFailed = nullptr;
    browser_->OnLoadFinished = nullptr;
    browser_.reset();
    delete area_.data();
}

void TViewModes::BuildArea(QWidget* parent) {
    area_ = new QWidget(parent);
    area_->setObjectName(QStringLiteral("ViewArea"));
    auto* layout = new QVBoxLayout(area_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    EditPreviewSplitter = new QSplitter(Qt::Vertical, area_);
    EditPreviewSplitter->setObjectName(QStringLiteral("EditPreviewSplitter"));
    EditPreviewSplitter->setHandleWidth(3);
    EditPreviewSplitter->setChildrenCollapsible(false);
    EditorPn = new QWidget(EditPreviewSplitter);
    EditorPn->setObjectName(QStringLiteral("EditorPn"));
    auto* editorLayout = new QVBoxLayout(EditorPn);
    editorLayout->setContentsMargins(0, 0, 0, 0);
    editorLayout->setSpacing(0);
    PreviewIE = browser_->Widget();
    PreviewIE->setObjectName(QStringLiteral("PreviewIE"));
    EditPreviewSplitter->addWidget(EditorPn);
    EditPreviewSplitter->addWidget(PreviewIE);
    // The page takes what the editor does not.
    EditPreviewSplitter->setStretchFactor(0, 0);
    EditPreviewSplitter->setStretchFactor(1, 1);
    SetHint(EditPreviewSplitter->handle(1),
            QStringLiteral("Storleksändra|Drag för att ändra storlek på "
                           "förhandsgranskningsskärmen"));
    layout->addWidget(EditPreviewSplitter, 1);

    Panel6 = new QWidget(area_);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Panel6->setFixedHeight(kBarHigh);
    Label7 = new QLabel(Panel6);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setTextFormat(Qt::PlainText);
    Label7->setText(
        QStringLiteral("Förhandsgranskning sker automatiskt med den inbyggda webbläsaren."));
    Label7->move(8, 8);
    Label7->adjustSize();
    Label4 = new QLabel(Panel6);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setTextFormat(Qt::PlainText);
    Label4->setText(QStringLiteral("Observera! Eftersom dokumentet inte är sparat till en fil "
                                   "eller har modifierats så fungerar inte relativa länkar."));
    Label4->setStyleSheet(QStringLiteral("color: red;"));
    Label4->move(8, 26);
    Label4->adjustSize();
    btnPreviewFullscreen = new QPushButton(QStringLiteral("&Helskärm"), Panel6);
    btnPreviewFullscreen->setObjectName(QStringLiteral("btnPreviewFullscreen"));
    btnPreviewFullscreen->resize(75, 25);
    SetHint(btnPreviewFullscreen, QStringLiteral("|Visar förhandsgranskningen i helskärmsläge."));
    Panel6->installEventFilter(this);
    area_->installEventFilter(this);
    layout->addWidget(Panel6);

    // Edit mode until the window chooses.
    PreviewIE->hide();
    Panel6->hide();
    PlaceButton();
}

QAction* TViewModes::NewAction(const QString& name, const QString& caption, const QString& key,
                               bool checkable, std::function<void()> command) {
    return commands_->Add(name, {caption, {QKeySequence(key)}, {}, checkable}, std::move(command));
}

void TViewModes::BuildActions() {
    VUserGoEditMode = NewAction(QStringLiteral("VUserGoEditMode"), QStringLiteral("Redigering"),
                                QStringLiteral("F7"), true, [this] { UserGoEditMode(); });
    VUserGoPreviewPageMode =
        NewAction(QStringLiteral("VUserGoPreviewPageMode"), QStringLiteral("Granskning"),
                  QStringLiteral("F8"), true, [this] { UserGoPreviewPageMode(); });
    VUserGoCombinationMode =
        NewAction(QStringLiteral("VUserGoCombinationMode"), QStringLiteral("Kombination"),
                  QStringLiteral("F9"), true, [this] { UserGoCombinationMode(); });
    modeGroup_ = new QActionGroup(this);
    modeGroup_->setExclusive(true);
    for (QAction* mode : {VUserGoEditMode, VUserGoPreviewPageMode, VUserGoCombinationMode})
        modeGroup_->addAction(mode);
    VUserGoEditMode->setChecked(true);

    VViewPage = NewAction(QStringLiteral("VViewPage"), QStringLiteral("Granska sida"), {}, false,
                          [this] { UserGoPreviewPageMode(); });
    VSetOrientationH =
        NewAction(QStringLiteral("VSetOrientationH"), QStringLiteral("Horisontell indelning"), {},
                  true, [this] { SetOrientation(false); });
    VSetOrientationV =
        NewAction(QStringLiteral("VSetOrientationV"), QStringLiteral("Vertikal indelning"), {},
                  true, [this] { SetOrientation(true); });
    VPreviewPage =
        NewAction(QStringLiteral("VPreviewPage"), QStringLiteral("Uppdatera granskning nu"),
                  QStringLiteral("F5"), false, [this] { PreviewPage(); });
    VToggleAutoPreviewUpdate = NewAction(QStringLiteral("VToggleAutoPreviewUpdate"),
                                         QStringLiteral("Uppdatera automatiskt"), {}, true,
                                         [this] { ToggleAutoPreviewUpdate(); });
    // A check box only: the preview and its update read it.
    VToggleAutoSaveOnUpdate =
        NewAction(QStringLiteral("VToggleAutoSaveOnUpdate"),
                  QStringLiteral("Spara automatiskt vid uppdatering"), {}, true, nullptr);
    RequestActionUpdate();
}

QList<QAction*> TViewModes::Actions() const {
    return {VUserGoEditMode, VUserGoPreviewPageMode,   VUserGoCombinationMode,
            VViewPage,       VSetOrientationH,         VSetOrientationV,
            VPreviewPage,    VToggleAutoPreviewUpdate, VToggleAutoSaveOnUpdate};
}

void TViewModes::AddEditOnly(QWidget* control) {
    if (control)
        editOnlyWidgets_.append(control);
}

void TViewModes::AddEditOnly(QMenu* menu) {
    if (menu)
        editOnlyMenus_.append(menu);
}

// --- modes -------------------------------------------------------------------------------

void TViewModes::SetMode(bool edit, bool preview) {
    if (edit && preview) {
        VUserGoCombinationMode->setChecked(true);
        EditorPn->show();
        PreviewIE->show();
        LayoutCombination();
        Panel6->show();
        EnableEdit();
        RequestActionUpdate();
        if (!host_->StartingUp())
            PreviewPage();
    } else if (edit) {
        VUserGoEditMode->setChecked(true);
        PreviewIE->hide();
        Panel6->hide();
        EditorPn->show();
        EnableEdit();
        APU->stop();
        RequestActionUpdate();
    } else {
        VUserGoPreviewPageMode->setChecked(true);
        EditorPn->hide();
        PreviewIE->show();
        Panel6->show();
        RequestActionUpdate();
        if (!host_->StartingUp())
            PreviewPage();
        DisableEdit();
    }
}

void TViewModes::LayoutCombination() {
    QSplitter* s = EditPreviewSplitter;
    const int handle = s->handleWidth();
    if (SplitVertical) {
        s->setOrientation(Qt::Horizontal);
        const int half = area_->width() / 2;
        s->setSizes({half, qMax(0, s->width() - half - handle)});
    } else {
        s->setOrientation(Qt::Vertical);
        s->setSizes({kEditorHeight, qMax(0, s->height() - kEditorHeight - handle)});
    }
}

void TViewModes::UserGoEditMode() {
    EditMode();
    SelectCodeEditor();
    host_->SelectionChange();
}

void TViewModes::UserGoPreviewPageMode() {
    PreviewPageMode();
}

void TViewModes::UserGoCombinationMode() {
    CombinationMode();
    SelectCodeEditor();
    host_->SelectionChange();
}

quint8 TViewModes::ViewMode() const {
    if (VUserGoEditMode->isChecked())
        return vmEdit;
    if (VUserGoPreviewPageMode->isChecked())
        return vmPreview;
    return VUserGoCombinationMode->isChecked() ? vmCombination : vmEdit;
}

void TViewModes::PgmGoMode(quint8 viewMode) {
    switch (viewMode) {
    case vmPreview:
        PgmGoPreviewPageMode();
        break;
    case vmCombination:
        PgmGoCombinationMode();
        break;
    default:
        PgmGoEditMode();
        break;
    }
}

void TViewModes::SetOrientation(bool vertical) {
    SplitVertical = vertical;
    if (ViewMode() == vmCombination)
        CombinationMode();
    RequestActionUpdate();
}

void TViewModes::RequestActionUpdate() {
    host_->RequestActionUpdate();
}

void TViewModes::DisableEdit() {
    for (const QPointer<QWidget>& w : editOnlyWidgets_)
        if (w)
            w->setEnabled(false);
    for (const QPointer<QMenu>& m : editOnlyMenus_)
        if (m)
            m->menuAction()->setEnabled(false);
    host_->HideEditTools();
    host_->SetSimpleStatus(true);
}

void TViewModes::EnableEdit() {
    for (const QPointer<QWidget>& w : editOnlyWidgets_)
        if (w)
            w->setEnabled(true);
    for (const QPointer<QMenu>& m : editOnlyMenus_)
        if (m)
            m->menuAction()->setEnabled(true);
    host_->SetSimpleStatus(false);
    host_->SelectionChange();
}

void TViewModes::SelectCodeEditor() {
    host_->FocusEditor();
}

// --- preview -----------------------------------------------------------------------------

bool TViewModes::FileIsCurrent() const {
    return host_->DocumentHasFile() && !host_->DocumentModified();
}

void TViewModes::ShowWarning(bool visible) {
    Panel6->setFixedHeight(visible ? kBarHigh : kBarLow);
    Label4->setVisible(visible);
    PlaceButton();
}

void TViewModes::PlaceButton() {
    btnPreviewFullscreen->move(Panel6->width() - btnPreviewFullscreen->width() - kButtonMargin,
                               Panel6->height() / 2 - btnPreviewFullscreen->height() / 2);
}

void TViewModes::Navigate(const QString& target) {
    lastTarget_ = target;
    browser_->NavigateToFile(target);
}

void TViewModes::PreviewPage() {
    if (previewing_)
        return;
    const FlagScope guard(previewing_);
    // A modified document is not shown from its file: saved first, or shown from the copy.
    // A failed save was reported by the save and keeps the mark.
    if (host_->DocumentHasFile() && VToggleAutoSaveOnUpdate->isChecked() &&
        host_->DocumentModified())
        host_->SaveDocument();
    const bool fromFile = FileIsCurrent();
    ShowWarning(!fromFile);
    if (fromFile) {
        Navigate(host_->DocumentFileName());
        return;
    }
    if (!host_->WriteEditorText(PreviewSaveFileName))
        host_->ShowMessage(QString::fromUtf8(kCopyNotWritten));
    Navigate(PreviewOpenFileName);
}

void TViewModes::PreviewPageUpdate() {
    APU->stop();
    if (host_->Busy())
        return;
    if (previewing_) {
        // A box of the preview is up; the update follows once it is gone.
        APU->start();
        return;
    }
    const FlagScope guard(previewing_);
    // A save that succeeds clears the mark; a failed one was reported and keeps it.
    if (host_->DocumentHasFile() && VToggleAutoSaveOnUpdate->isChecked())
        host_->SaveDocument();
    const bool fromFile = FileIsCurrent();
    ShowWarning(!fromFile);
    const QString target = fromFile ? host_->DocumentFileName() : PreviewOpenFileName;
    if (!fromFile && !host_->WriteEditorText(PreviewSaveFileName))
        host_->ShowMessage(QString::fromUtf8(kUpdateCopyNotWritten));
    if (target == lastTarget_)
        browser_->Reload();
    else
        Navigate(target);
    host_->PaintEditor();
}

void TViewModes::LoadFailed() {
    VToggleAutoPreviewUpdate->setChecked(false);
    APU->stop();
    host_->ShowMessage(QString::fromUtf8(kCannotNavigate));
}

void TViewModes::ToggleAutoPreviewUpdate() {
    if (!VToggleAutoPreviewUpdate->isChecked())
        APU->stop();
}

// --- hooks -------------------------------------------------------------------------------

void TViewModes::DocumentMarkedModified() {
    if (ViewMode() == vmEdit)
        return;
    // With automatic saving the next update or F5 saves and shows the file; showing it on
    // every first keystroke would save the document once per keystroke.
    if (host_->DocumentHasFile() && VToggleAutoSaveOnUpdate->isChecked())
        return;
    PreviewPage();
}

void TViewModes::EditorChanged() {
    if (VToggleAutoPreviewUpdate->isChecked() && ViewMode() != vmEdit)
        APU->start();
}

void TViewModes::LeaveDocument() {
    APU->stop();
}

bool TViewModes::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel6 && event->type() == QEvent::Resize)
        PlaceButton();
    // A combination chosen before the window was on screen is laid out at its real size.
    if (watched == area_ && event->type() == QEvent::Show && ViewMode() == vmCombination)
        LayoutCombination();
    return QObject::eventFilter(watched, event);
}

void ApplyToViews(const TSettingsValues& values, TViewModes* views) {
    views->SplitVertical = values.LayoutOrientation == 2;
    views->VToggleAutoPreviewUpdate->setChecked(values.APUEnabled);
    views->VToggleAutoSaveOnUpdate->setChecked(values.AutoSaveOnUpdate);
    views->PreviewSaveFileName = values.PreviewSaveFile;
    views->PreviewOpenFileName = values.PreviewOpenFile;
    views->RequestActionUpdate();
}

void TakeFromViews(TSettingsValues* values, const TViewModes& views) {
    values->LayoutOrientation = views.SplitVertical ? 2 : 1;
    values->APUEnabled = views.VToggleAutoPreviewUpdate->isChecked();
    values->AutoSaveOnUpdate = views.VToggleAutoSaveOnUpdate->isChecked();
    values->PreviewSaveFile = views.PreviewSaveFileName;
    values->PreviewOpenFile = views.PreviewOpenFileName;
}
