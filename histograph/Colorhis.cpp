#include "histograph/Colorhis.h"

#include <platform/Streaming.h>

#include <QEvent>

#include <algorithm>

namespace Tessaron {

namespace {

const bool kRegistered = [] {
    RegisterClass<TColorGridHisto>();
    return true;
}();

} // namespace

const std::array<TColor, 20>& TColorGridHisto::DefaultPalette()
{
    static const std::array<TColor, 20> palette = {RGB(0, 0, 0), RGB(0x80, 0, 0), RGB(0, 0x80, 0),
        RGB(0x80, 0x80, 0), RGB(0, 0, 0x80), RGB(0x80, 0, 0x80), RGB(0, 0x80, 0x80), RGB(0xC0, 0xC0, 0xC0),
        RGB(0xC0, 0xDC, 0xC0), RGB(0xA6, 0xCA, 0xF0), RGB(0xFF, 0xFB, 0xF0), RGB(0xA0, 0xA0, 0xA4),
        RGB(0x80, 0x80, 0x80), RGB(0xFF, 0, 0), RGB(0, 0xFF, 0), RGB(0xFF, 0xFF, 0), RGB(0, 0, 0xFF),
        RGB(0xFF, 0, 0xFF), RGB(0, 0xFF, 0xFF), RGB(0xFF, 0xFF, 0xFF)};
    return palette;
}

TColor TColorGridHisto::CellColor(int Index)
{
    Index = std::clamp(Index, 0, CellCount - 1);
    return DefaultPalette()[std::size_t(Index <= 7 ? Index : Index + 4)];
}

TColorGridHisto::TColorGridHisto(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() | csOpaque);
    FSelectColor = CellColor(0);
    SetTabStop(true);
    SetBounds(0, 0, 100, 100);
}

void TColorGridHisto::SetGridOrdering(TGridOrdering Value)
{
    if (Value < go16x1 || Value > go1x16 || Value == FGridOrdering)
        return;
    FGridOrdering = Value;
    if (!IsLoading())
        SetBounds(Left(), Top(), CellWidth() * Columns(), CellHeight() * Rows());
    Invalidate();
}

void TColorGridHisto::SetMarker(int& Field, bool Enabled, int Value)
{
    if (!Enabled || Value < 0 || Value >= CellCount || Field == Value)
        return;
    Field = Value;
    Invalidate();
    CallEvent(OnChange, this);
}

void TColorGridHisto::SetForegroundIndex(int Value)
{
    SetMarker(FForegroundIndex, FForegroundEnabled, Value);
}

void TColorGridHisto::SetBackgroundIndex(int Value)
{
    SetMarker(FBackgroundIndex, FBackgroundEnabled, Value);
}

void TColorGridHisto::SetForegroundEnabled(bool Value)
{
    if (FForegroundEnabled == Value)
        return;
    FForegroundEnabled = Value;
    Invalidate();
}

void TColorGridHisto::SetBackgroundEnabled(bool Value)
{
    if (FBackgroundEnabled == Value)
        return;
    FBackgroundEnabled = Value;
    Invalidate();
}

void TColorGridHisto::SetSelection(int Value)
{
    if (Value < 0 || Value >= CellCount || Value == FSelection)
        return;
    const int old = FSelection;
    FSelection = Value;
    FSelectColor = CellColor(Value);
    InvalidateRect(CellRect(old));
    InvalidateRect(CellRect(Value));
}

TRect TColorGridHisto::CellRect(int Index) const
{
    const int col = Index % Columns();
    const int row = Index / Columns();
    return Bounds(col * CellWidth(), row * CellHeight(), CellWidth(), CellHeight());
}

// ---------------------------------------------------------------- painting

void TColorGridHisto::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    for (int i = 0; i < CellCount; ++i)
        DrawCell(canvas, i);
}

void TColorGridHisto::DrawCell(TCanvas* Canvas, int Index)
{
    const TColor colour = CellColor(Index);
    TRect r = CellRect(Index);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Pen()->SetWidth(1);
    Canvas->Brush()->SetStyle(bsSolid);
    if (Ctl3D()) {
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FrameRect(r);
        r = InflateRect(r, -1, -1);
        Frame3D(Canvas, r, clBtnShadow, clBtnHighlight, 2);
        Canvas->Brush()->SetColor(colour);
        Canvas->FillRect(r);
        if (Index == FSelection)
            Canvas->DrawFocusRect(InflateRect(r, -1, -1));
    } else {
        Canvas->Pen()->SetColor(clBlack);
        Canvas->Brush()->SetColor(colour);
        Canvas->Rectangle(r);
        if (Index == FSelection) {
            // An inverting frame, then a normal one two pixels smaller.
            Canvas->Brush()->SetStyle(bsClear);
            Canvas->Pen()->SetMode(pmNot);
            Canvas->Rectangle(r);
            Canvas->Pen()->SetMode(pmCopy);
            Canvas->Rectangle(InflateRect(r, -2, -2));
        }
    }
    const bool fore = FForegroundEnabled && Index == FForegroundIndex;
    const bool back = FBackgroundEnabled && Index == FBackgroundIndex;
    if (!fore && !back)
        return;
    const QString text = fore && back ? QStringLiteral("VH") : (fore ? QStringLiteral("VG") : QStringLiteral("HG"));
    // Black on light components, white on dark ones.
    const TColor rgb = ColorToRGB(colour);
    auto part = [](int V) { return V >= 128 ? 0 : 255; };
    Canvas->SetFont(Font());
    Canvas->Font()->SetColor(RGB(part(GetRValue(rgb)), part(GetGValue(rgb)), part(GetBValue(rgb))));
    Canvas->Brush()->SetStyle(bsClear);
    const TRect cell = CellRect(Index);
    const int x = cell.Left + (cell.Right - cell.Left - Canvas->TextWidth(text)) / 2;
    const int y = cell.Top + (cell.Bottom - cell.Top - Canvas->TextHeight(text)) / 2;
    Canvas->TextOut(x, y, text);
}

// ---------------------------------------------------------------- input

void TColorGridHisto::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FButton = Button;
    FButtonDown = true;
    const int x = std::clamp(X, 0, std::max(0, ClientWidth() - 1));
    const int y = std::clamp(Y, 0, std::max(0, ClientHeight() - 1));
    const int col = std::min(x / CellWidth(), Columns() - 1);
    const int row = std::min(y / CellHeight(), Rows() - 1);
    SetSelection(row * Columns() + col);
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (CanFocus())
        SetFocus();
}

void TColorGridHisto::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FButtonDown = false;
}

void TColorGridHisto::KeyDown(int& Key, TShiftState Shift)
{
    const int cols = Columns();
    int next = FSelection;
    switch (Key) {
    case Qt::Key_Space:
    case Qt::Key_Right:
        next = (FSelection + 1) % CellCount;
        break;
    case Qt::Key_Left:
        next = (FSelection + CellCount - 1) % CellCount;
        break;
    case Qt::Key_Up:
        // From the first row to the previous column's bottom; from cell 0 to the last.
        next = FSelection - cols;
        if (FSelection == 0)
            next = CellCount - 1;
        else if (next < 0)
            next += CellCount - 1;
        break;
    case Qt::Key_Down:
        // From the last row to the next column's top; from the last cell to 0.
        next = FSelection + cols;
        if (next >= CellCount) {
            next = next - CellCount + 1;
            if (next > cols - 1)
                next = 0;
        }
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = CellCount - 1;
        break;
    case Qt::Key_F:
        if (FClickEnablesColor)
            SetForegroundEnabled(true);
        SetForegroundIndex(FSelection);
        Key = 0;
        return;
    case Qt::Key_B:
        if (FClickEnablesColor)
            SetBackgroundEnabled(true);
        SetBackgroundIndex(FSelection);
        Key = 0;
        return;
    default:
        TCustomControl::KeyDown(Key, Shift);
        return;
    }
    SetSelection(next);
    Key = 0;
}

bool TColorGridHisto::FilterEvent(QObject* Watched, QEvent* Event)
{
    if (Watched == Widget()) {
        switch (Event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            Invalidate();
            break;
        case QEvent::KeyPress:
            // Arrow keys select cells instead of moving the focus.
            break;
        default:
            break;
        }
    }
    return TCustomControl::FilterEvent(Watched, Event);
}

} // namespace Tessaron
