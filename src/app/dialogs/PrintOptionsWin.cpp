#include "app/dialogs/PrintOptionsWin.h"

#include "controls/IntegerEdit.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A header or footer memo: one line of text, Enter does nothing.
class TSingleLineMemo : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }
};

int Value(const TIntegerEdit* edit) {
    return edit->text().toInt();
}

QString WithoutLineBreaks(QString text) {
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

} // namespace

TprintOptions::TprintOptions(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("printOptions"));
    setWindowTitle(QStringLiteral("Utskriftsalternativ"));

    auto* margins = new QGridLayout;
    const auto margin = [this, margins](const char* caption, const char* name, int value) {
        const int i = margins->count() / 2;
        auto* edit = new TIntegerEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->SetMin(0);
        edit->SetMax(10000);
        edit->setMaxLength(5);
        edit->setText(QString::number(value));
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(edit);
        margins->addWidget(label, i / 2, (i % 2) * 2);
        margins->addWidget(edit, i / 2, (i % 2) * 2 + 1);
        return edit;
    };
    marginTop = margin("&Överkant:", "marginTop", 1000);
    marginBottom = margin("&Underkant:", "marginBottom", 1000);
    marginLeft = margin("&Vänsterkant:", "marginLeft", 500);
    marginRight = margin("&Högerkant:", "marginRight", 500);
    marginHeader = margin("&Innan sidhuvud:", "marginHeader", 500);
    marginFooter = margin("&Efter sidfot:", "marginFooter", 500);

    const auto memoGroup = [this](const char* title, const char* caption, const char* name,
                                  const QString& text, QPlainTextEdit** memo) {
        auto* group = new QGroupBox(QString::fromUtf8(title), this);
        *memo = new TSingleLineMemo(text, group);
        (*memo)->setObjectName(QLatin1String(name));
        (*memo)->setFixedHeight(40);
        auto* label = new QLabel(QString::fromUtf8(caption), group);
        label->setBuddy(*memo);
        auto* layout = new QVBoxLayout(group);
        layout->addWidget(label);
        layout->addWidget(*memo);
        return group;
    };
    QGroupBox* header = memoGroup("Sidhuvud", "Ange &sidhuvud. Variabler kan infogas.", "strHeader",
                                  QStringLiteral("[F]"), &strHeader);
    QGroupBox* footer =
        memoGroup("Sidfot", "Ange si&dfot. Variabler kan infogas.", "strFooter",
                  QStringLiteral("Utskriftsdatum: [D]   Tid: [T]   Sida [I] "), &strFooter);
    QTextOption right = strFooter->document()->defaultTextOption();
    right.setAlignment(Qt::AlignRight);
    strFooter->document()->setDefaultTextOption(right);

    auto* formatting = new QGroupBox(QStringLiteral("Formatering"), this);
    boolHidden = new QCheckBox(QStringLiteral("Visa d&olda tecken"), formatting);
    boolHidden->setObjectName(QStringLiteral("boolHidden"));
    boolIF = new QCheckBox(QStringLiteral("In&teraktiv formatering"), formatting);
    boolIF->setObjectName(QStringLiteral("boolIF"));
    boolIF->setChecked(true);
    auto* formattingLayout = new QVBoxLayout(formatting);
    formattingLayout->addWidget(boolHidden);
    formattingLayout->addWidget(boolIF);

    auto* legendCaption = new QLabel(QStringLiteral("Variabelförklaring"), this);
    legendCaption->setStyleSheet(QStringLiteral(
        "QLabel { background: #2b3a55; color: white; font-weight: bold; padding-left: 6px; }"));
    auto* legend = new QPlainTextEdit(this);
    legend->setObjectName(QStringLiteral("legend"));
    legend->setReadOnly(true);
    legend->setPlainText(
        QStringLiteral("Filnamn:\t[F]\nSidnummer:\t[I]\nDatum:\t\t[D]\nTid:\t\t[T]"));
    legend->setFixedHeight(80);

    QHBoxLayout* buttons = Dialogs::OkCancelRow(this, QStringLiteral("Fortsätt"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(margins);
    layout->addWidget(header);
    layout->addWidget(footer);
    layout->addWidget(formatting);
    layout->addWidget(legendCaption);
    layout->addWidget(legend);
    layout->addLayout(buttons);
}

void TprintOptions::SavePrintingSettings(TTextEditorExPrintingSettings* settings) const {
    settings->MarginTop = Value(marginTop);
    settings->MarginBottom = Value(marginBottom);
    settings->MarginLeft = Value(marginLeft);
    settings->MarginRight = Value(marginRight);
    settings->HeaderMarginTop = Value(marginHeader);
    settings->FooterMarginBottom = Value(marginFooter);
    settings->Header = WithoutLineBreaks(strHeader->toPlainText());
    settings->Footer = WithoutLineBreaks(strFooter->toPlainText());
    settings->ShowHiddenChars = boolHidden->isChecked();
    settings->InteractiveFormatting = boolIF->isChecked();
}
