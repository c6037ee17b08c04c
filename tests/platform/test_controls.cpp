#include <platform/Controls.h>
#include <platform/ImageBounds.h>
#include <platform/ExtCtrls.h>
#include <platform/ExtPanels.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QScreen>
#include <QTest>

using namespace Tessaron;

namespace {

// A control that fills itself and records how often and where it painted.
class TProbe : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int Paints = 0;
    TRect LastClip;
    TColor Fill = clGreen;

protected:
    void Paint() override
    {
        ++Paints;
        LastClip = Canvas()->ClipBox();
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
};

// A probe placed on Host.
TProbe* NewProbe(TWinControl& Host, int Left, int Top, int Width, int Height)
{
    auto* probe = new TProbe(&Host);
    probe->SetParent(&Host);
    probe->SetBounds(Left, Top, Width, Height);
    return probe;
}

} // namespace

TEST(GraphicControl, PaintAndDrawingAtOnceShareTheBackingImage)
{
    TWinControl host;
    auto* probe = NewProbe(host, 0, 0, 30, 20);
    EXPECT_EQ(probe->BackingImage().pixel(5, 5) & 0xFFFFFF, 0x008000u);
    EXPECT_EQ(probe->Paints, 1);

    // Drawing at once lands in the same picture without a paint.
    probe->Canvas()->Pen()->SetColor(clRed);
    probe->Canvas()->MoveTo(0, 3);
    probe->Canvas()->LineTo(30, 3);
    EXPECT_EQ(std::pair(probe->Canvas()->Pixel(10, 3), probe->Paints), std::pair(clRed, 1));

    // A partial invalidation repaints under a clip of just that area.
    probe->Fill = clBlue;
    probe->InvalidateRect(Rect(10, 10, 15, 12));
    probe->Update();
    EXPECT_EQ(std::tuple(probe->Paints, probe->LastClip, probe->Canvas()->Pixel(12, 11), probe->Canvas()->Pixel(9, 11),
                  probe->Canvas()->Pixel(10, 3)),
        std::tuple(2, Rect(10, 10, 15, 12), clBlue, clGreen, clRed));

    // Resizing gives a new image of the new size, painted whole.
    probe->SetWidth(50);
    EXPECT_EQ(probe->BackingImage().width(), 50);
    EXPECT_EQ(probe->Canvas()->Pixel(45, 3), clBlue);

    // A control far larger than any screen keeps a bounded picture of its
    // top-left part; so does a bitmap asked for more than the bound.
    probe->SetBounds(0, 0, MaxControlExtent, MaxControlExtent);
    EXPECT_EQ(probe->Width(), MaxControlExtent);
    const QImage& huge = probe->BackingImage();
    EXPECT_EQ(huge.width(), MaxImageExtent);
    EXPECT_LE(qint64(huge.width()) * huge.height(), MaxImagePixels);
    EXPECT_EQ(huge.pixel(5, 5) & 0xFFFFFF, 0x0000FFu);
    TBitmap bitmap(MaxControlExtent, 3);
    EXPECT_EQ(std::pair(bitmap.Width(), bitmap.Height()), std::pair(MaxImageExtent, 3));
}

TEST(GraphicControl, TheWindowFollowsAPictureThatMoves)
{
    // Lines drawn at once and moved, some before the window showed them:
    // the window's pixels end as the picture.
    TWinControl host;
    host.SetBounds(0, 0, 90, 60);
    TProbe* probe = NewProbe(host, 10, 10, 70, 40);
    QWidget* window = host.Widget();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    TCanvas* c = probe->Canvas();
    for (int step = 0; step < 8; ++step) {
        c->Pen()->SetColor(step % 2 ? clRed : clNavy);
        c->MoveTo(60, 5 + step);
        c->LineTo(66, 30);
        c->ScrollRect(Rect(0, 0, 70, 40), -4, step % 3 == 0 ? 1 : 0);
        if (step % 2)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
    QCoreApplication::processEvents();
    const QImage shown = window->screen()->grabWindow(window->winId(), 10, 10, 70, 40).toImage();
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), probe->BackingImage().convertToFormat(QImage::Format_RGB32));
}

TEST(PaintBox, OnPaintDrawsWithTheControlsColourAndFont)
{
    TWinControl host;
    auto* box = new TPaintBox(&host);
    box->SetParent(&host);
    box->SetColor(clYellow);
    box->Font()->SetColor(clNavy);
    int paints = 0;
    box->OnPaint = [&](TObject* Sender) {
        ++paints;
        EXPECT_EQ(Sender, box);
        EXPECT_EQ(box->Canvas()->Font()->Color(), clNavy);
        box->Canvas()->FillRect(Rect(0, 0, 10, 10));
    };
    box->SetBounds(0, 0, 20, 20);
    const QImage& img = box->BackingImage();
    EXPECT_GE(paints, 1);
    EXPECT_EQ(img.pixel(5, 5) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_NE(img.pixel(15, 15) & 0xFFFFFF, 0xFFFF00u); // the rest is the owner's
}

TEST(WinControl, AlignedChildrenShareTheClientAreaAndFollowTheParentFont)
{
    TWinControl host;
    host.SetBounds(0, 0, 200, 100);
    auto make = [&](TAlign align, int w, int h) {
        auto* c = NewProbe(host, 0, 0, w, h);
        c->SetAlign(align);
        return c;
    };
    TControl* top = make(alTop, 10, 20);
    TControl* bottom = make(alBottom, 10, 15);
    TControl* right = make(alRight, 30, 5);
    TControl* client = make(alClient, 1, 1);
    EXPECT_EQ(std::tuple(top->BoundsRect(), bottom->BoundsRect(), right->BoundsRect(), client->BoundsRect()),
        std::tuple(Rect(0, 0, 200, 20), Rect(0, 85, 200, 100), Rect(170, 20, 200, 85), Rect(0, 20, 170, 85)));
    host.SetWidth(300);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 20, 270, 85));
    top->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 270, 85));

    // Children follow the parent's font until they get their own.
    TControl* a = client;
    host.Font()->SetHeight(-20);
    EXPECT_EQ(a->Font()->Height(), -20);
    a->Font()->SetStyle(TFontStyles(fsBold));
    EXPECT_FALSE(a->ParentFont());
    host.Font()->SetHeight(-30);
    EXPECT_EQ(a->Font()->Height(), -20);
}

TEST(Controls, MouseEventsCarryButtonShiftAndClientCoordinates)
{
    TWinControl host;
    host.SetBounds(0, 0, 100, 80);
    auto* probe = NewProbe(host, 10, 10, 40, 30);
    host.Widget()->show();
    std::vector<QString> log;
    probe->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back(QStringLiteral("down %1 %2 %3,%4").arg(int(b)).arg(int(s)).arg(x).arg(y));
    };
    probe->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        log.push_back(QStringLiteral("up %1 %2,%3").arg(int(b)).arg(x).arg(y));
    };
    probe->OnClick = [&](TObject*) { log.push_back("click"); };
    QTest::mousePress(probe->Widget(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    QTest::mouseRelease(probe->Widget(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    QTest::mousePress(probe->Widget(), Qt::RightButton, Qt::NoModifier, QPoint(7, 8));
    QTest::mouseRelease(probe->Widget(), Qt::RightButton, Qt::NoModifier, QPoint(7, 8));
    const std::vector<QString> expected = {
        QStringLiteral("down 0 %1 5,6").arg(int(TShiftState(ssShift) | ssLeft)), "up 0 5,6", "click",
        QStringLiteral("down 1 %1 7,8").arg(int(TShiftState(ssRight))), "up 1 7,8"};
    EXPECT_EQ(log, expected);

    // A disabled control gets no mouse events.
    log.clear();
    probe->SetEnabled(false);
    QTest::mouseClick(probe->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    EXPECT_TRUE(log.empty());
}

TEST(Controls, DragAndDropBetweenTwoControls)
{
    TWinControl host;
    host.SetBounds(0, 0, 200, 100);
    auto* source = NewProbe(host, 10, 10, 40, 40);
    source->SetDragMode(dmAutomatic);
    auto* target = NewProbe(host, 120, 10, 40, 40);
    host.Widget()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.Widget()));
    std::vector<QString> log;
    target->OnDragOver = [&](TObject*, TObject* src, int, int, TDragState state, bool& accept) {
        accept = src == source;
        log.push_back(QStringLiteral("over %1").arg(int(state)));
    };
    target->OnDragDrop = [&](TObject*, TObject* src, int x, int y) {
        log.push_back(QStringLiteral("drop %1 %2,%3").arg(src == source).arg(x).arg(y));
    };
    source->OnEndDrag = [&](TObject*, TObject* t, int, int) { log.push_back(QStringLiteral("end %1").arg(t == target)); };
    source->OnStartDrag = [&](TObject*) { log.push_back("start"); };

    QWidget* w = source->Widget();
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(w, QPoint(60, 8));   // over the host, not a drop target
    QTest::mouseMove(w, QPoint(120, 10)); // over the target
    QTest::mouseMove(w, QPoint(121, 11));
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(121, 11));
    const std::vector<QString> expected = {"start", "over 0", "over 2", "over 2", "drop 1 11,11", "end 1"};
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(source->Dragging());

    // A drop where nobody accepts ends the drag without a target.
    log.clear();
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(w, QPoint(70, 30));
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(70, 30));
    EXPECT_EQ(log, (std::vector<QString>{"start", "end 0"}));
}

TEST(Timer, TicksInTheRunningLoopAfterLoadingNeverInADesignerNorFasterThanTheFloor)
{
    TComponent owner;
    auto* timer = new TTimer(&owner);
    int ticks = 0;
    timer->SetInterval(10);
    timer->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, timer);
        ++ticks;
    };
    EXPECT_TRUE(timer->Active());
    TestSupport::RunEventLoopFor(120);
    EXPECT_GE(ticks, 3);

    timer->SetEnabled(false);
    const int stopped = ticks;
    TestSupport::RunEventLoopFor(50);
    EXPECT_EQ(ticks, stopped);
    EXPECT_FALSE(timer->Active());

    // A timer waits for loading to end and never runs in a designer.
    auto* loading = new TTimer(&owner);
    loading->BeginLoading();
    loading->SetInterval(10);
    loading->OnTimer = [](TObject*) {};
    EXPECT_FALSE(loading->Active());
    loading->Loaded();
    EXPECT_TRUE(loading->Active());
    auto* designed = new TTimer(&owner);
    designed->SetDesigning(true);
    designed->OnTimer = [](TObject*) {};
    designed->SetInterval(20);
    EXPECT_FALSE(designed->Active());

    // Intervals below the platform's floor tick at the floor's pace, not
    // faster: a 1 ms timer gets at most one tick per 10 ms of running loop.
    ticks = 0;
    timer->SetInterval(1);
    timer->SetEnabled(true);
    EXPECT_EQ(timer->Interval(), 1);
    QElapsedTimer clock;
    clock.start();
    TestSupport::RunEventLoopFor(300);
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(ticks, 5);
    EXPECT_LE(ticks, elapsed / kMinTimerInterval + 1) << "elapsed " << elapsed << " ms";
}

// A right click on a control with a pop-up menu shows it at the mouse, after
// OnPopup; its items run their OnClick. Without AutoPopup nothing shows.
TEST(PopupMenu, RightClickShowsTheControlsMenu)
{
    TWinControl host;
    host.SetBounds(0, 0, 200, 100);
    auto* probe = NewProbe(host, 10, 10, 60, 40);
    auto* menu = new TPopupMenu(&host);
    auto* item = new TMenuItem(&host);
    item->SetCaption("&Kopieren");
    menu->Add(item);
    int popups = 0, clicks = 0;
    menu->OnPopup = [&](TObject* sender) {
        EXPECT_EQ(sender, menu);
        ++popups;
    };
    item->OnClick = [&](TObject*) { ++clicks; };
    host.Widget()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.Widget()));

    QTest::mouseClick(probe->Widget(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(popups, 0) << "no menu assigned";
    probe->SetPopupMenu(menu);
    QTest::mouseClick(probe->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(popups, 0) << "the left button";
    QTest::mouseClick(probe->Widget(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(popups, 1);
    ASSERT_NE(menu->PopupWidget(), nullptr);
    EXPECT_TRUE(menu->PopupWidget()->isVisible());
    EXPECT_EQ(menu->PopupWidget()->font().pixelSize(), MenuFont().pixelSize());
    ASSERT_EQ(menu->PopupWidget()->actions().size(), 1);
    menu->PopupWidget()->actions()[0]->trigger();
    EXPECT_EQ(clicks, 1);
    menu->PopupWidget()->close();

    menu->SetAutoPopup(false);
    QTest::mouseClick(probe->Widget(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(popups, 1);
    // A menu that goes away leaves no dangling reference.
    delete menu;
    EXPECT_EQ(probe->PopupMenu(), nullptr);
    QTest::mouseClick(probe->Widget(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
}
