#pragma once
// Synthesized mouse input on a control's widget, for tests of mouse modes.

#include <QTest>
#include <QWidget>

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

} // namespace TestSupport
