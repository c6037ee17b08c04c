#pragma once
// Synthesized mouse input on a control's widget, for tests of mouse modes.

#include "support/ControlHost.h"

#include <histograph/Colorhis.h>

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace TestSupport {

struct TMouseInput {
    virtual ~TMouseInput() = default;
    virtual QWidget* W() const = 0;
    void Press(int X, int Y, Qt::MouseButton B = Qt::LeftButton) { QTest::mousePress(W(), B, {}, QPoint(X, Y)); }
    void Move(int X, int Y) { QTest::mouseMove(W(), QPoint(X, Y)); }
    void Release(int X, int Y, Qt::MouseButton B = Qt::LeftButton) { QTest::mouseRelease(W(), B, {}, QPoint(X, Y)); }
    // Press at (X1, Y1), one move to (X2, Y2), release there.
    void Drag(int X1, int Y1, int X2, int Y2, Qt::MouseButton B = Qt::LeftButton)
    {
        Press(X1, Y1, B);
        Move(X2, Y2);
        Release(X2, Y2, B);
    }
};

// A recorder control shown at 420 x 240, its plot spanning columns 10 ... 410
// and rows 20 ... 220, with a 16 x 1 colour grid below it to drag colours from.
// Host is a TControlHost of the control.
template <class Host>
struct TShownHost : Host, TMouseInput {
    Tessaron::TColorGridHisto* Grid = nullptr;

    TShownHost()
        : Host(420, 240)
    {
        using namespace Tessaron;
        this->Parent->SetBounds(0, 0, 440, 300);
        this->C->SetGapLeft(10);
        this->C->SetGapRight(10);
        this->C->SetGapTop(20);
        this->C->SetGapBottom(20);
        Grid = new TColorGridHisto(this->Parent.get());
        Grid->SetParent(this->Parent.get());
        Grid->SetBounds(10, 260, 320, 16);
        Grid->SetGridOrdering(TColorGridHisto::go16x1);
        Grid->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Grid->BeginDrag(true); };
        this->Parent->Widget()->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(this->Parent->Widget()));
    }
    QWidget* W() const override { return this->C->Widget(); }
};

} // namespace TestSupport
