#pragma once
// Helpers for the instrument-control tests: a shown host window, the pixels of
// a control's picture, synthesized mouse input and the partial-redraw check.
#include <platform/Controls.h>
#include <platform/Graphics.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <tuple>
#include <vector>

namespace ControlTest {

constexpr Tessaron::TColor kSentinel = Tessaron::TColor(0xFF00FF);

inline Tessaron::TColor PixelAt(Tessaron::TControl* C, int X, int Y)
{
    return Tessaron::QRgbToColor(C->BackingImage().pixel(X, Y));
}

// Expects each pixel (x, y) of the control's picture in its colour.
inline void ExpectPixels(Tessaron::TControl* C, std::initializer_list<std::tuple<int, int, Tessaron::TColor>> Pixels)
{
    for (const auto& [x, y, color] : Pixels)
        EXPECT_EQ(PixelAt(C, x, y), color) << x << "," << y;
}

inline Tessaron::TColor Rgb(Tessaron::TColor C)
{
    return Tessaron::ColorToRGB(C);
}

inline int CountColor(const QImage& Image, const QRect& Area, Tessaron::TColor Color)
{
    int n = 0;
    for (int y = std::max(0, Area.top()); y <= std::min(Image.height() - 1, Area.bottom()); ++y)
        for (int x = std::max(0, Area.left()); x <= std::min(Image.width() - 1, Area.right()); ++x)
            n += Tessaron::QRgbToColor(Image.pixel(x, y)) == Color;
    return n;
}

inline void Press(Tessaron::TControl* C, int X, int Y)
{
    QTest::mousePress(C->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(X, Y));
}
inline void Move(Tessaron::TControl* C, int X, int Y)
{
    QTest::mouseMove(C->Widget(), QPoint(X, Y));
}
inline void Release(Tessaron::TControl* C, int X, int Y)
{
    QTest::mouseRelease(C->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(X, Y));
}

// Paints the whole bitmap in one colour.
inline void FillBitmap(Tessaron::TBitmap& B, Tessaron::TColor Color)
{
    B.Canvas()->Brush()->SetColor(Color);
    B.Canvas()->FillRect(Tessaron::TRect(0, 0, B.Width(), B.Height()));
}

// One range per limit, in the colours and with the watch flags where given.
template <class T>
void SetRanges(T* C, const std::vector<double>& Limits, const std::vector<Tessaron::TColor>& Colors = {},
    const std::vector<bool>& Watched = {})
{
    C->SetRangeNumber(int(Limits.size()));
    for (size_t i = 0; i < Limits.size(); ++i) {
        C->SetRangeCurrent(int(i) + 1);
        C->SetRangeLimit(Limits[i]);
        if (!Colors.empty())
            C->SetRangeColor(Colors[i]);
        if constexpr (requires { C->SetRangeCheck(true); })
            if (!Watched.empty())
                C->SetRangeCheck(Watched[i]);
    }
}

// A shown top-level window; Add places a control on it at (8, 8) and counts
// its value changes in Events.
class THost {
public:
    THost()
    {
        FHost.SetBounds(0, 0, 480, 320);
        FHost.Widget()->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(FHost.Widget()));
    }
    template <class T>
    T* Add(int W, int H, const std::function<void(T*)>& Before = {})
    {
        auto* c = new T(&FHost);
        c->SetParent(&FHost);
        if (Before)
            Before(c);
        c->SetBounds(8, 8, W, H);
        if constexpr (requires { c->OnValueChange; })
            c->OnValueChange = [this](Tessaron::TObject*) { ++Events; };
        c->BackingImage();
        return c;
    }
    int Events = 0;

private:
    Tessaron::TWinControl FHost;
};

// Fills the control's picture with the sentinel, before a partial redraw.
inline void PaintSentinel(Tessaron::TControl* C)
{
    C->Canvas()->Brush()->SetColor(kSentinel);
    C->Canvas()->FillRect(C->ClientRect());
}

// After a partial redraw over the sentinel: nothing outside Region was touched,
// every pixel of Painted (inside Region) was drawn, as a full repaint draws it.
inline void ExpectPartialRedraw(Tessaron::TControl* C, const QRegion& Region, const QRegion& Painted)
{
    const QImage partial = C->BackingImage().copy();
    C->Repaint();
    const QImage full = C->BackingImage();
    int outside = 0, unpainted = 0, differ = 0;
    for (int y = 0; y < partial.height(); ++y)
        for (int x = 0; x < partial.width(); ++x) {
            const bool sentinel = Tessaron::QRgbToColor(partial.pixel(x, y)) == kSentinel;
            if (!Region.contains(QPoint(x, y))) {
                outside += !sentinel;
            } else if (Painted.contains(QPoint(x, y))) {
                unpainted += sentinel;
                differ += partial.pixel(x, y) != full.pixel(x, y);
            }
        }
    EXPECT_EQ(outside, 0) << "pixels repainted outside the expected area";
    EXPECT_EQ(unpainted, 0) << "pixels of the area left unpainted";
    EXPECT_EQ(differ, 0) << "the partial redraw differs from a full repaint";
}

// A value change from From to To redraws only the old and the new Area(),
// grown by 2, as a full repaint draws them.
template <class T>
void ExpectMoveRedrawsOldAndNewArea(T* C, double From, double To, Tessaron::TRect (T::*Area)() const)
{
    C->SetValue(From);
    C->BackingImage();
    const Tessaron::TRect before = (C->*Area)();
    PaintSentinel(C);
    C->SetValue(To);
    const QRegion region =
        QRegion(InflateRect(before, 2, 2).ToQRect()) | QRegion(InflateRect((C->*Area)(), 2, 2).ToQRect());
    ExpectPartialRedraw(C, region, region);
}

} // namespace ControlTest
