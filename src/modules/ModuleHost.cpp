#include "modules/ModuleHost.h"

#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/mainwindow/MainWin.h"
#include "modules/ExportProcs.h"
#include "modules/ModulesListWin.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>
#include <QToolBar>
#include <algorithm>
#include <dlfcn.h>

namespace {

const QString kPrompt = QStringLiteral("Ange modulens namn:");
const QString kWarning =
    QStringLiteral("Säkerhetsvarning: Externa moduler exekverar sig själva och får tillgång till "
                   "Kelvoras funktioner och operativsystemets funktioner.");
const QString kTrustQuestion = QStringLiteral(
    "Du bör endast ladda modulen om du litar på dess tillverkare. Vill du ladda modulen?");
const QString kAlreadyLoaded = QStringLiteral("Den angivna modulen är redan laddad.");
const QString kNotFound = QStringLiteral("Det gick inte att hitta den angivna modulen.");
const QString kNoContact =
    QStringLiteral("Det gick inte att initiera kontakt med den angivna modulen.");
// The filter of the browse button: "Tilläggsmoduler (endast via speciellt menyval)".
constexpr int kModuleFilterIndex = 11;

std::vector<TModuleHost*>& Hosts() {
    static std::vector<TModuleHost*> hosts;
    return hosts;
}

// The hosts calling into a module now, innermost last; null for a host whose window is going.
std::vector<TModuleHost*>& Calling() {
    static std::vector<TModuleHost*> calling;
    return calling;
}

kv_module NewHandle() {
    static kv_module last = 0;
    return ++last;
}

// The base address of the loaded object that holds a symbol.
const void* BaseOf(QFunctionPointer symbol) {
    Dl_info info{};
    if (!symbol || dladdr(reinterpret_cast<void*>(symbol), &info) == 0)
        return nullptr;
    return info.dli_fbase;
}

void RemoveToolbar(QMainWindow& window, QToolBar* toolbar) {
    if (!toolbar)
        return;
    // A button of this toolbar may be the one whose click is running: the toolbar goes at
    // once from the window, and is deleted when the click is over.
    window.removeToolBar(toolbar);
    toolbar->hide();
    toolbar->deleteLater();
}

} // namespace

TModuleHost::TModuleHost(Tmain& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("ModuleHost"));
    Hosts().push_back(this);
}

TModuleHost::~TModuleHost() {
    dying_ = true;
    auto& hosts = Hosts();
    hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
    while (!modules_.empty())
        FreeModule(0);
}

TModuleHost* TModuleHost::Of(const Tmain& window) {
    for (TModuleHost* host : Hosts())
        if (&host->window_ == &window)
            return host;
    return nullptr;
}

TModuleHost* TModuleHost::Active() {
    if (!Calling().empty())
        return Calling().back();
    return Hosts().empty() ? nullptr : Hosts().back();
}

TModuleHost* TModuleHost::Holding(kv_module handle, int* index) {
    for (TModuleHost* host : Hosts()) {
        const int i = host->IndexOf(handle);
        if (i >= 0) {
            if (index)
                *index = i;
            return host;
        }
    }
    return nullptr;
}

int TModuleHost::IndexOf(kv_module handle) const {
    for (size_t i = 0; i < modules_.size(); ++i)
        if (modules_[i].Handle == handle)
            return static_cast<int>(i);
    return -1;
}

void TModuleHost::CallModule(const std::function<void()>& call) {
    Calling().push_back(dying_ ? nullptr : this);
    RunCommand(call);
    Calling().pop_back();
}

bool TModuleHost::IsLoaded(const void* base, const QString& canonicalPath) const {
    return std::any_of(modules_.begin(), modules_.end(), [&](const TModuleData& m) {
        return (base && m.Base == base) ||
               (!canonicalPath.isEmpty() && m.CanonicalPath == canonicalPath);
    });
}

// --- loading and freeing ---------------------------------------------------------------

void TModuleHost::UserLoadModule() {
    QWidget* owner = window_.SubroutineWindow ? window_.SubroutineWindow.data() : &window_;
    TInternalFunctionInput prompt(owner);
    prompt.SetQuestion(kPrompt);
    prompt.SetShowBrowse(true);
    prompt.SetFilterIndex(kModuleFilterIndex);
    QString name;
    if (!prompt.Run(&name) || name.isEmpty())
        return;
    if (window_.kvQuestionBox(kWarning, kTrustQuestion) != Dialogs::mrYes)
        return;
    LoadModule(name);
}

void TModuleHost::LoadModule(const QString& name) {
    if (name.isEmpty())
        return;
    const QFileInfo file(name);
    const QString canonical = file.exists() ? file.canonicalFilePath() : QString();
    const bool sameName = std::any_of(modules_.begin(), modules_.end(),
                                      [&](const TModuleData& m) { return m.Path == name; });
    if (sameName || IsLoaded(nullptr, canonical)) {
        window_.kvMessageBox(kAlreadyLoaded);
        return;
    }

    auto library = std::make_shared<QLibrary>(name);
    if (!library->load()) {
        window_.kvMessageBox(kNotFound);
        return;
    }
    const auto connect = reinterpret_cast<kv_connect_fn>(library->resolve("Connect"));
    const void* base = BaseOf(reinterpret_cast<QFunctionPointer>(connect));
    if (IsLoaded(base, QString())) {
        // The same library under another name: the load above only counted it once more.
        library->unload();
        window_.kvMessageBox(kAlreadyLoaded);
        return;
    }

    const kv_module handle = NewHandle();
    bool accepted = false;
    if (connect) {
        const QByteArray program = QCoreApplication::applicationFilePath().toUtf8();
        CallModule([&] { accepted = connect(program.constData(), handle, ModuleFunctionTable()); });
    }
    if (!accepted) {
        library->unload();
        window_.kvMessageBox(kNoContact);
        return;
    }

    TModuleData data;
    data.Path = name;
    data.Handle = handle;
    data.Library = library;
    data.Base = base;
    data.CanonicalPath = canonical;
    modules_.push_back(std::move(data));
    if (const auto post = reinterpret_cast<kv_procedure_fn>(library->resolve("PostConnect")))
        CallModule([&] { post(); });
}

void TModuleHost::FreeModule(int index) {
    if (index < 0 || index >= static_cast<int>(modules_.size()))
        return;
    const kv_module handle = modules_[static_cast<size_t>(index)].Handle;
    const std::shared_ptr<QLibrary> library = modules_[static_cast<size_t>(index)].Library;
    if (const auto disconnect = reinterpret_cast<kv_procedure_fn>(library->resolve("Disconnect")))
        CallModule([&] { disconnect(); });

    // Disconnect may have run anything: find the entry again.
    const int i = IndexOf(handle);
    if (i < 0)
        return;
    const TModuleData data = std::move(modules_[static_cast<size_t>(i)]);
    modules_.erase(modules_.begin() + i);
    if (!dying_)
        for (const QPointer<QToolBar>& toolbar : data.Toolbars)
            RemoveToolbar(window_, toolbar);
    library->unload();
}

void TModuleHost::FreeAllModules() {
    while (!modules_.empty())
        FreeModule(0);
}

void TModuleHost::UserUnloadModule() {
    QStringList paths;
    for (const TModuleData& m : modules_)
        paths << m.Path;
    TModulesList list(paths, &window_);
    if (Dialogs::RunModal(&list) != Dialogs::mrOk)
        return;
    const int index = list.SelectedIndex();
    if (index >= 0 && index < static_cast<int>(modules_.size()))
        FreeModule(index);
}

// --- toolbars ---------------------------------------------------------------------------

kv_status TModuleHost::DoCreateModuleToolbar(kv_module handle, const QString& caption) {
    const int i = IndexOf(handle);
    if (i < 0)
        return KV_BAD_ARGUMENT;
    TModuleData& module = modules_[static_cast<size_t>(i)];

    auto* toolbar = new QToolBar(caption, &window_);
    toolbar->setObjectName(QStringLiteral("ModuleToolbar"));
    toolbar->setProperty("kvModule", QVariant::fromValue<qulonglong>(handle));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar->setMovable(false);
    auto* label = new QLabel(QStringLiteral("  ") + caption + QStringLiteral("  "), toolbar);
    label->setObjectName(QStringLiteral("ModuleToolbarCaption"));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    toolbar->addWidget(label);

    // Each toolbar on a row of its own below the ones before it.
    const bool another = std::any_of(modules_.begin(), modules_.end(), [](const TModuleData& m) {
        return std::any_of(m.Toolbars.begin(), m.Toolbars.end(),
                           [](const QPointer<QToolBar>& t) { return !t.isNull(); });
    });
    if (another)
        window_.addToolBarBreak(Qt::BottomToolBarArea);
    window_.addToolBar(Qt::BottomToolBarArea, toolbar);
    toolbar->show();
    module.Toolbars.append(toolbar);
    return KV_OK;
}

kv_status TModuleHost::DoFreeModuleToolbar(kv_module handle) {
    const int i = IndexOf(handle);
    if (i < 0)
        return KV_BAD_ARGUMENT;
    QList<QPointer<QToolBar>>& toolbars = modules_[static_cast<size_t>(i)].Toolbars;
    while (!toolbars.isEmpty()) {
        const QPointer<QToolBar> toolbar = toolbars.takeLast();
        if (toolbar) {
            RemoveToolbar(window_, toolbar);
            break;
        }
    }
    return KV_OK;
}

kv_status TModuleHost::DoAddModuleToolbarButton(kv_module handle, const QString& caption,
                                                const QByteArray& procName) {
    const int i = IndexOf(handle);
    if (i < 0)
        return KV_BAD_ARGUMENT;
    QToolBar* toolbar = modules_[static_cast<size_t>(i)].Toolbar();
    if (!toolbar)
        return KV_ERROR;
    QAction* button = toolbar->addAction(caption);
    button->setObjectName(QStringLiteral("ModuleToolButton"));
    button->setProperty("kvModule", QVariant::fromValue<qulonglong>(handle));
    button->setProperty("kvProcName", procName);
    connect(button, &QAction::triggered, this,
            [this, handle, procName] { HandleModuleToolButtonClick(handle, procName); });
    return KV_OK;
}

void TModuleHost::HandleModuleToolButtonClick(kv_module handle, const QByteArray& procName) {
    const int i = IndexOf(handle);
    if (i < 0 || procName.isEmpty())
        return;
    const std::shared_ptr<QLibrary> library = modules_[static_cast<size_t>(i)].Library;
    if (const auto procedure =
            reinterpret_cast<kv_procedure_fn>(library->resolve(procName.constData())))
        CallModule([&] { procedure(); });
}
