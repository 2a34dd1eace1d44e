#include "markup/tagref/TagReference.h"

#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/mainwindow/MainWin.h"
#include "editor/model/EditorModel.h"
#include "editor/view/TextEditorEx.h"
#include "markup/tagref/ReferenceBox.h"
#include "markup/tagref/TagRefPanel.h"
#include "markup/tagref/TagReferenceData.h"
#include "platform/Cp1252.h"
#include "platform/SilentAbort.h"

#include <QAction>

TTagReference::TTagReference(Tmain& window) : QObject(&window), w_(window) {
    setObjectName(QStringLiteral("TagReference"));
    panel_ = new TTagRefPanel(&w_);
    w_.AddSidePanel(panel_, true, [this] { w_.RequestActionUpdate(); });
    connect(panel_->Slupptagg1, &QAction::triggered, this,
            [this] { RunCommand([this] { ShowOtherTagReference(); }); });
    connect(panel_->Omreferensdatabasen1, &QAction::triggered, this,
            [this] { RunCommand([this] { ShowAbout(); }); });

    TCommandRegistry& commands = w_.Commands();
    QAction* current =
        commands.Add(QStringLiteral("HShowCurrentTagRef"), QStringLiteral("Taggreferens"),
                     QKeySequence(QStringLiteral("Ctrl+F1")), [this] { ShowCurrentTagRef(); });
    current->setStatusTip(QStringLiteral("Taggreferens|Visar information om aktuell tagg."));
    current->setEnabled(false);
    QAction* toggle = commands.Add(QStringLiteral("VToggleReflist"), QStringLiteral("Taggreferens"),
                                   QKeySequence(), [this] { ToggleReflist(); });
    toggle->setStatusTip(QStringLiteral("Taggreferens|Visar/döljer panelen Taggreferens."));
    toggle->setCheckable(true);
    w_.AddToMenu(QStringLiteral("Visa1"), QStringLiteral("VToggleReflist"));
    w_.AddToMenu(QStringLiteral("Hjlp1"), QStringLiteral("HShowCurrentTagRef"), QString(),
                 QStringLiteral("&Hjälp"));

    w_.Hooks.ApplySettings.push_back(
        [this](const TSettingsValues& v) { w_.SetSidePanelVisible(panel_, v.ShowTagRef); });
    w_.Hooks.TakeSettings.push_back(
        [this](TSettingsValues& v) { v.ShowTagRef = w_.SidePanelVisible(panel_); });
    w_.Hooks.DocState.push_back(
        [this](TDocState& s) { s.RightPanelVisible = w_.SidePanelVisible(panel_); });
}

QString TTagReference::ReadFailureMessage() {
    return QStringLiteral("Ett problem uppstod då referensdatabasen skulle läsas.");
}

void TTagReference::TagReference(const QString& tag) {
    w_.SetSidePanelVisible(panel_, true);
    TReferenceBox& box = *panel_->refmemo;
    box.Clear();
    const QString name = Cp1252::Decode(TEditorModel::ExtractTagName(Cp1252::Encode(tag)));
    if (name.isEmpty()) {
        box.AddLines(QStringLiteral("\nIngen tagg markerad."), true, true);
        return;
    }
    TTagReferenceData data;
    if (!data.Load(TTagReferenceData::DefaultPath()))
        w_.kvMessageBox(ReadFailureMessage());
    if (data.Field(0, name).isEmpty()) {
        box.AddLines(
            QStringLiteral("\nTagg ej funnen i referensdatabasen.\n\nOm en tagg saknas i databasen "
                           "kan en ny version vara tillgänglig på Internet. Använd menykommandot "
                           "Hjälp/Internet/\"Uppdateringar för Kelvora\" för att verifiera."),
            true, true);
        return;
    }
    box.ShowEntry(data, name);
}

void TTagReference::ShowCurrentTagRef() {
    TagReference(Cp1252::Decode(w_.CodeEditor->GetCurrentTag()));
}

void TTagReference::ShowOtherTagReference() {
    TInternalFunctionInput prompt(&w_);
    prompt.SetQuestion(QStringLiteral("Ange tagg:"));
    prompt.SetShowBrowse(false);
    QString answer;
    prompt.Run(&answer);
    if (answer.isEmpty())
        return;
    if (!answer.startsWith(QLatin1Char('<')))
        answer = QLatin1Char('<') + answer + QLatin1Char('>');
    TagReference(answer);
}

void TTagReference::ShowAbout() {
    w_.SetSidePanelVisible(panel_, true);
    TTagReferenceData data;
    const QString path = TTagReferenceData::DefaultPath();
    if (!data.Load(path))
        w_.kvMessageBox(ReadFailureMessage());
    QString version, description;
    data.About(&version, &description);
    TReferenceBox& box = *panel_->refmemo;
    box.Clear();
    box.AddLines(QString());
    box.AddLines(QStringLiteral("Om referensdatabasen"), true);
    box.AddLines(QString());
    box.AddLines(QStringLiteral("Filnamn:"), true);
    box.AddLines(path);
    box.AddLines(QString());
    box.AddLines(QStringLiteral("Version:"), true);
    box.AddLines(version);
    box.AddLines(QString());
    box.AddLines(description);
    box.Rewind();
}

void TTagReference::ToggleReflist() {
    w_.SetSidePanelVisible(panel_, !w_.SidePanelVisible(panel_));
    w_.RequestActionUpdate();
}
