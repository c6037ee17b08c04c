#pragma once
// THistograph: a plot of up to eight curves over a common X axis, each a Yt
// curve (values spread evenly over the nominal X range), a list of (X, Y)
// pairs, or an upper or lower reference curve; titles on all four sides,
// linear or logarithmic axes with labels and grids, an auto-range of Y and an
// internal timer. Measured curves stay in the caller's arrays: the histograph
// keeps their address and draws whatever they hold at each repaint.

#include <histograph/ColorDrop.h>
#include <histograph/HistoCurve.h>
#include <histograph/HistoMapping.h>
#include <histograph/RecorderTypes.h>

#include <platform/Controls.h>
#include <platform/ExtCtrls.h>
#include <platform/Graphics.h>

#include <array>
#include <memory>
#include <algorithm>
#include <utility>
#include <vector>

namespace Tessaron {

class TColorGridHisto;
class TFormCalculateBar;
class TFormToolBar;

// The bell of weights that spreads a reference curve's displacement over N
// values: about 1 in the middle, about 0 at both ends; with N > 10 the two
// outer weights on each side are tapered further (x 0.1 and x 0.5).
std::vector<float> ReferenceWeights(int N);

class THistograph : public TGraphicControl {
    Q_OBJECT
    // The size a Qt layout or a form designer gives a new one.
    Q_CLASSINFO("DefaultSize", "456x212")
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(bool EnableUpdate READ EnableUpdate WRITE SetEnableUpdate)
    Q_PROPERTY(bool ShowToolBar READ ShowToolBar WRITE SetShowToolBar)
    Q_PROPERTY(bool ShowValueBar READ ShowValueBar WRITE SetShowValueBar)
    Q_PROPERTY(Tessaron::TColor GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(Tessaron::TColor BkColor READ BkColor WRITE SetBkColor)
    Q_PROPERTY(Tessaron::Recorder::TGrdVisible GridVisible READ GridVisible WRITE SetGridVisible)
    Q_PROPERTY(Tessaron::THistograph::TGrdScale GridScale READ GridScale WRITE SetGridScale)
    Q_PROPERTY(Tessaron::TPenStyle GridLineStyle READ GridLineStyle WRITE SetGridLineStyle)
    Q_PROPERTY(Tessaron::THistograph::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int GapRight READ GapRight WRITE SetGapRight)
    Q_PROPERTY(int GapLeft READ GapLeft WRITE SetGapLeft)
    Q_PROPERTY(int GapTop READ GapTop WRITE SetGapTop)
    Q_PROPERTY(int GapBottom READ GapBottom WRITE SetGapBottom)
    Q_PROPERTY(QString TitleRight READ TitleRight WRITE SetTitleRight)
    Q_PROPERTY(QString TitleLeft READ TitleLeft WRITE SetTitleLeft)
    Q_PROPERTY(QString TitleTop READ TitleTop WRITE SetTitleTop)
    Q_PROPERTY(QString TitleBottom READ TitleBottom WRITE SetTitleBottom)
    Q_PROPERTY(Tessaron::TFont* FontTitleTop READ FontTitleTop WRITE SetFontTitleTop)
    Q_PROPERTY(Tessaron::TFont* FontXAxis READ FontXAxis WRITE SetFontXAxis)
    Q_PROPERTY(Tessaron::TFont* FontYAxis READ FontYAxis WRITE SetFontYAxis)
    Q_PROPERTY(Tessaron::TFont* FontTitleBottom READ FontTitleBottom WRITE SetFontTitleBottom)
    Q_PROPERTY(Tessaron::TFont* FontTitleLeft READ FontTitleLeft WRITE SetFontTitleLeft)
    Q_PROPERTY(Tessaron::TFont* FontTitleRight READ FontTitleRight WRITE SetFontTitleRight)
    Q_PROPERTY(float ViewYMin READ ViewYMin WRITE SetViewYMin)
    Q_PROPERTY(float ViewYMax READ ViewYMax WRITE SetViewYMax)
    Q_PROPERTY(float ViewYGap READ ViewYGap WRITE SetViewYGap)
    Q_PROPERTY(int ViewYDecimals READ ViewYDecimals WRITE SetViewYDecimals)
    Q_PROPERTY(float ViewXNominalMin READ ViewXNominalMin WRITE SetViewXNominalMin)
    Q_PROPERTY(float ViewXNominalMax READ ViewXNominalMax WRITE SetViewXNominalMax)
    Q_PROPERTY(float ViewXCurrentMin READ ViewXCurrentMin WRITE SetViewXCurrentMin)
    Q_PROPERTY(float ViewXCurrentMax READ ViewXCurrentMax WRITE SetViewXCurrentMax)
    Q_PROPERTY(float ViewXGap READ ViewXGap WRITE SetViewXGap)
    Q_PROPERTY(int ViewXDecimals READ ViewXDecimals WRITE SetViewXDecimals)
    Q_PROPERTY(int SeriesNumber READ SeriesNumber WRITE SetSeriesNumber)
    Q_PROPERTY(int SeriesCurrent READ SeriesCurrent WRITE SetSeriesCurrent)
    Q_PROPERTY(Tessaron::TColor SeriesColor READ SeriesColor WRITE SetSeriesColor)
    Q_PROPERTY(Tessaron::TPenStyle SeriesLineStyle READ SeriesLineStyle WRITE SetSeriesLineStyle)
    Q_PROPERTY(Tessaron::THistograph::TDataKind SeriesStyle READ SeriesStyle WRITE SetSeriesStyle)
    Q_PROPERTY(Tessaron::THistograph::TMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(int ReferenceRubberWidth READ ReferenceRubberWidth WRITE SetReferenceRubberWidth)
    Q_PROPERTY(bool ShowValues READ ShowValues WRITE SetShowValues)
    Q_PROPERTY(bool ShowCross READ ShowCross WRITE SetShowCross)
    Q_PROPERTY(bool ReduceFlicker READ ReduceFlicker WRITE SetReduceFlicker)
    Q_PROPERTY(bool AutoScale READ AutoScale WRITE SetAutoScale)
    Q_PROPERTY(int TimerInterval READ TimerInterval WRITE SetTimerInterval)
    Q_PROPERTY(bool TimerEnabled READ TimerEnabled WRITE SetTimerEnabled)
    Q_PROPERTY(Tessaron::TNotifyCrossMove OnCrossMove MEMBER OnCrossMove)
    Q_PROPERTY(Tessaron::TNotifyCrossMove OnReferenceMove MEMBER OnReferenceMove)
    Q_PROPERTY(Tessaron::TNotifyCalculate OnCalculate MEMBER OnCalculate)
    Q_PROPERTY(Tessaron::TNotifyEvent OnTimer MEMBER OnTimer)
    Q_PROPERTY(Tessaron::TNotifyEvent OnPaint MEMBER OnPaint)
    Q_PROPERTY(Tessaron::TPopupMenu* PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_CLASSINFO("Default:EnableUpdate", "true")
    Q_CLASSINFO("Default:ShowToolBar", "false")
    Q_CLASSINFO("Default:ShowValueBar", "false")
    Q_CLASSINFO("Default:GridColor", "clGray")
    Q_CLASSINFO("Default:BkColor", "clBtnFace")
    Q_CLASSINFO("Default:GridVisible", "grdNone")
    Q_CLASSINFO("Default:GridScale", "sclLinLin")
    Q_CLASSINFO("Default:GridLineStyle", "psSolid")
    Q_CLASSINFO("Default:BorderStyle", "bsSingle")
    Q_CLASSINFO("Default:GapRight", "40")
    Q_CLASSINFO("Default:GapLeft", "70")
    Q_CLASSINFO("Default:GapTop", "40")
    Q_CLASSINFO("Default:GapBottom", "60")
    Q_CLASSINFO("Default:ViewYMax", "10")
    Q_CLASSINFO("Default:ViewYGap", "2")
    Q_CLASSINFO("Default:ViewYDecimals", "2")
    Q_CLASSINFO("Default:ViewXNominalMax", "10")
    Q_CLASSINFO("Default:ViewXCurrentMax", "10")
    Q_CLASSINFO("Default:ViewXGap", "2")
    Q_CLASSINFO("Default:ViewXDecimals", "2")
    Q_CLASSINFO("Default:SeriesNumber", "1")
    Q_CLASSINFO("Default:SeriesCurrent", "1")
    Q_CLASSINFO("Default:Mode", "modeMeasure")
    Q_CLASSINFO("Default:ReferenceRubberWidth", "30")
    Q_CLASSINFO("Default:ShowValues", "true")
    Q_CLASSINFO("Default:ShowCross", "true")
    Q_CLASSINFO("Default:ReduceFlicker", "false")
    Q_CLASSINFO("Default:AutoScale", "false")
    Q_CLASSINFO("Default:TimerInterval", "1000")
    Q_CLASSINFO("Default:TimerEnabled", "false")

public:
    // What a series holds: a Yt curve, XY pairs, or a reference curve (Yt).
    enum TDataKind : int { dtData, dtDataXY, dtUpperRef, dtLowerRef };
    Q_ENUM(TDataKind)
    // Scale of X and Y: sclLinLog is linear X, logarithmic Y.
    enum TGrdScale : int { sclLinLin, sclLinLog, sclLogLin, sclLogLog };
    Q_ENUM(TGrdScale)
    enum TMode : int { modeMeasure, modeLowerRef, modeUpperRef, modeZoom, modeCalculate };
    Q_ENUM(TMode)
    enum TBorderStyle : int { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)
    // The four titles, for their hit rectangles.
    enum TTitle : int { ttBottom, ttTop, ttLeft, ttRight };

    static constexpr int MaxSeries = 8;
    // The largest reference curve: values (Yt) and pairs (XY).
    static constexpr int MaxReferenceValues = 200000000;
    static constexpr int MaxReferencePairs = 100000000;

    // One series (numbered 1 to 8).
    struct TSeriesRec {
        TDataKind Kind = dtData;
        TPenStyle LineStyle = psSolid;
        TColor Color = clBlack;
        // Yt: Count values; XY: Count pairs, X then Y (see Pairs).
        const float* Data = nullptr;
        int Count = 0;
        // Data holds (X, Y) pairs: stored through SetSeriesDataXY (or the
        // designer's XY preview). Drawing and the auto-range follow the layout
        // of the data actually stored, not a Kind changed afterwards, so that
        // no array is ever read beyond its end.
        bool Pairs = false;
        // The histograph's own copy (reference curves, designer preview); Data
        // points into it.
        std::unique_ptr<float[]> Storage;
        bool Owned() const { return Storage != nullptr; }
    };

    explicit THistograph(TComponent* AOwner = nullptr);
    ~THistograph() override;

    // "V2.00"; assignments are ignored.
    QString Version() const { return FVersion; }
    void SetVersion(const QString&) {}
    // The maker's notice; assignments are ignored.
    QString Copyright() const { return FCopyright; }
    void SetCopyright(const QString&) {}

    // true by default. While false, painting draws nothing at all; becoming
    // true repaints (callers bracket several view changes with it).
    bool EnableUpdate() const { return FEnableUpdate; }
    void SetEnableUpdate(bool Value);
    // false by default: true creates (when needed) and shows the tool bar
    // window, captioned "Werkzeuge: " and TitleTop; false hides it.
    bool ShowToolBar() const { return FShowToolBar; }
    void SetShowToolBar(bool Value);
    // false by default: true creates (when needed) and shows the value bar,
    // captioned "Anzeige: " and TitleTop. Reading it (outside the designer)
    // tells whether the value bar is showing.
    bool ShowValueBar() const;
    void SetShowValueBar(bool Value);
    // The tool windows, or nullptr until they are created (after loading, or
    // by the first ShowToolBar / ShowValueBar).
    TFormToolBar* ToolBar() const { return FToolBar.get(); }
    TFormCalculateBar* ValueBar() const { return FValueBar.get(); }

    // clGray by default: grid lines, ticks and the read-out box frame.
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor Value);
    // clBtnFace by default: the plot background.
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    // grdNone by default: grdHor draws horizontal lines, grdVer vertical ones.
    TGrdVisible GridVisible() const { return FGridVisible; }
    void SetGridVisible(TGrdVisible Value);
    // sclLinLin by default. A logarithmic axis refreshes its transform; with
    // AutoScale on, Y is auto-ranged first and non-positive X limits are
    // replaced (maximum 0.1, minimum 0.01 * maximum).
    TGrdScale GridScale() const { return FGridScale; }
    void SetGridScale(TGrdScale Value);
    // psSolid by default: the pen style of the grid lines.
    TPenStyle GridLineStyle() const { return FGridLineStyle; }
    void SetGridLineStyle(TPenStyle Value);
    // bsSingle by default: a raised one-pixel frame around the control.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // Distances of the plot from the control's edges: 40, 70, 40, 60 pixels;
    // clamped to +-MaxControlExtent.
    int GapRight() const { return FGapRight; }
    void SetGapRight(int Value);
    int GapLeft() const { return FGapLeft; }
    void SetGapLeft(int Value);
    int GapTop() const { return FGapTop; }
    void SetGapTop(int Value);
    int GapBottom() const { return FGapBottom; }
    void SetGapBottom(int Value);
    // Empty by default. Left reads upward, right downward.
    QString TitleRight() const { return FTitleRight; }
    void SetTitleRight(const QString& Value);
    QString TitleLeft() const { return FTitleLeft; }
    void SetTitleLeft(const QString& Value);
    QString TitleTop() const { return FTitleTop; }
    void SetTitleTop(const QString& Value);
    QString TitleBottom() const { return FTitleBottom; }
    void SetTitleBottom(const QString& Value);
    // Copies of Font ("Arial") at construction; assigning copies the font.
    TFont* FontTitleTop() const { return FFontTitleTop.get(); }
    void SetFontTitleTop(TFont* Value);
    TFont* FontXAxis() const { return FFontXAxis.get(); }
    void SetFontXAxis(TFont* Value);
    TFont* FontYAxis() const { return FFontYAxis.get(); }
    void SetFontYAxis(TFont* Value);
    TFont* FontTitleBottom() const { return FFontTitleBottom.get(); }
    void SetFontTitleBottom(TFont* Value);
    TFont* FontTitleLeft() const { return FFontTitleLeft.get(); }
    void SetFontTitleLeft(TFont* Value);
    TFont* FontTitleRight() const { return FFontTitleRight.get(); }
    void SetFontTitleRight(TFont* Value);

    // Y range, 0 ... 10 by default. Not checked: an invalid range shows the
    // range-error panel instead of the plot.
    float ViewYMin() const { return FViewYMin; }
    void SetViewYMin(float Value);
    float ViewYMax() const { return FViewYMax; }
    void SetViewYMax(float Value);
    // 2 by default: the Y grid and label step; only finite values > 0 are
    // stored (the control repaints in any case).
    float ViewYGap() const { return FViewYGap; }
    void SetViewYGap(float Value);
    // 2 by default: decimals of the Y labels.
    int ViewYDecimals() const { return FViewYDecimals; }
    void SetViewYDecimals(int Value);
    // The X extent a Yt series spans from its first to its last value, 0 ... 10.
    float ViewXNominalMin() const { return FViewXNominalMin; }
    void SetViewXNominalMin(float Value);
    float ViewXNominalMax() const { return FViewXNominalMax; }
    void SetViewXNominalMax(float Value);
    // The visible X range, 0 ... 10 by default (zooming changes only these).
    float ViewXCurrentMin() const { return FViewXCurrentMin; }
    void SetViewXCurrentMin(float Value);
    float ViewXCurrentMax() const { return FViewXCurrentMax; }
    void SetViewXCurrentMax(float Value);
    // 2 by default: the X step; only finite values > 0 are stored.
    float ViewXGap() const { return FViewXGap; }
    void SetViewXGap(float Value);
    // 2 by default: decimals of the X labels.
    int ViewXDecimals() const { return FViewXDecimals; }
    void SetViewXDecimals(int Value);

    // 1 by default: the series drawn, 1 ... 8 (other values are ignored).
    int SeriesNumber() const { return FSeriesNumber; }
    void SetSeriesNumber(int Value);
    // 1 by default: the series that SeriesColor, SeriesLineStyle and
    // SeriesStyle address, 1 ... 8 (other values are ignored).
    int SeriesCurrent() const { return FSeriesCurrent; }
    void SetSeriesCurrent(int Value);
    // Colour, pen style and kind of series SeriesCurrent. Reading a series
    // beyond SeriesNumber gives 0, psSolid and dtData; writing one is ignored.
    TColor SeriesColor() const;
    void SetSeriesColor(TColor Value);
    TPenStyle SeriesLineStyle() const;
    void SetSeriesLineStyle(TPenStyle Value);
    TDataKind SeriesStyle() const;
    void SetSeriesStyle(TDataKind Value);

    // modeMeasure by default: what the mouse does (HistoMouse.cpp). Switching
    // hides the crosses that do not belong to the new mode.
    TMode Mode() const { return FMode; }
    void SetMode(TMode Value);
    // 30 pixels by default; only values > 0 are accepted.
    int ReferenceRubberWidth() const { return FReferenceRubberWidth; }
    void SetReferenceRubberWidth(int Value);
    // true by default.
    bool ShowValues() const { return FShowValues; }
    void SetShowValues(bool Value);
    bool ShowCross() const { return FShowCross; }
    void SetShowCross(bool Value);
    // false by default: true composes the picture in an off-screen bitmap of
    // the control's size and copies it in one step.
    bool ReduceFlicker() const { return FReduceFlicker; }
    void SetReduceFlicker(bool Value);
    // false by default: true auto-ranges Y on every paint and after new data.
    bool AutoScale() const { return FAutoScale; }
    void SetAutoScale(bool Value);
    // The internal timer: 1000 ms, disabled; each tick fires OnTimer.
    int TimerInterval() const;
    void SetTimerInterval(int Value);
    bool TimerEnabled() const;
    void SetTimerEnabled(bool Value);

    TNotifyCrossMove OnCrossMove;
    TNotifyCrossMove OnReferenceMove;
    TNotifyCalculate OnCalculate;
    TNotifyEvent OnTimer;
    // Fired by the paint step before the histograph draws itself.
    TNotifyEvent OnPaint;

    // ---- data

    // Gives series Series (1 ... SeriesNumber) Count values. A dtData series
    // keeps the caller's address (the caller keeps the array alive and rewrites
    // it for updates); a reference series copies 1 ... 200,000,000 values and
    // is empty otherwise (also for a null Data); a dtDataXY series stores
    // nothing. Owned data are freed first in every case. Then the plot area is
    // redrawn.
    void SetSeriesData(const float* Data, int Count, int Series);
    // The same for Count (X, Y) pairs: dtDataXY keeps the address, reference
    // series copy 1 ... 100,000,000 pairs, dtData stores nothing.
    void SetSeriesDataXY(const float* Data, int Count, int Series);
    // The series record (Series 1 ... 8).
    const TSeriesRec& Series(int Series) const;
    // The lowest and highest Y value of a series, (0, 0) without data; NaN and
    // infinite values are left out.
    std::pair<float, float> GetSeriesMinMax(int Series) const;
    // Auto-ranges Y over series 1 ... SeriesNumber: a range of 2, 5 or 10 times
    // a power of ten centred on the data, with four grid steps. True when it
    // changed the range (the fields are written without repainting).
    bool AdjustYRange();
    // Runs AdjustYRange once and repaints when the range changed.
    void CaptureScale();
    // After new data: a full repaint at once when AutoScale changed the range,
    // otherwise the plot area alone is painted at once.
    void RedrawPlotArea();

    // ---- transforms (see THistoMapping)

    int XToPixel(double X) const;
    int YToPixel(double Y) const;
    double PixelToX(int X) const;
    double PixelToY(int Y) const;
    // Recompute the cached logarithmic transforms (kept when the range does
    // not allow a logarithmic axis).
    void UpdateXLogScale();
    void UpdateYLogScale();
    THistoMapping Mapping() const;

    // ---- picture

    // The message of an invalid view range, or empty when both are valid.
    QString RangeError() const;
    // Draws the read-out box for the value pair (X, Y) in the bottom-left
    // corner, at once; it stays until the next repaint.
    void DrawReadOut(double X, double Y);
    // Where a title was last drawn ((-1, -1, -1, -1) until then).
    TRect TitleRect(TTitle Title) const { return FTitleRects[std::size_t(Title)]; }
    // The off-screen bitmap (only while ReduceFlicker is on).
    const TBitmap* OffscreenBitmap() const { return FOffscreen.get(); }
    // Whether Yt curves drawn with a solid pen keep only the first, lowest,
    // highest and last value of each pixel column (the same pixels, far
    // faster for long series). On by default; off draws every value.
    bool ReduceColumns() const { return FReduceColumns; }
    void SetReduceColumns(bool Value);

    // The "Series" list: colour, pen style and kind of each series 1 ...
    // SeriesNumber. Reading fills series 1, 2, ... from consecutive triples
    // (more than eight are ignored); a list of integers that is not whole
    // triples, or a pen style or kind out of range, is refused as a whole.
    QString ListPropertyName() const override { return QStringLiteral("Series"); }
    bool ReadListProperty(const QVariantList& List, QString* Error) override;
    QVariantList WriteListProperty() const override;

    void Loaded() override;

    // ---- interaction (HistoMouse.cpp)

    // A measuring cross: 0 and 1 belong to modeCalculate (left and right
    // button), 2 is the measuring cross of modeMeasure.
    struct TCross {
        bool Visible = false;
        TPoint Mouse;  // where it was placed
        TPoint Pixel;  // where it is drawn
        TColor Color = clBlack;
        float X = 0.0f;
        float Y = 0.0f;
        int Series = 0;
        int Index = 0;
    };
    // A point of a series under a pixel column.
    struct TSnap {
        int Series = 0;
        int Index = 0; // 1-based
        float X = 0.0f;
        float Y = 0.0f;
    };
    const TCross& Cross(int K) const { return FCrosses[std::size_t(std::clamp(K, 0, 2))]; }
    // The value of series Series under pixel column X: Yt series take the
    // value whose column is nearest, XY series the pair found by bisection
    // over X. False when the series has no data.
    bool PointAtColumn(int Series, int X, TSnap& Point) const;
    // The point nearest in Y to the pointer (X, Y) among series 1 ...
    // SeriesNumber at column X; false when no series has data.
    bool Snap(int X, int Y, TSnap& Point) const;
    // Whether a zoom is in effect (the saved view is restored by a right click).
    bool Zoomed() const { return FZoomed; }
    // Whether a reference curve is being dragged.
    bool EditingReference() const { return FEdit.Active; }

    // What a colour dropped at a point paints.
    enum TDropArea { daNone, daCurve, daGrid, daPlot, daTitleLeft, daTitleRight, daTitleTop, daTitleBottom,
        daYLabels, daXLabels, daControl };
    // The area under (X, Y); Series receives the series of a curve.
    TDropArea DropAreaAt(int X, int Y, int& Series) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The calculate and zoom modes place a cross or undo a zoom with the right
    // button, so the pop-up menu shows only in the other modes.
    bool UsesRightClick() const override { return FMode == modeZoom || FMode == modeCalculate; }

private:
    TSeriesRec& SeriesAt(int Series) { return FSeries[std::size_t(Series - 1)]; }
    const TSeriesRec& SeriesAt(int Series) const { return FSeries[std::size_t(Series - 1)]; }
    bool SeriesAddressable() const { return FSeriesCurrent <= FSeriesNumber; }
    void FreeOwned(TSeriesRec& S);
    void CopyInto(TSeriesRec& S, const float* Data, std::size_t Floats, int Count, bool Pairs);
    bool XIsLog() const { return FGridScale == sclLogLin || FGridScale == sclLogLog; }
    bool YIsLog() const { return FGridScale == sclLinLog || FGridScale == sclLogLog; }
    THistoFrame Frame() const;
    // With AutoScale on: a non-positive X maximum becomes 0.1, then a
    // non-positive minimum 0.01 * maximum.
    void CorrectLogXLimits();
    void GenerateDemoData(int Series);
    void GenerateAllDemoData();
    void SetGap(int& Field, int Value);
    void SetTitle(QString& Field, const QString& Value);
    void SetTitleFont(std::unique_ptr<TFont>& Field, TFont* Value);
    void RebuildRotatedFonts();
    void FontAttributeChanged();
    void Changed();

    // Painting (HistoPaint.cpp).
    void DrawEverything(TCanvas* Canvas, const TRect& Clip);
    void DrawTitles(TCanvas* Canvas);
    void DrawYAxis(TCanvas* Canvas, const TRect& Axis);
    void DrawXAxis(TCanvas* Canvas, const TRect& Axis);
    void DrawCurves(TCanvas* Canvas, const TRect& Axis);
    // One curve in the given pen mode, clipped to Visible.
    void DrawSeries(TCanvas* Canvas, const TRect& Axis, const TRect& Visible, const TSeriesRec& S, TPenMode Mode);
    void PrepareTitleFonts();

    // Tool windows.
    void CreateToolBar();
    void CreateValueBar();
    void SetValueBarReadOuts(bool Enabled);

    // Interaction (HistoMouse.cpp).
    bool InPlot(int X, int Y) const;
    void DrawCross(int K);
    void PlaceCross(int K, int X, int Y, bool Erase);
    void ReplaceCrosses();
    void HideCross(int K);
    void ReportCrosses(int K);
    void BeginReferenceEdit(int X, int Y);
    void MoveReference(int Y);
    void EndReferenceEdit();
    void DrawRubberBand(const float* Values);
    void RestoreRubberBand();
    void ZoomTo(TRect R);
    void Unzoom();
    TColor AreaColor(TDropArea Area, int Series) const;
    void SetAreaColor(TDropArea Area, int Series, TColor Color);
    void ColorDragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void ColorDragDrop(TObject* Source, int X, int Y);
    int GridDistance(int X, int Y) const;

    QString FVersion;
    QString FCopyright;
    bool FEnableUpdate = true;
    bool FShowToolBar = false;
    mutable bool FShowValueBar = false;
    TColor FGridColor = clGray;
    TColor FBkColor = clBtnFace;
    TGrdVisible FGridVisible = grdNone;
    TGrdScale FGridScale = sclLinLin;
    TPenStyle FGridLineStyle = psSolid;
    TBorderStyle FBorderStyle = bsSingle;
    int FGapRight = 40;
    int FGapLeft = 70;
    int FGapTop = 40;
    int FGapBottom = 60;
    QString FTitleRight;
    QString FTitleLeft;
    QString FTitleTop;
    QString FTitleBottom;
    std::unique_ptr<TFont> FFontTitleTop;
    std::unique_ptr<TFont> FFontXAxis;
    std::unique_ptr<TFont> FFontYAxis;
    std::unique_ptr<TFont> FFontTitleBottom;
    std::unique_ptr<TFont> FFontTitleLeft;
    std::unique_ptr<TFont> FFontTitleRight;
    // FontTitleLeft turned by 90 degrees (reads upward), FontTitleRight by 270.
    std::unique_ptr<TFont> FRotatedLeft;
    std::unique_ptr<TFont> FRotatedRight;
    float FViewYMin = 0.0f;
    float FViewYMax = 10.0f;
    float FViewYGap = 2.0f;
    int FViewYDecimals = 2;
    float FViewXNominalMin = 0.0f;
    float FViewXNominalMax = 10.0f;
    float FViewXCurrentMin = 0.0f;
    float FViewXCurrentMax = 10.0f;
    float FViewXGap = 2.0f;
    int FViewXDecimals = 2;
    int FSeriesNumber = 1;
    int FSeriesCurrent = 1;
    TMode FMode = modeMeasure;
    int FReferenceRubberWidth = 30;
    bool FShowValues = true;
    bool FShowCross = true;
    bool FReduceFlicker = false;
    bool FAutoScale = false;
    bool FReduceColumns = true;

    std::array<TSeriesRec, MaxSeries> FSeries;
    TLogTransform FLogX;
    TLogTransform FLogY;
    int FDrawnWidth = -1;
    int FDrawnHeight = -1;
    // Scratch points of the curve being drawn; kept from paint to paint.
    TCurvePoints FPointBuffer;
    // Crosses 0 and 1 (calculate mode) and 2 (measuring cross).
    std::array<TCross, 3> FCrosses{};
    bool FReplacingCrosses = false;
    // Measure mode: the pointer is inside the plot (the mouse is captured).
    bool FMeasureCaptured = false;
    // Calculate mode: the button held down.
    bool FButtonDown = false;
    TMouseButton FButton = mbLeft;
    // Reference editing: the dragged curve, its values at the press and the
    // bell of weights that spreads the displacement.
    struct TReferenceEdit {
        bool Active = false;
        int Series = 0;
        TPoint Press;
        int Width = 0;
        std::vector<float> Weights;
        int Centre = 0;
        int First = 0;
        int Last = 0;
        int Offset = 0;
        std::vector<float> Original; // the curve at the press
        TSeriesRec Copy;             // the band drawn in not-xor
        TRect Rubber;
    } FEdit;
    // Zoom: the focus rectangle while dragging and the view before the first zoom.
    bool FZooming = false;
    TRect FFocus;
    bool FZoomed = false;
    struct TSavedView {
        float YMax = 0, YMin = 0, XMin = 0, XMax = 0, XGap = 0, YGap = 0;
    } FSavedView;
    // Colour drop: the previewed area and the colour it had before.
    TColorDropPreview FDropPreview;
    std::unique_ptr<TFormToolBar> FToolBar;
    std::unique_ptr<TFormCalculateBar> FValueBar;
    bool FLayoutDirty = true;
    bool FTitleFontsPrepared = false;
    std::array<TRect, 4> FTitleRects;
    std::unique_ptr<TTimer> FTimer;
    std::unique_ptr<TBitmap> FOffscreen;
};

} // namespace Tessaron
