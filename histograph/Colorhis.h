#pragma once
// TColorGridHisto: the 16 basic colours of the system's default palette in a
// grid of cells, with a selected cell and optional foreground ("VG") and
// background ("HG") markers; keyboard and mouse select cells. The recorders'
// tool bars use it as a palette whose colours are dragged onto the plot.

#include <platform/Controls.h>
#include <platform/Menus.h>

#include <array>

namespace Tessaron {

class TColorGridHisto : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(bool ClickEnablesColor READ ClickEnablesColor WRITE SetClickEnablesColor)
    Q_PROPERTY(Tessaron::TColorGridHisto::TGridOrdering GridOrdering READ GridOrdering WRITE SetGridOrdering)
    Q_PROPERTY(int ForegroundIndex READ ForegroundIndex WRITE SetForegroundIndex)
    Q_PROPERTY(int BackgroundIndex READ BackgroundIndex WRITE SetBackgroundIndex)
    Q_PROPERTY(bool ForegroundEnabled READ ForegroundEnabled WRITE SetForegroundEnabled)
    Q_PROPERTY(bool BackgroundEnabled READ BackgroundEnabled WRITE SetBackgroundEnabled)
    Q_PROPERTY(int Selection READ Selection WRITE SetSelection)
    Q_PROPERTY(Tessaron::TPopupMenu* PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(Tessaron::TNotifyEvent OnChange MEMBER OnChange)
    Q_CLASSINFO("Default:ClickEnablesColor", "false")
    Q_CLASSINFO("Default:GridOrdering", "go4x4")
    Q_CLASSINFO("Default:ForegroundIndex", "0")
    Q_CLASSINFO("Default:BackgroundIndex", "0")
    Q_CLASSINFO("Default:ForegroundEnabled", "true")
    Q_CLASSINFO("Default:BackgroundEnabled", "true")
    Q_CLASSINFO("Default:Selection", "0")

public:
    // Columns x rows of the 16 cells.
    enum TGridOrdering { go16x1, go8x2, go4x4, go2x8, go1x16 };
    Q_ENUM(TGridOrdering)
    static constexpr int CellCount = 16;

    explicit TColorGridHisto(TComponent* AOwner = nullptr);

    // The 20 entries of the default system palette; cell i shows entry i
    // (i <= 7) or i + 4 (i >= 8).
    static const std::array<TColor, 20>& DefaultPalette();
    // The colour of cell Index (0 ... 15).
    static TColor CellColor(int Index);

    // false by default: F and B also switch their marker on.
    bool ClickEnablesColor() const { return FClickEnablesColor; }
    void SetClickEnablesColor(bool Value) { FClickEnablesColor = Value; }
    // go4x4 by default; the control is resized to whole cells.
    TGridOrdering GridOrdering() const { return FGridOrdering; }
    void SetGridOrdering(TGridOrdering Value);
    // 0 by default: the cell marked "VG"; changes only while the marker is
    // enabled, 0 ... 15. A change fires OnChange.
    int ForegroundIndex() const { return FForegroundIndex; }
    void SetForegroundIndex(int Value);
    // 0 by default: the cell marked "HG", same rules.
    int BackgroundIndex() const { return FBackgroundIndex; }
    void SetBackgroundIndex(int Value);
    // true by default: whether the markers are shown.
    bool ForegroundEnabled() const { return FForegroundEnabled; }
    void SetForegroundEnabled(bool Value);
    bool BackgroundEnabled() const { return FBackgroundEnabled; }
    void SetBackgroundEnabled(bool Value);
    // 0 by default: the selected cell, 0 ... 15 (others are ignored).
    int Selection() const { return FSelection; }
    void SetSelection(int Value);
    // The colour of the selected cell.
    TColor SelectColor() const { return FSelectColor; }

    int Columns() const { return 16 >> int(FGridOrdering); }
    int Rows() const { return 1 << int(FGridOrdering); }
    // The rectangle of cell Index.
    TRect CellRect(int Index) const;
    // The last mouse button pressed and whether it is still down.
    TMouseButton LastButton() const { return FButton; }
    bool ButtonDown() const { return FButtonDown; }

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    bool FilterEvent(QObject* Watched, QEvent* Event) override;

private:
    int CellWidth() const { return std::max(1, ClientWidth() / Columns()); }
    int CellHeight() const { return std::max(1, ClientHeight() / Rows()); }
    void DrawCell(TCanvas* Canvas, int Index);
    void SetMarker(int& Field, bool Enabled, int Value);

    bool FClickEnablesColor = false;
    TGridOrdering FGridOrdering = go4x4;
    int FForegroundIndex = 0;
    int FBackgroundIndex = 0;
    bool FForegroundEnabled = true;
    bool FBackgroundEnabled = true;
    int FSelection = 0;
    TColor FSelectColor = clBlack;
    TMouseButton FButton = mbLeft;
    bool FButtonDown = false;
};

} // namespace Tessaron
