#include "app/dialogs/SplashWin.h"

#include "platform/Dialogs.h"
#include "platform/Graphics.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kClientWidth = 363;
constexpr int kClientHeight = 194;
constexpr int kBarWidth = 73;
constexpr TColor kBarColor = 0xA85E33;
constexpr int kCloseDelay = 1500;

} // namespace

Tsplash::Tsplash(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      StartProgram([] { QProcess::startDetached(QCoreApplication::applicationFilePath(), {}); }),
      Terminate([] { QCoreApplication::exit(0); }) {
    setObjectName(QStringLiteral("splash"));
    setWindowTitle(QStringLiteral("Kelvora"));
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(false);

    auto* title = new QLabel(QStringLiteral("Kelvora"), this);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(16);
    font.setBold(true);
    title->setFont(font);
    title->setGeometry(kBarWidth + 16, 24, kClientWidth - kBarWidth - 32, 28);

    l = new QLabel(QStringLiteral("Laddar..."), this);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(kBarWidth + 16, kClientHeight - 32, kClientWidth - kBarWidth - 32, 20);

    b = new QPushButton(QStringLiteral("&Starta Kelvora"), this);
    b->setGeometry(kBarWidth + 16, kClientHeight - 44, 128, 28);
    b->hide();
    e = new QPushButton(QStringLiteral("&Avsluta Kelvora"), this);
    e->setGeometry(kClientWidth - 16 - 128, kClientHeight - 44, 128, 28);
    e->hide();
    connect(b, &QPushButton::clicked, this, [this] {
        StartProgram();
        close();
    });
    connect(e, &QPushButton::clicked, this, [this] { Terminate(); });

    Timer = new QTimer(this);
    Timer->setInterval(kCloseDelay);
    connect(Timer, &QTimer::timeout, this, [this] { Release(); });

    Dialogs::CentreOnScreen(this);
}

void Tsplash::ShowAsLauncher() {
    l->hide();
    b->show();
    e->show();
}

void Tsplash::Release() {
    Timer->stop();
    hide();
    deleteLater();
}

void Tsplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QLinearGradient bar(0, 0, kBarWidth, 0);
    bar.setColorAt(0, ToQColor(kBarColor));
    bar.setColorAt(1, Qt::white);
    painter.fillRect(0, 0, kBarWidth, height(), bar);
}

// Clicks on the panel and on the labels (which pass them on) end up here.
void Tsplash::mousePressEvent(QMouseEvent*) {
    if (Timer->isActive())
        Release();
    else
        close();
}
