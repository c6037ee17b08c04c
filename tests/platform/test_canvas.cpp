#include <platform/Graphics.h>
#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <functional>
#include <initializer_list>
#include <tuple>

using namespace Tessaron;

namespace {

// A white bitmap of the given size.
struct Surface {
    TBitmap Bitmap;
    Surface(int W = 40, int H = 30) : Bitmap(W, H) {}
    TCanvas* C() { return Bitmap.Canvas(); }
    TColor At(int X, int Y) { return C()->Pixel(X, Y); }
    // Expects each pixel (x, y) in its colour.
    void Expect(std::initializer_list<std::tuple<int, int, TColor>> Pixels)
    {
        for (const auto& [x, y, color] : Pixels)
            EXPECT_EQ(At(x, y), color) << x << "," << y;
    }
    // Bounding box of the pixels that differ from white.
    QRect Painted()
    {
        const QImage& img = Bitmap.Image();
        QRect box;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
};

} // namespace

TEST(Canvas, LinesLeaveOutTheirEndPixelAndStayInsideTheImage)
{
    // Across, down, and to its own start: nothing.
    const struct {
        TPoint From, To;
        QRect Painted;
    } lines[] = {{{2, 5}, {10, 5}, QRect(QPoint(2, 5), QPoint(9, 5))}, {{3, 2}, {3, 12}, QRect(QPoint(3, 2), QPoint(3, 11))},
        {{4, 4}, {4, 4}, QRect()}};
    for (const auto& l : lines) {
        Surface s;
        s.C()->MoveTo(l.From.x(), l.From.y());
        s.C()->LineTo(l.To.x(), l.To.y());
        EXPECT_EQ(std::pair(s.Painted(), s.C()->PenPos()), std::pair(l.Painted, l.To)) << l.To.x() << "," << l.To.y();
    }

    // Lines that start just past the right or bottom edge and run back in.
    Surface e(20, 10);
    e.C()->MoveTo(5, 10);
    e.C()->LineTo(5, 4);
    e.C()->MoveTo(20, 2);
    e.C()->LineTo(14, 2);
    e.Expect({{5, 9, clBlack}, {5, 5, clBlack}, {5, 4, clWhite}, {19, 2, clBlack}, {15, 2, clBlack}, {14, 2, clWhite}});
}

TEST(Canvas, RectanglesHaveExclusiveRightAndBottomEdges)
{
    struct Case {
        const char* name;
        std::function<void(TCanvas*)> draw;
        QRect expected;
    };
    const Case cases[] = {
        {"Rectangle", [](TCanvas* c) { c->Brush()->SetColor(clRed); c->Rectangle(2, 2, 7, 7); },
         QRect(QPoint(2, 2), QPoint(6, 6))},
        {"FillRect", [](TCanvas* c) { c->Brush()->SetColor(clRed); c->FillRect(Rect(3, 4, 9, 6)); },
         QRect(QPoint(3, 4), QPoint(8, 5))},
        {"FrameRect", [](TCanvas* c) { c->Brush()->SetColor(clBlue); c->FrameRect(Rect(3, 4, 9, 8)); },
         QRect(QPoint(3, 4), QPoint(8, 7))},
        {"Ellipse", [](TCanvas* c) { c->Brush()->SetColor(clRed); c->Ellipse(4, 4, 20, 20); },
         QRect(QPoint(4, 4), QPoint(19, 19))},
        {"Rectangle without pen",
         [](TCanvas* c) {
             c->Pen()->SetStyle(psClear);
             c->Brush()->SetColor(clRed);
             c->Rectangle(2, 2, 7, 7);
         },
         QRect(QPoint(2, 2), QPoint(5, 5))},
    };
    for (const Case& k : cases) {
        Surface s;
        k.draw(s.C());
        EXPECT_EQ(s.Painted(), k.expected) << k.name;
    }

    Surface s; // outline in the pen colour, inside in the brush colour
    s.C()->Pen()->SetColor(clBlue);
    s.C()->Brush()->SetColor(clRed);
    s.C()->Rectangle(2, 2, 7, 7);
    s.Expect({{2, 2, clBlue}, {6, 6, clBlue}, {4, 4, clRed}});
}

TEST(Canvas, XorAndDottedFocusRectangleDrawnTwiceRestoreThePicture)
{
    Surface s(60, 40);
    // A picture with structure, so that a wrong restore shows.
    for (int x = 0; x < 60; x += 3) {
        s.C()->Pen()->SetColor(TColor(RGB(x * 4, 255 - x * 3, (x * 37) & 255)));
        s.C()->MoveTo(x, 0);
        s.C()->LineTo(60 - x, 40);
    }
    const QImage before = s.Bitmap.Image().copy();

    auto drawXor = [&](TPenMode mode) {
        s.C()->Pen()->SetMode(mode);
        s.C()->Pen()->SetColor(clYellow);
        const TPoint pts[] = {TPoint(1, 1), TPoint(50, 7), TPoint(20, 33), TPoint(1, 1)};
        s.C()->Polyline(pts, 4);
        s.C()->MoveTo(5, 30);
        s.C()->LineTo(55, 2);
        s.C()->Brush()->SetStyle(bsClear);
        s.C()->Rectangle(10, 10, 30, 25);
        s.C()->Ellipse(12, 3, 40, 20);
    };
    for (TPenMode mode : {pmXor, pmNotXor, pmNot}) {
        drawXor(mode);
        EXPECT_NE(s.Bitmap.Image(), before);
        drawXor(mode);
        EXPECT_EQ(s.Bitmap.Image(), before) << "pen mode " << int(mode);
    }

    s.C()->DrawFocusRect(Rect(3, 3, 40, 21));
    EXPECT_NE(s.Bitmap.Image(), before);
    s.C()->DrawFocusRect(Rect(3, 3, 40, 21));
    EXPECT_EQ(s.Bitmap.Image(), before);

    // The focus rectangle is dotted on its edge.
    Surface f;
    f.C()->DrawFocusRect(Rect(2, 2, 12, 8));
    EXPECT_EQ(f.Painted(), QRect(QPoint(2, 2), QPoint(11, 7)));
    f.Expect({{2, 2, clBlack}, {3, 2, clWhite}, {4, 2, clBlack}, {5, 5, clWhite}}); // the inside stays
}

TEST(Canvas, ClipRegionConfinesEveryPrimitiveAndIsSavedAndRestored)
{
    const QRegion clip = QRegion(5, 5, 10, 10) + QRegion(25, 5, 5, 20);
    const std::function<void(TCanvas*)> primitives[] = {
        [](TCanvas* c) { c->MoveTo(0, 0); c->LineTo(39, 29); },
        [](TCanvas* c) { const TPoint p[] = {{0, 8}, {39, 8}, {39, 20}}; c->Polyline(p, 3); },
        [](TCanvas* c) { const TPoint p[] = {{0, 0}, {39, 0}, {20, 29}}; c->Polygon(p, 3); },
        [](TCanvas* c) { c->Rectangle(0, 0, 40, 30); },
        [](TCanvas* c) { c->Ellipse(0, 0, 40, 30); },
        [](TCanvas* c) { c->RoundRect(0, 0, 40, 30, 8, 8); },
        [](TCanvas* c) { c->Pie(0, 0, 40, 30, 40, 15, 0, 15); },
        [](TCanvas* c) { c->FillRect(Rect(0, 0, 40, 30)); },
        [](TCanvas* c) { c->FrameRect(Rect(8, 8, 28, 20)); },
        [](TCanvas* c) { c->DrawFocusRect(Rect(0, 6, 40, 30)); },
        [](TCanvas* c) { c->Font()->SetHeight(-20); c->TextOut(0, 3, "WWWWWWWW"); },
        [](TCanvas* c) { for (int x = 0; x < 40; ++x) c->SetPixel(x, 7, clRed); },
        [](TCanvas* c) {
            TBitmap b(40, 30);
            b.Canvas()->Brush()->SetColor(clNavy);
            b.Canvas()->FillRect(Rect(0, 0, 40, 30));
            c->CopyRect(Rect(0, 0, 40, 30), b.Canvas(), Rect(0, 0, 40, 30));
        },
        [](TCanvas* c) {
            TBitmap b(4, 4);
            b.Canvas()->Brush()->SetColor(clNavy);
            b.Canvas()->FillRect(Rect(0, 0, 4, 4));
            c->StretchDraw(Rect(0, 0, 40, 30), &b);
        },
    };
    int index = 0;
    for (const auto& draw : primitives) {
        Surface s;
        s.C()->Brush()->SetColor(clRed);
        s.C()->Pen()->SetColor(clBlue);
        s.C()->SetClipRegion(clip);
        draw(s.C());
        s.C()->ClearClipRegion();
        const QImage& img = s.Bitmap.Image();
        bool inside = false;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool painted = (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
                if (painted && !clip.contains(QPoint(x, y)))
                    ADD_FAILURE() << "primitive " << index << " painted outside at " << x << "," << y;
                inside |= painted;
            }
        EXPECT_TRUE(inside) << "primitive " << index << " painted nothing";
        ++index;
    }
    // Saved, narrowed, restored and cleared, as the clip box shows.
    Surface s;
    s.C()->SetClipRegion(QRegion(2, 2, 10, 10));
    s.C()->SaveClip();
    s.C()->IntersectClipRect(Rect(5, 0, 40, 30));
    EXPECT_EQ(s.C()->ClipBox(), Rect(5, 2, 12, 12));
    s.C()->RestoreClip();
    EXPECT_EQ(s.C()->ClipBox(), Rect(2, 2, 12, 12));
    s.C()->ClearClipRegion();
    EXPECT_EQ(s.C()->ClipBox(), Rect(0, 0, 40, 30));
}

TEST(Canvas, ClippedLinesAreTheWholeLinesCutToTheClip)
{
    // Lines from far outside, steep and flat, in every direction and style:
    // under a clip they draw exactly their unclipped pixels inside it.
    const QRect clip(5, 3, 25, 20);
    std::uint32_t seed = 7;
    auto next = [&](int Span) { seed = seed * 1664525u + 1013904223u; return int(seed >> 8) % Span; };
    for (TPenStyle style : {psSolid, psDash, psDot})
        for (TPenMode mode : {pmCopy, pmXor}) {
            Surface whole, cut;
            cut.C()->SetClipRegion(QRegion(clip));
            for (TCanvas* c : {whole.C(), cut.C()}) {
                c->Pen()->SetStyle(style);
                c->Pen()->SetMode(mode);
            }
            for (int n = 0; n < 300; ++n) {
                std::vector<TPoint> points;
                for (int k = 0; k < 3; ++k)
                    points.emplace_back(next(140) - 50, next(130) - 50);
                for (TCanvas* c : {whole.C(), cut.C()}) {
                    c->Pen()->SetColor(TColor(RGB(n % 256, (n * 7) % 256, 90)));
                    c->Polyline(points);
                }
            }
            const QImage& a = whole.Bitmap.Image();
            const QImage& b = cut.Bitmap.Image();
            // A solid line written straight covers the pixels of the inverting walk.
            for (int n = 0; style == psSolid && mode == pmCopy && n < 200; ++n) {
                const TPoint from(next(140) - 50, next(130) - 50);
                const TPoint to = n % 2 ? TPoint(from.x() + next(9) - 4, next(130) - 50)
                                        : TPoint(next(140) - 50, from.y() + next(9) - 4);
                Surface solid, inverted;
                inverted.C()->Pen()->SetMode(pmNot);
                for (TCanvas* c : {solid.C(), inverted.C()}) {
                    c->MoveTo(from.x(), from.y());
                    c->LineTo(to.x(), to.y());
                }
                ASSERT_EQ(solid.Bitmap.Image(), inverted.Bitmap.Image()) << from.x() << "," << from.y() << " to " << to.x() << "," << to.y();
            }
            // Curves with several samples per column, their columns gathered
            // before they are written, cover the pixels of their segments
            // drawn one by one: a long one, and short ones that come back to
            // a column apart from what they drew there before.
            if (style == psSolid && mode == pmCopy)
                for (const QRegion& region : {QRegion(0, 0, 40, 30), QRegion(clip)}) {
                    Surface gathered, single;
                    gathered.C()->SetClipRegion(region);
                    single.C()->SetClipRegion(region);
                    for (int n = 0; n < 100; ++n) {
                        std::vector<TPoint> curve;
                        for (int i = 0; i < (n ? 5 : 300); ++i)
                            curve.emplace_back(n ? next(8) + n % 30 : i / 6 - 5, next(60) - 15);
                        for (TCanvas* c : {gathered.C(), single.C()})
                            c->Pen()->SetColor(TColor(RGB(n % 7 * 30, 90, n % 5 * 50)));
                        gathered.C()->Polyline(curve);
                        for (size_t i = 1; i < curve.size(); ++i)
                            single.C()->Polyline({curve[i - 1], curve[i]});
                    }
                    ASSERT_EQ(gathered.Bitmap.Image(), single.Bitmap.Image());
                }
            int differing = 0;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x)
                    differing += b.pixel(x, y) != (clip.contains(x, y) ? a.pixel(x, y) : qRgb(255, 255, 255));
            EXPECT_EQ(differing, 0) << "style " << int(style) << ", mode " << int(mode);
        }
}

TEST(Canvas, ScrollingMovesPixelsAndReturnsTheUncoveredRegion)
{
    Surface s(20, 10);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y)
            s.C()->SetPixel(x, y, RGB(x * 10, y * 20, 0));
    const QRegion uncovered = s.C()->ScrollRect(Rect(2, 1, 18, 9), -3, 0);
    EXPECT_EQ(uncovered, QRegion(15, 1, 3, 8));
    // (2, 1) came from x = 5; (1, 1) and (18, 1) lie outside the rectangle, untouched.
    s.Expect({{2, 1, RGB(50, 20, 0)}, {14, 8, RGB(170, 160, 0)}, {1, 1, RGB(10, 20, 0)}, {18, 1, RGB(180, 20, 0)}});

    Surface d(10, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 10; ++x)
            d.C()->SetPixel(x, y, RGB(0, y * 10, x * 20));
    const QRegion down = d.C()->ScrollRect(Rect(0, 0, 10, 20), 2, 5);
    EXPECT_EQ(down, QRegion(0, 0, 10, 5) + QRegion(0, 5, 2, 15));
    d.Expect({{2, 5, RGB(0, 0, 0)}, {9, 19, RGB(0, 140, 140)}});

    EXPECT_TRUE(d.C()->ScrollRect(Rect(0, 0, 10, 20), 0, 0).isEmpty());
    EXPECT_EQ(d.C()->ScrollRect(Rect(0, 0, 10, 20), 30, 0), QRegion(0, 0, 10, 20));
}

TEST(Canvas, LargeAreasScrolledLeftAgainAndAgainEndAsThePlainMoveAndSparePriorCopies)
{
    // A chart-like picture: a wide area moving left by steps that use up the
    // rows' room several times, with a copy of the picture taken on the way.
    const int w = 160, h = 50;
    Surface s(w, h);
    QImage expected(w, h, QImage::Format_RGB32);
    auto fill = [&](int X, int Y, int Seed) {
        const TColor c = RGB((X * 7 + Seed) % 256, (Y * 13 + Seed) % 256, (X * Y + Seed) % 256);
        s.C()->SetPixel(X, Y, c);
        expected.setPixel(X, Y, ColorToQRgb(c));
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            fill(x, y, 0);
    const QRect area(10, 4, 140, 40);
    QImage early, earlyExpected;
    for (int step = 1; step <= 30; ++step) {
        const int d = 3 + step % 5;
        s.C()->ScrollRect(Rect(area.left(), area.top(), area.right() + 1, area.bottom() + 1), -d, 0);
        const QImage before = expected.copy();
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right() - d; ++x)
                expected.setPixel(x, y, before.pixel(x + d, y));
        ASSERT_EQ(*s.C()->Image(), expected) << "step " << step;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.right() + 1 - d; x <= area.right(); ++x)
                fill(x, y, step);
        if (step == 12) {
            early = *s.C()->Image();
            earlyExpected = expected.copy();
        }
    }
    // The copy kept the picture of its time.
    EXPECT_EQ(early, earlyExpected);
}

TEST(Canvas, TextsMeasureAndDrawAsQtLaysThemOut)
{
    // New numbers and times are measured and drawn from their characters'
    // widths and glyphs where that gives what Qt's layout gives; kerning,
    // ligatures, letter spacing and other fonts' characters must still come
    // out as Qt lays the text out, to the pixel.
    const QStringList texts = {"12.500", "00:01:01", "0001-01-01 00:00:12.500   [sec:msec]", "-1.25E-03", "AVATAR",
        "To Tw Yo", "office", "affine", "Wärme (°C)", "Spannung [V]", "L'Tw", "11", "ÄÖÜ äöü ß", "1,000.5 µs"};
    int fromCharacters = 0, fromPixels = 0;
    for (const char* name : {"Arial", "Times New Roman", "Courier New", "MS Sans Serif", "Tahoma"})
        for (int height : {-8, -11, -14, -23})
            for (TFontStyles style : {TFontStyles(), TFontStyles(fsBold), TFontStyles(fsItalic | fsUnderline)}) {
                TFont f;
                f.SetName(name);
                f.SetHeight(height);
                f.SetStyle(style);
                f.SetColor(clNavy);
                const QFontMetrics shaped(f.ToQFont());
                for (const QString& t : texts) {
                    SCOPED_TRACE(std::string(name) + " " + std::to_string(height) + " " + t.toStdString());
                    EXPECT_EQ(f.TextWidth(t), shaped.horizontalAdvance(t));
                    QGlyphRun run;
                    fromCharacters += f.Glyphs(t, run);
                    Surface s(400, 40);
                    s.C()->SetFont(&f);
                    s.C()->Brush()->SetStyle(bsClear);
                    s.C()->TextOut(3, 2, t);
                    s.C()->Flush();
                    QImage laidOut(400, 40, QImage::Format_RGB32);
                    laidOut.fill(Qt::white);
                    QPainter p(&laidOut);
                    p.setRenderHint(QPainter::TextAntialiasing, false);
                    p.setFont(f.ToQFont());
                    p.setPen(ColorToQColor(clNavy));
                    p.drawText(3, 2 + shaped.ascent(), t);
                    p.end();
                    EXPECT_EQ(*s.C()->Image(), laidOut);
                    // Drawn from its glyphs' pixels, it keeps to a clip.
                    std::vector<std::pair<int, const std::vector<TFont::TPixelRun>*>> pieces;
                    fromPixels += f.GlyphPixels(t, pieces);
                    const QRegion bands = QRegion(0, 0, 400, 2 + shaped.ascent() / 2) + QRegion(20, 0, 30, 40);
                    Surface clipped(400, 40);
                    clipped.C()->SetFont(&f);
                    clipped.C()->Brush()->SetStyle(bsClear);
                    clipped.C()->SetClipRegion(bands);
                    clipped.C()->TextOut(3, 2, t);
                    clipped.C()->Flush();
                    QImage inside(400, 40, QImage::Format_RGB32);
                    inside.fill(Qt::white);
                    QPainter q(&inside);
                    q.setClipRegion(bands);
                    q.drawImage(0, 0, laidOut);
                    q.end();
                    EXPECT_EQ(*clipped.C()->Image(), inside);
                }
            }
    EXPECT_GT(fromCharacters, 200);
    EXPECT_GT(fromPixels, 200);
}

TEST(Canvas, RotatedTextRunsTheRightWayOpaqueTextFillsItsCell)
{
    auto extent = [](int orientation) {
        Surface s(100, 100);
        s.C()->Brush()->SetStyle(bsClear);
        s.C()->Font()->SetName("Arial");
        s.C()->Font()->SetHeight(-14);
        s.C()->Font()->SetOrientation(orientation);
        s.C()->TextOut(50, 50, "Tessaron");
        return s.Painted();
    };
    const QRect up = extent(900);
    EXPECT_GT(up.height(), up.width());
    EXPECT_LE(up.bottom(), 50); // reads upward from the start point
    EXPECT_GE(up.left(), 50);   // the cell's top lies to the left... of the baseline, right of x
    const QRect down = extent(2700);
    EXPECT_GT(down.height(), down.width());
    EXPECT_GE(down.top(), 50); // reads downward
    EXPECT_LE(down.right(), 50);
    const QRect flat = extent(0);
    EXPECT_GT(flat.width(), flat.height());
    EXPECT_GE(flat.top(), 50);

    // Opaque text fills its cell.
    Surface s(80, 30);
    s.C()->Brush()->SetColor(clYellow);
    s.C()->Font()->SetHeight(-11);
    s.C()->TextOut(3, 4, "Hi");
    const QSize size = s.C()->TextExtent("Hi");
    EXPECT_EQ(s.Painted(), QRect(3, 4, size.width(), size.height()));
    EXPECT_EQ(s.At(3, 4), clYellow);
}

TEST(Canvas, Frame3DPaintsRingsAndShrinksTheRectangle)
{
    Surface s;
    TRect r = Rect(2, 2, 12, 10);
    Frame3D(s.C(), r, clBlue, clRed, 2);
    EXPECT_EQ(r, Rect(4, 4, 10, 8));
    // The top-left corner in the top colour, the other three corners in the
    // bottom colour, then the second ring; the inside stays.
    s.Expect({{2, 2, clBlue}, {11, 2, clRed}, {2, 9, clRed}, {11, 9, clRed}, {3, 3, clBlue}, {10, 8, clRed}, {4, 4, clWhite}});
    EXPECT_EQ(s.Painted(), QRect(QPoint(2, 2), QPoint(11, 9)));
}

TEST(Canvas, PieRunsCounterClockwiseFromStartToEnd)
{
    // From three o'clock counter-clockwise to twelve: the upper-right quarter;
    // swapping start and end gives the other three quarters.
    for (bool swapped : {false, true}) {
        Surface s(41, 41);
        s.C()->Brush()->SetColor(clRed);
        s.C()->Pen()->SetColor(clRed);
        s.C()->Pie(0, 0, 41, 41, swapped ? 20 : 40, swapped ? 0 : 20, swapped ? 40 : 20, swapped ? 20 : 0);
        const TColor quarter = swapped ? clWhite : clRed, rest = swapped ? clRed : clWhite;
        EXPECT_EQ(std::tuple(s.At(30, 10), s.At(10, 10), s.At(30, 30)), std::tuple(quarter, rest, rest)) << swapped;
    }
}

TEST(Colors, SystemColorsResolveThroughTheClassicTable)
{
    for (const auto& [color, rgb] : {std::pair(clBtnFace, TColor(0xC0C0C0)), std::pair(clBtnShadow, TColor(0x808080)),
             std::pair(clBtnHighlight, TColor(0xFFFFFF)), std::pair(clWindowText, clBlack), std::pair(clRed, clRed)})
        EXPECT_EQ(ColorToRGB(color), rgb) << ColorToString(color).toStdString();
    EXPECT_EQ(int(clBtnFace), int(0x8000000F)); // as descriptions store it
    TColor c{};
    EXPECT_TRUE(IdentToColor("clBtnShadow", &c));
    EXPECT_EQ(c, clBtnShadow);
    EXPECT_EQ(std::pair(ColorToString(clSilver), ColorToString(RGB(1, 2, 3))),
        std::pair(QString("clSilver"), QString("$00030201")));
}

TEST(Fonts, ClassicHeightsAndSubstitution)
{
    TFont f;
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
    EXPECT_EQ(std::pair(SubstituteFontName("Arial"), SubstituteFontName("MS Sans Serif")),
        std::pair(QString("Liberation Sans"), QString("Liberation Sans")));
    // A positive height is the cell height.
    Surface s;
    s.C()->Font()->SetName("Arial");
    s.C()->Font()->SetHeight(20);
    EXPECT_NEAR(s.C()->TextHeight("X"), 20, 1);
    s.C()->Font()->SetHeight(-20);
    EXPECT_GT(s.C()->TextHeight("X"), 20);
    TFont copy;
    copy.Assign(s.C()->Font());
    EXPECT_EQ(std::pair(copy.Height(), copy.Name()), std::pair(-20, QString("Arial")));
}

TEST(Pictures, BitmapsLoadKeepAndSurviveResizing)
{
    TBitmap b(10, 10);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 5, 5));
    b.SetSize(20, 4);
    EXPECT_EQ(std::tuple(b.Canvas()->Pixel(4, 3), b.Canvas()->Pixel(15, 3), b.Canvas()->Pixel(20, 0)),
        std::tuple(clRed, clWhite, TColor(-1)));

    TPicture p;
    p.Bitmap()->Assign(&b);
    const QByteArray data = p.Data();
    TPicture q;
    q.SetData(data);
    ASSERT_FALSE(q.Empty());
    EXPECT_EQ(std::pair(q.Width(), q.Bitmap()->Canvas()->Pixel(0, 0)), std::pair(20, clRed));

    EXPECT_THROW(q.LoadFromFile("does-not-exist.bmp"), EFOpenError);
    EXPECT_EQ(q.Width(), 20); // a failed load keeps the picture
}
