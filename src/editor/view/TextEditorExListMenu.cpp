// The editor's markup list helper: the items for the caret's place, showing the list below the
// caret, the insertion of the chosen entry and hiding the list again.
#include "editor/text/TextFormReader.h"
#include "editor/view/ElementTable.h"
#include "editor/view/InteractiveListMenu.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <cmath>

void TTextEditorEx::CreateListMenu() {
    ElementTable = ElementTable::Rows();
    listMenu_ = new TInteractiveListMenu(viewport());
    listMenu_->hide();
    listMenu_->SetUseCaret(false);
    listMenu_->EscCloses = true;
    listMenu_->SetIndent(6);
    listMenu_->SetLineSpace(3);
    listMenu_->OnItemSelected = [this](const QString& item, const QString& unTyped) {
        ListMenuSelect(item, unTyped);
    };
}

QStringList TTextEditorEx::GetListMenuItems() const {
    if (TextLength() <= 2)
        return QStringList();
    const qint64 start = GetSelStart();
    if (start > 0 && TTextFormReader::Slice(Lines, start - 1, start) == "<")
        return ElementTable::ElementNames(ElementTable);
    const QByteArray name = GetTypedTagName();
    if (name.isEmpty())
        return QStringList();
    return ElementTable::Attributes(ElementTable, Cp1252::Decode(name));
}

void TTextEditorEx::ShowListMenu(const QStringList& list) {
    listMenu_->SetItemList(list);
    listMenu_->setGeometry((Caret.X - ScrollPos.X) * CharWidth(),
                           (Caret.Y - ScrollPos.Y + 1) * LineHeight(), 300, 100);
    listMenu_->ClearFilter();
    listMenu_->show();
    listMenu_->raise();
}

// An empty list would only cover the text: none is shown, and one already showing goes.
void TTextEditorEx::PopupListMenu() {
    const QStringList items = GetListMenuItems();
    if (items.isEmpty())
        HideListMenu();
    else
        ShowListMenu(items);
}

void TTextEditorEx::ListMenuSelect(const QString& item, const QString& unTypedPart) {
    // Without the focus the list was filtered by typing into the text, so the typed prefix
    // already stands there.
    SetSelText(Cp1252::Encode(listMenu_->hasFocus() ? item : unTypedPart));
}

void TTextEditorEx::HideListMenu() {
    if (!listMenu_ || !listMenu_->isVisible())
        return;
    const QRect r = listMenu_->geometry();
    listMenu_->hide();
    const int lh = std::max(LineHeight(), 1);
    const int from = std::max(
        static_cast<int>(std::floor(static_cast<double>(r.top()) / lh)) + ScrollPos.Y - 1, 0);
    const int to =
        std::min(static_cast<int>(std::ceil(static_cast<double>(r.top() + r.height()) / lh)) +
                     ScrollPos.Y + 1,
                 Lines.Count());
    RepaintLines(from, to);
}
