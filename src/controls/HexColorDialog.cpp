#include "controls/HexColorDialog.h"

#include "controls/HexColorWin.h"
#include "platform/Dialogs.h"

#include <QPushButton>

#include <memory>

THexColorDialog::THexColorDialog(QObject* owner) : QObject(owner) {}

bool THexColorDialog::Execute() {
    auto form = std::make_unique<Thexcolor>();
    form->setWindowTitle(Title);
    form->btnInsert->setText(BtnCaption);
    form->SetColor(CurrentColor);
    form->UpdateAll();
    const int result = Dialogs::RunModal(form.get());
    form->SaveCustomColors();
    if (result != Dialogs::mrOk)
        return false;
    CurrentColor = form->Color();
    return true;
}
