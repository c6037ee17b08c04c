#include "histograph/RecorderPaint.h"

#include <platform/SysUtils.h>

#include <algorithm>

namespace Tessaron {

namespace {

void DrawRotated(TCanvas* Canvas, int Width, int Height, const QString& Text, const TFont* Rotated, bool Left,
    TTitleRects& Rects)
{
    TFont saved;
    saved.Assign(Canvas->Font());
    Canvas->SetFont(Rotated);
    // Measured along the text (cx) and across it (cy).
    const int cx = Canvas->TextWidth(Text);
    const int cy = Canvas->TextHeight(Text);
    const int top = Height / 2 + cx / 2 - cx;
    const int bottom = Height / 2 + cx / 2;
    const int m = RecorderTitleMargin;
    if (Left) {
        Canvas->TextOut(m, Height / 2 + cx / 2, Text);
        Rects[rtLeft] = TRect(m, top, m + cy, bottom);
    } else {
        Canvas->TextOut(Width - m, Height / 2 - cx / 2, Text);
        Rects[rtRight] = TRect(Width - m - cy, top, Width - m, bottom);
    }
    Canvas->SetFont(&saved);
}

} // namespace

void DrawRecorderTitles(TCanvas* Canvas, int Width, int Height, TColor Back, const TRecorderTitles& Titles,
    TTitleRects& Rects, const TRect* Clip)
{
    const int m = RecorderTitleMargin;
    // Whether title K may be drawn: without a clip or a known rectangle, always.
    auto needed = [&](TRecorderTitle K) {
        const TRect& r = Rects[std::size_t(K)];
        return !Clip || r.Left == -1 || (r.Left < Clip->Right && Clip->Left < r.Right && r.Top < Clip->Bottom
                                            && Clip->Top < r.Bottom);
    };
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Back);
    if (!Titles.Top.isEmpty() && needed(rtTop)) {
        Canvas->SetFont(Titles.FontTop);
        const int tw = Canvas->TextWidth(Titles.Top);
        const int th = Canvas->TextHeight(Titles.Top);
        const int x = Width / 2 - tw / 2;
        Canvas->TextOut(x, m, Titles.Top);
        Rects[rtTop] = TRect(x, m, x + tw, th + m);
    }
    if (!Titles.Bottom.isEmpty() && needed(rtBottom)) {
        Canvas->SetFont(Titles.FontBottom);
        const int tw = Canvas->TextWidth(Titles.Bottom);
        const int th = Canvas->TextHeight(Titles.Bottom);
        const int x = Width / 2 - tw / 2;
        Canvas->TextOut(x, Height - th - m, Titles.Bottom);
        Rects[rtBottom] = TRect(x, Height - th - m, x + tw, Height - m);
    }
    if (!Titles.Left.isEmpty() && needed(rtLeft))
        DrawRotated(Canvas, Width, Height, Titles.Left, Titles.RotatedLeft, true, Rects);
    if (!Titles.Right.isEmpty() && needed(rtRight))
        DrawRotated(Canvas, Width, Height, Titles.Right, Titles.RotatedRight, false, Rects);
}

void DrawRangeError(TCanvas* Canvas, int Width, int Height, const TFont* Font, const QString& Text, int Y)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clRed);
    Canvas->FillRect(TRect(0, 0, Width, Height));
    Canvas->SetFont(Font);
    Canvas->TextOut(10, Y, Text);
}

void DrawThroughBitmap(TCanvas* Canvas, std::unique_ptr<TBitmap>& Bitmap, int Width, int Height,
    const std::function<void(TCanvas*)>& Draw)
{
    if (!Bitmap)
        Bitmap = std::make_unique<TBitmap>();
    if (Bitmap->Width() != Width || Bitmap->Height() != Height)
        Bitmap->SetSize(Width, Height);
    TCanvas* offscreen = Bitmap->Canvas();
    offscreen->SaveClip();
    offscreen->SetClipRegion(Canvas->ClipRegion());
    Draw(offscreen);
    offscreen->RestoreClip();
    Canvas->Draw(0, 0, Bitmap.get());
}

void BuildRotatedFont(TFont& Rotated, const TFont* Source, int Orientation)
{
    Rotated.Assign(Source);
    Rotated.SetOrientation(Orientation);
}

TColor Shade(TColor Color, double Factor)
{
    const TColor rgb = ColorToRGB(Color);
    auto part = [Factor](int V) { return int(std::min<qint64>(255, Round(V * Factor))); };
    return RGB(part(GetRValue(rgb)), part(GetGValue(rgb)), part(GetBValue(rgb)));
}

void SetGridPen(TCanvas* Canvas, TColor Color)
{
    TPen* pen = Canvas->Pen();
    pen->SetColor(Color);
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    pen->SetWidth(1);
}

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2)
{
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

} // namespace Tessaron
