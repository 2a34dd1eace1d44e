#include "markup/wizards/NewDocWin.h"

#include "app/mainwindow/MainWin.h"
#include "markup/wizards/HTMLWiz.h"
#include "markup/wizards/WizardEvents.h"
#include "platform/Dialogs.h"

#include <QPushButton>
#include <QVBoxLayout>

Tnewdoc::Tnewdoc(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("newdoc"));
    setWindowTitle(QStringLiteral("Nytt dokument"));
    auto* layout = new QVBoxLayout(this);
    const auto button = [&](const char* name, const QString& caption, const QString& hint,
                            TChoice choice) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setStatusTip(hint);
        b->setMinimumHeight(36);
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, choice] {
            choice_ = choice;
            accept();
        });
        return b;
    };
    btnNew = button("btnNew", QStringLiteral("Skapa ett tomt dokument."),
                    QStringLiteral("Skapar ett nytt tomt dokument."), TChoice::Empty);
    btnRariViduze = button("btnRariViduze", QStringLiteral("Använd HTML-grunden."),
                           QStringLiteral("Skapar en ny webbsida med HTML-grund-subrutinen."),
                           TChoice::HtmlGround);
    btnHTMLWiz =
        button("btnHTMLWiz", QStringLiteral("Använd Webbsideguiden."),
               QStringLiteral("Skapar en ny webbsida med webbsideguiden."), TChoice::PageWizard);
    resize(320, sizeHint().height());
}

void Tnewdoc::Execute(Tmain& window, const QString& caption, const QString& name) {
    TChoice choice = TChoice::None;
    {
        Tnewdoc chooser(&window);
        if (!caption.isEmpty())
            chooser.setWindowTitle(caption);
        if (Dialogs::RunModal(&chooser) == Dialogs::mrOk)
            choice = chooser.Choice();
    }
    Make(window, choice, name);
}

void Tnewdoc::Make(Tmain& window, TChoice choice, const QString& name) {
    switch (choice) {
    case TChoice::None:
        return;
    case TChoice::Empty:
        window.NewDocTab(0, name);
        return;
    case TChoice::HtmlGround:
        window.NewDocTab(0, name);
        WizardEvents::HtmlGround(window);
        return;
    case TChoice::PageWizard:
        window.NewDocTab(0, name);
        THTMLWiz::Execute(window, &window);
        return;
    }
}
