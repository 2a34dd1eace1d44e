#include "markup/typedtags/TypedTagActions.h"

#include "app/mainwindow/MainWin.h"
#include "app/preview/ViewModes.h"
#include "editor/model/EditorModel.h"
#include "editor/view/TextEditorEx.h"
#include "markup/typedtags/TagStrip.h"
#include "markup/typedtags/TypedTags.h"
#include "platform/Cp1252.h"
#include "platform/KeyCodes.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QMenu>

namespace {

// The longest typed opening, "<ACRONYM ".
constexpr int kLongestOpening = 9;

const char* const kSpanStyle = "IInsertCSSSpanStyle";

} // namespace

TTypedTagActions::TTypedTagActions(Tmain& window) : QObject(&window), w_(window) {
    setObjectName(QStringLiteral("TypedTagActions"));
    TCommandRegistry& commands = w_.Commands();
    QAction* modify = commands.Add(QStringLiteral("RModifyTag"), QStringLiteral("Modifiera tagg"),
                                   QKeySequence(), [this] { ModifyTag(); });
    modify->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    modify->setStatusTip(QStringLiteral("Modifiera tagg|Modifierar aktuell tagg."));
    modify->setEnabled(false);
    QAction* toggle = commands.Add(QStringLiteral("VToggleEditBar"), QStringLiteral("Ändrafält"),
                                   QKeySequence(), [this] { ToggleEditBar(); });
    toggle->setStatusTip(QStringLiteral("Ändrafält|Visar/döljer ändrafältet."));
    toggle->setCheckable(true);

    strip_ = new TTagStrip(modify, commands.Slot(QStringLiteral("HShowCurrentTagRef")), &w_);
    w_.addToolBarBreak();
    w_.addToolBar(Qt::TopToolBarArea, strip_);
    strip_->hide();

    w_.AddToMenu(QStringLiteral("Redigera1"), QStringLiteral("RModifyTag"));
    w_.AddToMenu(QStringLiteral("Visa1"), QStringLiteral("VToggleEditBar"));
    // The Help menu's items show the tag at the caret.
    if (QMenu* help = w_.Menu(QStringLiteral("Hjlp1")))
        connect(help, &QMenu::aboutToShow, this,
                [this] { RunCommand([this] { TagSelectionUpdate(); }); });

    TTextEditorEx& editor = *w_.CodeEditor;
    editor.OnKeyPress = [this, previous = editor.OnKeyPress](QObject* sender, char& key) {
        if (previous)
            previous(sender, key);
        if (key != 0)
            greaterTyped_ = key == '>';
    };
    editor.OnKeyUp = [this, previous = editor.OnKeyUp](QObject* sender, int& key,
                                                       Qt::KeyboardModifiers shift) {
        if (previous)
            previous(sender, key, shift);
        VerifyTagActions(key);
    };
    editor.OnMouseUp = [this, previous = editor.OnMouseUp](QObject* sender, Qt::MouseButton b,
                                                           Qt::KeyboardModifiers shift, int x,
                                                           int y) {
        if (previous)
            previous(sender, b, shift, x, y);
        TagSelectionUpdate();
    };
    w_.Debounce.ASU.OnTimer = [this] { TagSelectionUpdate(); };

    w_.Hooks.ApplySettings.push_back(
        [this](const TSettingsValues& v) { strip_->setVisible(v.ShowModifyToolbar); });
    w_.Hooks.TakeSettings.push_back(
        [this](TSettingsValues& v) { v.ShowModifyToolbar = strip_->isVisibleTo(&w_); });
    w_.Hooks.DocState.push_back(
        [this](TDocState& s) { s.TagToolbarVisible = strip_->isVisibleTo(&w_); });
}

void TTypedTagActions::VerifyTagActions(int key) {
    const TTextEditorEx& editor = *w_.CodeEditor;
    if (key == KeyCode::Space) {
        // Read now, acted on once the key event is over.
        if (w_.AutoWizEnabled) {
            const TypedTags::TOpening opening =
                TypedTags::OpeningAt(TypedTags::Before(editor, kLongestOpening));
            if (opening.IsValid() && w_.Commands().Has(opening.Command))
                QMetaObject::invokeMethod(
                    this, [this] { RunCommand([this] { OpenTypedElement(); }); },
                    Qt::QueuedConnection);
        }
        if (w_.ChangeElementsEnabled && TypedTags::IsFontOpening(TypedTags::Before(editor, 6)))
            QMetaObject::invokeMethod(
                this, [this] { RunCommand([this] { WarnAboutFont(); }); }, Qt::QueuedConnection);
    }
    if (greaterTyped_) {
        greaterTyped_ = false;
        if (w_.AutoCloseEnabled)
            AutoCloseTag();
    }
}

void TTypedTagActions::OpenTypedElement() {
    TTextEditorEx& editor = *w_.CodeEditor;
    // The text may have changed since the key was released.
    if (editor.HasSelection())
        return;
    const TypedTags::TOpening opening =
        TypedTags::OpeningAt(TypedTags::Before(editor, kLongestOpening));
    if (!opening.IsValid())
        return;
    editor.SetSelStart(editor.GetSelStart() - opening.Length);
    editor.SetSelLength(opening.Length);
    w_.Commands().Run(opening.Command);
}

void TTypedTagActions::WarnAboutFont() {
    TTextEditorEx& editor = *w_.CodeEditor;
    if (editor.HasSelection() || !TypedTags::IsFontOpening(TypedTags::Before(editor, 6)))
        return;
    if (!w_.Boxes().CompatWarning(QStringLiteral(
            "FONT-element bör inte användas på moderna webbsidor. Använd CSS istället.")))
        return;
    if (!w_.Commands().Has(QLatin1String(kSpanStyle)))
        return;
    editor.SetSelStart(editor.GetSelStart() - 6);
    editor.SetSelLength(6);
    w_.Commands().Run(QLatin1String(kSpanStyle));
}

void TTypedTagActions::AutoCloseTag() {
    TTextEditorEx& editor = *w_.CodeEditor;
    if (editor.Settings()->ReadOnly || editor.HasSelection())
        return;
    const QByteArray name = TypedTags::NameToClose(
        TypedTags::Before(editor, TypedTags::kLongestCheck), w_.DataFiles.AutoCloseTagsList);
    if (name.isEmpty())
        return;
    try {
        editor.SetSelText("</" + name + ">");
        editor.SetSelStart(editor.GetSelStart() - static_cast<int>(name.size()) - 3);
    } catch (const ESilentAbort&) {
        throw;
    } catch (...) {
        w_.kvMessageBox(QStringLiteral("Det gick inte att stänga aktuell tagg."));
    }
}

void TTypedTagActions::TagSelectionUpdate() {
    w_.Debounce.ASU.Stop();
    QAction* modify = w_.Action(QStringLiteral("RModifyTag"));
    QAction* reference = w_.Commands().Slot(QStringLiteral("HShowCurrentTagRef"));
    if (w_.Views->IsPreviewMode()) {
        modify->setEnabled(false);
        reference->setEnabled(false);
        return;
    }
    const QString name =
        Cp1252::Decode(w_.FCC(TEditorModel::ExtractTagName(w_.CodeEditor->GetCurrentTag())));
    strip_->ShowTag(name);
    const bool found = !name.isEmpty();
    modify->setText(found ? QStringLiteral("Modifiera tagg ") + name
                          : QStringLiteral("Modifiera tagg"));
    reference->setText(found ? QStringLiteral("Taggreferens för ") + name
                             : QStringLiteral("Taggreferens"));
    modify->setEnabled(found);
    reference->setEnabled(found);
}

void TTypedTagActions::ModifyTag() {
    if (w_.Views->IsPreviewMode())
        return;
    const QByteArray name =
        Cp1252::UpperCase(TEditorModel::ExtractTagName(w_.CodeEditor->GetCurrentTag()));
    if (name.isEmpty())
        return;
    const QString command = TypedTags::ModifyCommand(name);
    if (command.isEmpty()) {
        w_.kvMessageBox(QStringLiteral("Kelvora har inget gränssnitt för att modifiera taggen ") +
                        Cp1252::Decode(name) + QLatin1Char('.'));
        return;
    }
    // A dialog still to come does nothing yet.
    w_.Commands().Run(command);
}

void TTypedTagActions::ToggleEditBar() {
    strip_->setVisible(!strip_->isVisibleTo(&w_));
    w_.RequestActionUpdate();
}
