#pragma once
// A histograph on a plain parent, and pixel helpers for its picture.

#include <histograph/Histo.h>
#include <histograph/HistoMapping.h>

#include "support/ControlHost.h"

#include <platform/Graphics.h>

#include <QImage>

#include <gtest/gtest.h>

namespace HistoTest {

// A histograph of the given size at (0, 0) on its own parent.
struct THost : TestSupport::TControlHost<Tessaron::THistograph> {
    explicit THost(int Width = 417, int Height = 241) : TControlHost(Width, Height) {}
};

// Every pixel of A and B outside (or, with Inside, inside) rectangle R that differs.
inline int Differences(const QImage& A, const QImage& B, const Tessaron::TRect& R = Tessaron::TRect(), bool Inside = false)
{
    int n = 0;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x)
            if (R.Contains(x, y) == Inside || R.IsEmpty())
                n += (A.pixel(x, y) & 0xFFFFFF) != (B.pixel(x, y) & 0xFFFFFF);
    return n;
}

// The mapping of a 417 x 241 histograph with the default gaps: X -2.5 ... 7.5
// or logarithmic 1 ... 256 (nominal from 0.00001), Y -1.5 ... 1.5 or
// logarithmic 0.001 ... 1.
inline Tessaron::THistoMapping DefaultMapping(bool XLog, bool YLog)
{
    using namespace Tessaron;
    THistoMapping m;
    m.Frame = THistoFrame{417, 241, 70, 40, 40, 60};
    m.XLog = XLog;
    m.YLog = YLog;
    if (XLog) {
        m.XMin = 1;
        m.XMax = 256;
        EXPECT_TRUE(ComputeLogX(m.Frame, 0.00001f, 256, m.XMin, m.XMax, m.LogX));
    } else {
        m.XMin = -2.5f;
        m.XMax = 7.5f;
    }
    if (YLog) {
        m.YMin = 0.001f;
        m.YMax = 1;
        EXPECT_TRUE(ComputeLogY(m.Frame, m.YMin, m.YMax, m.LogY));
    } else {
        m.YMin = -1.5f;
        m.YMax = 1.5f;
    }
    return m;
}

inline Tessaron::TColor RgbOf(Tessaron::TColor C)
{
    return Tessaron::ColorToRGB(C);
}

// Whether Text in Font, written with a transparent background at (X, Y) on
// the colour Background, gives exactly the pixels of Image there. The text
// must have ink, so that an empty area never matches.
inline bool TextAt(const QImage& Image, int X, int Y, const QString& Text, const Tessaron::TFont* Font,
    Tessaron::TColor Background)
{
    using namespace Tessaron;
    TBitmap probe(1, 1);
    probe.Canvas()->SetFont(Font);
    const int w = probe.Canvas()->TextWidth(Text);
    const int h = probe.Canvas()->TextHeight(Text);
    probe.SetSize(w, h);
    TCanvas* c = probe.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Background);
    c->FillRect(TRect(0, 0, w, h));
    c->Brush()->SetStyle(bsClear);
    c->SetFont(Font);
    c->TextOut(0, 0, Text);
    c->Flush();
    const QImage& ref = probe.Image();
    const QRgb back = ColorToQRgb(Background);
    bool ink = false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!Image.rect().contains(X + x, Y + y))
                return false;
            if ((Image.pixel(X + x, Y + y) & 0xFFFFFF) != (ref.pixel(x, y) & 0xFFFFFF))
                return false;
            ink = ink || (ref.pixel(x, y) & 0xFFFFFF) != (back & 0xFFFFFF);
        }
    return ink;
}

// Whether the Y label Text stands right-aligned 10 pixels left of the plot,
// centred on row Y, in the histograph's picture.
inline bool YLabelAt(Tessaron::THistograph* H, const QString& Text, int Y)
{
    using namespace Tessaron;
    TBitmap b(1, 1);
    b.Canvas()->SetFont(H->FontYAxis());
    const int th = b.Canvas()->TextHeight(QStringLiteral("012."));
    const int tw = b.Canvas()->TextWidth(Text);
    return TextAt(H->BackingImage(), H->GapLeft() - tw - 10, Y - th / 2, Text, H->FontYAxis(), clBtnFace);
}

} // namespace HistoTest
