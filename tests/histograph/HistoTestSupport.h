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

// The width and height of Text in Font.
inline QSize TextSize(const Tessaron::TFont* Font, const QString& Text)
{
    Tessaron::TBitmap probe(1, 1);
    probe.Canvas()->SetFont(Font);
    return QSize(probe.Canvas()->TextWidth(Text), probe.Canvas()->TextHeight(Text));
}

// Whether Text in Font, written with a transparent background at (X, Y) on
// the colour Background, gives exactly the pixels of Image there. The text
// must have ink, so that an empty area never matches.
inline bool TextAt(const QImage& Image, int X, int Y, const QString& Text, const Tessaron::TFont* Font,
    Tessaron::TColor Background)
{
    using namespace Tessaron;
    const QSize size = TextSize(Font, Text);
    TBitmap probe(size.width(), size.height());
    TCanvas* c = probe.Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Background);
    c->FillRect(TRect(0, 0, size.width(), size.height()));
    c->Brush()->SetStyle(bsClear);
    c->SetFont(Font);
    c->TextOut(0, 0, Text);
    c->Flush();
    const QImage ref = probe.Image().convertToFormat(QImage::Format_RGB32);
    QImage back(size, QImage::Format_RGB32);
    back.fill(ColorToQRgb(Background));
    return Image.rect().contains(QRect(QPoint(X, Y), size)) && ref != back
        && Image.copy(X, Y, size.width(), size.height()).convertToFormat(QImage::Format_RGB32) == ref;
}

// Whether the Y label Text stands right-aligned 10 pixels left of the plot,
// centred on row Y, in the chart's picture (a histograph or a strip chart).
template <class TChart>
bool YLabelAt(TChart* H, const QString& Text, int Y)
{
    const int top = Y - TextSize(H->FontYAxis(), QStringLiteral("012.")).height() / 2;
    const int left = H->GapLeft() - TextSize(H->FontYAxis(), Text).width() - 10;
    return TextAt(H->BackingImage(), left, top, Text, H->FontYAxis(), Tessaron::clBtnFace);
}

} // namespace HistoTest
