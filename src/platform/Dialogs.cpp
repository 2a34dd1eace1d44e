#include "platform/Dialogs.h"

#include <QPushButton>

#include <QHBoxLayout>

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QTextLayout>

namespace Dialogs {

namespace {

ModalHandler& TheModalHandler() {
    static ModalHandler handler;
    return handler;
}

FileHandler& TheFileHandler() {
    static FileHandler handler;
    return handler;
}

ClosedHandler& TheClosedHandler() {
    static ClosedHandler handler;
    return handler;
}

void NotifyClosed() {
    // A copy, so that a handler that replaces itself stays alive while it runs.
    if (const ClosedHandler handler = TheClosedHandler())
        handler();
}

QString& TheLastSound() {
    static QString sound;
    return sound;
}

QStringList AskFilesNow(FileRequest::Kind kind, QWidget* parent, const QString& caption,
                        const QString& fileName, const QString& filter, QString* selectedFilter,
                        QFileDialog::Options options) {
    if (TheFileHandler()) {
        FileRequest request;
        request.kind = kind;
        request.parent = parent;
        request.caption = caption;
        request.fileName = fileName;
        request.filter = filter;
        request.selectedFilter = selectedFilter ? *selectedFilter : QString();
        request.options = options;
        // A copy, so that a handler that replaces itself stays alive while it runs.
        const FileHandler handler = TheFileHandler();
        QStringList chosen = handler(request);
        if (selectedFilter && !chosen.isEmpty())
            *selectedFilter = request.selectedFilter;
        return chosen;
    }
    switch (kind) {
    case FileRequest::Kind::Open: {
        const QString name = QFileDialog::getOpenFileName(parent, caption, fileName, filter,
                                                          selectedFilter, options);
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    case FileRequest::Kind::OpenMany:
        return QFileDialog::getOpenFileNames(parent, caption, fileName, filter, selectedFilter,
                                             options);
    case FileRequest::Kind::Save: {
        const QString name = QFileDialog::getSaveFileName(parent, caption, fileName, filter,
                                                          selectedFilter, options);
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    case FileRequest::Kind::Folder: {
        const QString name = QFileDialog::getExistingDirectory(parent, caption, fileName, options);
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    }
    return {};
}

QStringList AskFiles(FileRequest::Kind kind, QWidget* parent, const QString& caption,
                     const QString& fileName, const QString& filter, QString* selectedFilter,
                     QFileDialog::Options options) {
    QStringList chosen =
        AskFilesNow(kind, parent, caption, fileName, filter, selectedFilter, options);
    NotifyClosed();
    return chosen;
}

} // namespace

int RunModal(QDialog* dialog) {
    int result = 0;
    if (const ModalHandler handler = TheModalHandler()) {
        dialog->show();
        result = handler(dialog);
        if (dialog->isVisible())
            dialog->hide();
    } else {
        result = dialog->exec();
    }
    NotifyClosed();
    return result;
}

void SetModalHandler(ModalHandler handler) {
    TheModalHandler() = std::move(handler);
}

bool HasModalHandler() {
    return static_cast<bool>(TheModalHandler());
}

void SetFileHandler(FileHandler handler) {
    TheFileHandler() = std::move(handler);
}

QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& fileName,
                        const QString& filter, QString* selectedFilter,
                        QFileDialog::Options options) {
    return AskFiles(FileRequest::Kind::Open, parent, caption, fileName, filter, selectedFilter,
                    options)
        .value(0);
}

QStringList GetOpenFileNames(QWidget* parent, const QString& caption, const QString& fileName,
                             const QString& filter, QString* selectedFilter,
                             QFileDialog::Options options) {
    return AskFiles(FileRequest::Kind::OpenMany, parent, caption, fileName, filter, selectedFilter,
                    options);
}

QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& fileName,
                        const QString& filter, QString* selectedFilter,
                        QFileDialog::Options options) {
    return AskFiles(FileRequest::Kind::Save, parent, caption, fileName, filter, selectedFilter,
                    options)
        .value(0);
}

QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& folder) {
    return AskFiles(FileRequest::Kind::Folder, parent, caption, folder, QString(), nullptr,
                    QFileDialog::ShowDirsOnly)
        .value(0);
}

QStringList FilterList(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p.trimmed());
        filters << parts[i] + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

namespace {

QScreen* ScreenOf(const QWidget* widget) {
    QScreen* screen = widget ? widget->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

int MaxClientWidth(const QWidget* widget) {
    QScreen* screen = ScreenOf(widget);
    const int screenWidth = screen ? screen->availableGeometry().width() : 800;
    // Room for the window's border on both sides.
    return qMax(100, screenWidth - 16);
}

QString WrapToWidth(const QString& text, const QFont& font, int width) {
    QStringList out;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (paragraph.isEmpty()) {
            out << paragraph;
            continue;
        }
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (piece.endsWith(QLatin1Char(' ')))
                piece.chop(1);
            out << piece;
        }
        layout.endLayout();
    }
    return out.join(QLatin1Char('\n'));
}

void CentreOnScreen(QWidget* window) {
    QScreen* screen = ScreenOf(window);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + area.width() / 2 - size.width() / 2,
                 area.y() + area.height() / 2 - size.height() / 2);
}

int FitLabelText(QLabel* label, const QString& text, int maxWidth) {
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setText(text);
    int width = label->sizeHint().width();
    if (width > maxWidth) {
        label->setText(WrapToWidth(text, label->font(), maxWidth));
        width = qMin(maxWidth, label->sizeHint().width());
    }
    label->setFixedWidth(width);
    return width;
}

void PlaySystemSound(const QString& name) {
    TheLastSound() = name;
    QApplication::beep();
}

QString LastSystemSound() {
    return TheLastSound();
}

void ClearLastSystemSound() {
    TheLastSound().clear();
}

ScopedModalHandler::ScopedModalHandler(ModalHandler handler) : previous_(TheModalHandler()) {
    TheModalHandler() = std::move(handler);
}

ScopedModalHandler::~ScopedModalHandler() {
    TheModalHandler() = std::move(previous_);
}

ScopedClosedHandler::ScopedClosedHandler(ClosedHandler handler) : previous_(TheClosedHandler()) {
    TheClosedHandler() = std::move(handler);
}

ScopedClosedHandler::~ScopedClosedHandler() {
    TheClosedHandler() = std::move(previous_);
}

ScopedFileHandler::ScopedFileHandler(FileHandler handler) : previous_(TheFileHandler()) {
    TheFileHandler() = std::move(handler);
}

ScopedFileHandler::~ScopedFileHandler() {
    TheFileHandler() = std::move(previous_);
}

QHBoxLayout* OkCancelRow(QDialog* dialog, const QString& okCaption, QPushButton** ok,
                         QPushButton** cancel) {
    auto* okButton = new QPushButton(okCaption, dialog);
    okButton->setObjectName(QStringLiteral("okBtn"));
    okButton->setDefault(true);
    QObject::connect(okButton, &QPushButton::clicked, dialog, [dialog] { dialog->done(mrOk); });
    auto* cancelButton = new QPushButton(QStringLiteral("Avbryt"), dialog);
    cancelButton->setObjectName(QStringLiteral("cancelBtn"));
    QObject::connect(cancelButton, &QPushButton::clicked, dialog,
                     [dialog] { dialog->done(mrCancel); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    if (ok)
        *ok = okButton;
    if (cancel)
        *cancel = cancelButton;
    return buttons;
}

} // namespace Dialogs
