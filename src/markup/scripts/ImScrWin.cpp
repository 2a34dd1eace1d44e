#include "markup/scripts/ImScrWin.h"

#include "app/mainwindow/MainWin.h"
#include "controls/CaptionGroup.h"
#include "controls/PanelCaption.h"
#include "markup/tagref/TagRefWin.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"

#include <QCollator>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

Timscr::Timscr(Tmain& window, const QString& folder, QWidget* parent)
    : QDialog(parent), window_(window), folder_(folder.isEmpty() ? DefaultFolder() : folder) {
    setWindowTitle(QStringLiteral("Infoga färdigt skript"));
    resize(520, 360);
    auto* layout = new QVBoxLayout(this);
    auto* panes = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    ListCaption = new TPanelCaption(this);
    ListCaption->setFixedHeight(23);
    ListCaption->SetCaptionText(QStringLiteral("Färdiga skript"));
    scripts = new QListWidget(this);
    scripts->setObjectName(QStringLiteral("scripts"));
    left->addWidget(ListCaption);
    left->addWidget(scripts, 1);
    panes->addLayout(left, 1);
    Information = new TCaptionGroup(this);
    Information->SetCaptionText(QStringLiteral("Information"));
    auto* form = new QFormLayout(Information);
    form->setContentsMargins(8, 28, 8, 8);
    for (QLineEdit** field : {&lblFilename, &lblLang, &lblCT}) {
        *field = new QLineEdit(Information);
        (*field)->setReadOnly(true);
    }
    form->addRow(QStringLiteral("Filnamn:"), lblFilename);
    form->addRow(QStringLiteral("Skriptspråk:"), lblLang);
    form->addRow(QStringLiteral("Innehållstyp:"), lblCT);
    panes->addWidget(Information, 1, Qt::AlignTop);
    layout->addLayout(panes, 1);

    btnRef = TagReferenceButton(window_, QStringLiteral("SCRIPT"), this);
    btnRef->setAutoDefault(false);
    QHBoxLayout* buttons =
        Dialogs::OkCancelRow(this, QStringLiteral("&Infoga"), &btnInsert, &btnCancel);
    btnInsert->setEnabled(false);
    buttons->insertWidget(0, btnRef);
    layout->addLayout(buttons);
    connect(scripts, &QListWidget::currentRowChanged, this, [this] { GetInfo(); });
    connect(scripts, &QListWidget::itemDoubleClicked, this, [this] {
        if (btnInsert->isEnabled())
            done(Dialogs::mrOk);
    });
}

QString Timscr::DefaultFolder() {
    return AppPaths::DataFile(QStringLiteral("skript"));
}

bool Timscr::Identify(const QString& fileName, QString* language, QString* type) {
    if (fileName.endsWith(QLatin1String(".js"))) {
        *language = QStringLiteral("JavaScript");
        *type = QStringLiteral("text/javascript");
        return true;
    }
    if (fileName.endsWith(QLatin1String(".vbs"))) {
        *language = QStringLiteral("VBScript");
        *type = QStringLiteral("text/vbscript");
        return true;
    }
    *language = QStringLiteral("Okänt");
    *type = QStringLiteral("Okänd");
    return false;
}

void Timscr::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QStringList names = QDir(folder_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                QDir::Hidden | QDir::System);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(),
              [&collator](const QString& a, const QString& b) { return collator(a, b); });
    const QSignalBlocker block(scripts);
    scripts->clear();
    scripts->addItems(names);
}

QString Timscr::ChosenName() const {
    const QListWidgetItem* item = scripts->currentItem();
    return item ? item->text() : QString();
}

QString Timscr::ChosenFile() const {
    const QString name = ChosenName();
    return name.isEmpty() ? QString() : QDir(folder_).filePath(name);
}

void Timscr::GetInfo() {
    const QString name = ChosenName();
    QString language, type;
    Identify(name, &language, &type);
    lblFilename->setText(name);
    lblLang->setText(name.isEmpty() ? QString() : language);
    lblCT->setText(name.isEmpty() ? QString() : type);
    btnInsert->setEnabled(!name.isEmpty());
}
