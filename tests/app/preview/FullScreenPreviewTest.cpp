#include "MainWinFixture.h"
#include "PreviewTestDoubles.h"
#include "app/dialogs/Boxes.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/preview/FSControlWin.h"
#include "app/preview/PreviewWin.h"
#include "app/preview/ViewModes.h"
#include "platform/AppPaths.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace {

const QChar kTimes(0x00D7);

QSize ScreenSize() {
    return QGuiApplication::primaryScreen()->size();
}

void SendMouse(QWidget* w, QEvent::Type type, const QPoint& global) {
    QMouseEvent e(type, w->mapFromGlobal(QPointF(global)), QPointF(global),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// --- through the main window ------------------------------------------------------------------

class FullScreenMainWinTest : public MainWinTest {
protected:
    void SetUp() override {
        MainWinTest::SetUp();
        win->MakePreviewBrowser = [this] {
            auto b = std::make_unique<TRecordingPreviewBrowser>();
            browser = b.get();
            return b;
        };
    }
    TRecordingPreviewBrowser* browser = nullptr;
};

TEST_F(FullScreenMainWinTest, ShowsTheSavedFileOrThePreviewCopyFullScreen) {
    const QString page = Make(QStringLiteral("sida.html"), "<p>x</p>");
    const QString copy = AppPaths::DataFile(QStringLiteral("_preview.html"));
    struct Case {
        bool open, modified;
        QString target;
    } cases[] = {{true, false, page}, {true, true, copy}, {false, false, copy}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.toStdString() + (c.modified ? " modified" : ""));
        if (c.open)
            Open(page);
        else
            RunCommand([&] { win->Commands().Run(QStringLiteral("ANewDoc")); });
        win->Current().Modified = c.modified;
        win->FSControl->SetAlphaBlendValue(255);
        win->FSControl->AlphaChanger->start();

        win->Views->btnPreviewFullscreen->click();
        TPreviewFrm* frm = win->PreviewFrm();
        ASSERT_NE(frm, nullptr);
        EXPECT_EQ(browser->calls, std::vector<QString>{QStringLiteral("navigate ") + c.target});
        EXPECT_EQ(frm->geometry(), QRect(QPoint(0, 0), ScreenSize()));
        EXPECT_EQ(frm->PreviewIE->geometry(), frm->rect());
        EXPECT_EQ(frm->windowTitle(), win->windowTitle() + QStringLiteral(" (Förhandsgranskning)"));
        TFSControl* panel = win->FSControl;
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->AlphaBlendValue(), 150);
        EXPECT_FALSE(panel->AlphaChanger->isActive());
        EXPECT_EQ(panel->geometry().bottomRight() + QPoint(11, 11),
                  QPoint(ScreenSize().width(), ScreenSize().height()));

        panel->CloseBtn->click();
        EXPECT_EQ(win->PreviewFrm(), nullptr);
        EXPECT_FALSE(panel->isVisible());
    }
}

// A document that is not on disk as it stands is shown from a copy of its text as it is now.
TEST_F(FullScreenMainWinTest, ThePageAfterAnEditIsTheCurrentText) {
    const QString copy = AppPaths::DataFile(QStringLiteral("_preview.html"));
    Open(Make(QStringLiteral("sida.html"), "<p>gammal</p>"));
    Type("<p>ny</p>");
    ASSERT_TRUE(win->Current().Modified);
    win->Views->btnPreviewFullscreen->click();
    EXPECT_EQ(browser->calls, std::vector<QString>{QStringLiteral("navigate ") + copy});
    EXPECT_EQ(ReadTestFile(copy), win->CodeEditor->Text());
    EXPECT_TRUE(seen.isEmpty());
    win->FSControl->CloseBtn->click();

    // A copy that cannot be written is reported; the preview still comes up.
    QFile::remove(copy);
    ASSERT_TRUE(QDir().mkpath(copy + QStringLiteral("/blocked")));
    win->Views->btnPreviewFullscreen->click();
    EXPECT_EQ(seen, QStringList{"M:" + TViewModes::CopyNotWrittenText()});
    EXPECT_NE(win->PreviewFrm(), nullptr);
    win->FSControl->CloseBtn->click();
    QDir(copy).removeRecursively();
}

TEST_F(FullScreenMainWinTest, ASecondPreviewReplacesTheFirst) {
    win->Views->btnPreviewFullscreen->click();
    QPointer<TPreviewFrm> first = win->PreviewFrm();
    win->Views->btnPreviewFullscreen->click();
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(win->PreviewFrm(), nullptr);
    // Closed from the desktop: the panel goes too.
    win->PreviewFrm()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(win->PreviewFrm(), nullptr);
    EXPECT_FALSE(win->FSControl->isVisible());
}

// --- the panel --------------------------------------------------------------------------------

// A panel serving a shown preview; messages and prompts are answered from a script.
class FSControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        modal = std::make_unique<Dialogs::ScopedModalHandler>([this](QDialog* d) {
            if (auto* m = qobject_cast<TMessageBox*>(d)) {
                seen << QStringLiteral("M:") + m->Text();
                return int(Dialogs::mrOk);
            }
            auto* box = qobject_cast<TInternalFunctionInput*>(d);
            if (!box || inputs.empty()) {
                ADD_FAILURE() << "unexpected dialog";
                return int(Dialogs::mrCancel);
            }
            seen << QStringLiteral("I:") + box->Q->text();
            const QString answer = inputs.front();
            inputs.pop_front();
            if (answer.isEmpty()) {
                box->btnCancel->click();
            } else {
                box->A->setText(answer);
                box->btnOk->click();
            }
            return box->result();
        });
        panel = std::make_unique<TFSControl>(&boxes);
        auto b = std::make_unique<TRecordingPreviewBrowser>();
        browser = b.get();
        frm = std::make_unique<TPreviewFrm>(std::move(b), panel.get());
        frm->show();
    }
    void TearDown() override {
        EXPECT_TRUE(inputs.empty()) << "prompts left unasked";
        frm.reset();
        panel.reset();
        modal.reset();
    }
    void Choose(const QString& item) {
        const int i = panel->reses->findText(item);
        ASSERT_GE(i, 0) << item.toStdString();
        panel->reses->setCurrentIndex(i);
        emit panel->reses->activated(i);
    }
    QString Size(int w, int h) const { return QString::number(w) + kTimes + QString::number(h); }
    QStringList Items() const {
        QStringList out;
        for (int i = 0; i < panel->reses->count(); ++i)
            out << panel->reses->itemText(i);
        return out;
    }

    QStringList seen;
    std::deque<QString> inputs;
    std::unique_ptr<Dialogs::ScopedModalHandler> modal;
    TBoxes boxes;
    std::unique_ptr<TFSControl> panel;
    std::unique_ptr<TPreviewFrm> frm;
    TRecordingPreviewBrowser* browser = nullptr;
};

TEST_F(FSControlTest, ListsTheSizes) {
    EXPECT_EQ(Items(), (QStringList{QStringLiteral("Aktuell, helskärm"), Size(640, 480),
                                    Size(800, 600), Size(1024, 768), Size(1152, 864),
                                    Size(1280, 1024), QStringLiteral("Definiera ny storlek...")}));
    EXPECT_EQ(panel->Label->text(), QStringLiteral("Skärmstorlek:"));
    EXPECT_EQ(panel->CloseBtn->text(), QStringLiteral("X"));
    EXPECT_EQ(panel->AlphaChanger->interval(), 100);
    EXPECT_FALSE(panel->AlphaChanger->isActive());
    EXPECT_EQ(panel->AlphaBlendValue(), 150);
}

TEST_F(FSControlTest, ASizePlacesTheBrowserAtTheCornerAndTheWholeScreenFillsAgain) {
    Choose(Size(800, 600));
    EXPECT_EQ(frm->PreviewIE->geometry(), QRect(0, 0, 800, 600));
    frm->resize(500, 400); // a placed browser keeps its size
    EXPECT_EQ(frm->PreviewIE->geometry(), QRect(0, 0, 800, 600));

    Choose(QStringLiteral("Aktuell, helskärm"));
    EXPECT_EQ(frm->PreviewIE->geometry(), frm->rect());
    frm->resize(640, 450);
    EXPECT_EQ(frm->PreviewIE->geometry(), QRect(0, 0, 640, 450));
    EXPECT_TRUE(seen.isEmpty()) << seen.join(QLatin1Char(';')).toStdString();
}

TEST_F(FSControlTest, DefiningASizeAppendsItWithoutApplyingIt) {
    inputs = {QStringLiteral("1000"), QStringLiteral("700")};
    const QRect before = frm->PreviewIE->geometry();
    Choose(QStringLiteral("Definiera ny storlek..."));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("I:Ange bredd:"), QStringLiteral("I:Ange höjd:")}));
    EXPECT_EQ(Items().last(), Size(1000, 700));
    EXPECT_EQ(frm->PreviewIE->geometry(), before);

    Choose(Size(1000, 700));
    EXPECT_EQ(frm->PreviewIE->geometry(), QRect(0, 0, 1000, 700));
}

TEST_F(FSControlTest, AnInvalidDimensionAddsNothing) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("abc"), QStringLiteral("700")},
        {QStringLiteral("1000"), QStringLiteral("7x")},
        {QString(), QString()}, // both prompts cancelled
        {QStringLiteral("-5"), QStringLiteral("100")},
        {QStringLiteral("0"), QStringLiteral("100")},
    };
    const int count = panel->reses->count();
    for (const auto& [w, h] : cases) {
        SCOPED_TRACE((w + QLatin1Char('/') + h).toStdString());
        seen.clear();
        inputs = {w, h};
        Choose(QStringLiteral("Definiera ny storlek..."));
        EXPECT_EQ(seen.value(2), QStringLiteral("M:Ogiltigt mått. Ange korrekt heltalsvärde."));
        EXPECT_EQ(panel->reses->count(), count);
    }
}

TEST_F(FSControlTest, AnItemThatDoesNotParseIsReported) {
    for (const QString& item :
         {QStringLiteral("abc") + kTimes + QStringLiteral("12"), QStringLiteral("1200 x 800")}) {
        seen.clear();
        panel->reses->addItem(item);
        const QRect before = frm->PreviewIE->geometry();
        Choose(item);
        EXPECT_EQ(seen, QStringList{QStringLiteral(
                            "M:Ogiltig skärmstorlek. Ange väre med syntaxen \"bredd×höjd\".")});
        EXPECT_EQ(frm->PreviewIE->geometry(), before);
    }
}

TEST_F(FSControlTest, FadesOutAwayFromThePanelAndShowsUnderThePointer) {
    const QRect r = panel->geometry();
    QPoint pointer = r.topLeft() - QPoint(5, 5);
    panel->CursorPos = [&pointer] { return pointer; };

    SendMouse(panel->Label, QEvent::MouseMove, r.center());
    EXPECT_TRUE(panel->AlphaChanger->isActive());
    EXPECT_EQ(panel->AlphaBlendValue(), 150); // unchanged until a tick

    panel->AlphaChangerTimer();
    EXPECT_EQ(panel->AlphaBlendValue(), 0);
    pointer = r.center();
    panel->AlphaChangerTimer();
    EXPECT_EQ(panel->AlphaBlendValue(), 255);
    pointer = r.topLeft(); // on the edge is not inside
    panel->AlphaChangerTimer();
    EXPECT_EQ(panel->AlphaBlendValue(), 0);
}

TEST_F(FSControlTest, DraggingMovesThePanelAndHidesItsControls) {
    const QPoint start = panel->pos();
    const QPoint grab = panel->mapToGlobal(panel->Logo->geometry().center());
    SendMouse(panel->Logo, QEvent::MouseButtonPress, grab);
    EXPECT_TRUE(panel->Dragging());
    EXPECT_TRUE(panel->Label->isHidden());
    EXPECT_TRUE(panel->reses->isHidden());
    EXPECT_TRUE(panel->CloseBtn->isHidden());
    EXPECT_FALSE(panel->DragInfo->isHidden());
    EXPECT_EQ(panel->DragInfo->text(), QStringLiteral("Drag för att flytta panelen"));

    SendMouse(panel->Logo, QEvent::MouseMove, grab + QPoint(30, 20));
    SendMouse(panel->Logo, QEvent::MouseMove, grab + QPoint(40, -10));
    EXPECT_EQ(panel->pos(), start + QPoint(40, -10));

    SendMouse(panel->Logo, QEvent::MouseButtonRelease, grab + QPoint(40, -10));
    EXPECT_FALSE(panel->Dragging());
    EXPECT_FALSE(panel->Label->isHidden());
    EXPECT_FALSE(panel->reses->isHidden());
    EXPECT_FALSE(panel->CloseBtn->isHidden());
    EXPECT_TRUE(panel->DragInfo->isHidden());
    // Moves after the drag leave the panel where it is.
    SendMouse(panel->Logo, QEvent::MouseMove, grab + QPoint(90, 90));
    EXPECT_EQ(panel->pos(), start + QPoint(40, -10));
}

TEST_F(FSControlTest, CloseReleasesThePreview) {
    QPointer<TPreviewFrm> guard = frm.release();
    panel->CloseBtn->click();
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(panel->Preview(), nullptr);
    EXPECT_FALSE(panel->isVisible());
    // Choosing a size without a preview does nothing.
    Choose(Size(800, 600));
    EXPECT_TRUE(seen.isEmpty());
}

} // namespace
