#include "histograph/Histo.h"
#include "histograph/RecorderPaint.h"
#include "histograph/_Eca.h"
#include "histograph/_Etb.h"

#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace Tessaron {

namespace {

const bool kRegistered = [] {
    RegisterClass<THistograph>();
    return true;
}();

// Designer preview: 100 values for a Yt series, 50 pairs for an XY series.
constexpr int kDemoValues = 100;
constexpr int kDemoPairs = 50;

} // namespace

THistograph::THistograph(TComponent* AOwner)
    : TGraphicControl(AOwner), FVersion(QStringLiteral("V2.00")),
      FCopyright(QStringLiteral("Copyright (c) Velmar Softwaretechnik"))
{
    SetControlStyle(ControlStyle() | csOpaque);
    Font()->SetName(QStringLiteral("Arial"));

    auto makeFont = [this](bool Rotated) {
        auto font = std::make_unique<TFont>();
        font->Assign(Font());
        if (Rotated)
            font->OnChange = [this](TObject*) {
                RebuildRotatedFonts();
                FontAttributeChanged();
            };
        else
            font->OnChange = [this](TObject*) { FontAttributeChanged(); };
        return font;
    };
    FFontTitleTop = makeFont(false);
    FFontXAxis = makeFont(false);
    FFontYAxis = makeFont(false);
    FFontTitleBottom = makeFont(false);
    FFontTitleLeft = makeFont(true);
    FFontTitleRight = makeFont(true);
    FRotatedLeft = std::make_unique<TFont>();
    FRotatedRight = std::make_unique<TFont>();
    RebuildRotatedFonts();

    FTitleRects.fill(TRect(-1, -1, -1, -1));

    FTimer = std::make_unique<TTimer>();
    FTimer->SetEnabled(false);
    FTimer->SetInterval(1000);
    FTimer->OnTimer = [this](TObject*) {
        if (!IsDesigning() && !IsLoading())
            CallEvent(OnTimer, this);
    };

    // Colours dragged from a colour grid are dropped on the plot.
    OnDragOver = [this](TObject*, TObject* Source, int X, int Y, TDragState State, bool& Accept) {
        ColorDragOver(Source, X, Y, State, Accept);
    };
    OnDragDrop = [this](TObject*, TObject* Source, int X, int Y) { ColorDragDrop(Source, X, Y); };

    if (IsDesigning()) {
        Randomize();
        GenerateAllDemoData();
    }
}

THistograph::~THistograph()
{
    // The tool bar reports its closing to us: it must not outlive our fields.
    FToolBar.reset();
    FValueBar.reset();
}

// ---------------------------------------------------------------- setters

void THistograph::Changed()
{
    Invalidate();
}

void THistograph::FontAttributeChanged()
{
    Changed();
}

void THistograph::SetEnableUpdate(bool Value)
{
    if (FEnableUpdate == Value)
        return;
    FEnableUpdate = Value;
    if (Value)
        Changed();
}

void THistograph::CreateToolBar()
{
    if (FToolBar || IsDesigning())
        return;
    FToolBar = std::make_unique<TFormToolBar>(nullptr);
    FToolBar->SetHisto(this);
}

void THistograph::CreateValueBar()
{
    if (FValueBar || IsDesigning())
        return;
    FValueBar = std::make_unique<TFormCalculateBar>(nullptr);
}

void THistograph::SetValueBarReadOuts(bool Enabled)
{
    if (FValueBar)
        FValueBar->SetSecondCrossEnabled(Enabled);
}

void THistograph::SetShowToolBar(bool Value)
{
    CreateToolBar();
    FShowToolBar = Value;
    if (!FToolBar || IsLoading())
        return;
    if (Value) {
        FToolBar->SetCaption(QStringLiteral("Werkzeuge: ") + FTitleTop);
        FToolBar->Show();
    } else {
        FToolBar->Hide();
    }
}

bool THistograph::ShowValueBar() const
{
    if (!IsDesigning() && !IsLoading())
        FShowValueBar = FValueBar && FValueBar->Visible();
    return FShowValueBar;
}

void THistograph::SetShowValueBar(bool Value)
{
    FShowValueBar = Value;
    CreateValueBar();
    if (!FValueBar || IsLoading())
        return;
    if (Value) {
        FValueBar->SetCaption(QStringLiteral("Anzeige: ") + FTitleTop);
        SetValueBarReadOuts(FMode != modeMeasure);
        FValueBar->Show();
    } else {
        FValueBar->Hide();
    }
}

void THistograph::SetGridColor(TColor Value)
{
    if (FGridColor == Value)
        return;
    FGridColor = Value;
    Changed();
}

void THistograph::SetBkColor(TColor Value)
{
    if (FBkColor == Value)
        return;
    FBkColor = Value;
    Changed();
}

void THistograph::SetGridVisible(TGrdVisible Value)
{
    if (!IsEnumValue(Value) || FGridVisible == Value)
        return;
    FGridVisible = Value;
    Changed();
}

void THistograph::SetGridScale(TGrdScale Value)
{
    if (FGridScale == Value)
        return;
    FGridScale = Value;
    if (YIsLog()) {
        if (FAutoScale && !IsLoading())
            AdjustYRange();
        UpdateYLogScale();
    }
    if (XIsLog()) {
        if (FAutoScale && !IsLoading())
            CorrectLogXLimits();
        UpdateXLogScale();
    }
    Changed();
}

void THistograph::SetGridLineStyle(TPenStyle Value)
{
    if (FGridLineStyle == Value)
        return;
    FGridLineStyle = Value;
    Changed();
}

void THistograph::SetBorderStyle(TBorderStyle Value)
{
    if (!IsEnumValue(Value) || FBorderStyle == Value)
        return;
    FBorderStyle = Value;
    Changed();
}

void THistograph::SetGap(int& Field, int Value)
{
    Value = std::clamp(Value, -MaxControlExtent, MaxControlExtent);
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void THistograph::SetGapRight(int Value)
{
    SetGap(FGapRight, Value);
}

void THistograph::SetGapLeft(int Value)
{
    SetGap(FGapLeft, Value);
}

void THistograph::SetGapTop(int Value)
{
    SetGap(FGapTop, Value);
}

void THistograph::SetGapBottom(int Value)
{
    SetGap(FGapBottom, Value);
}

void THistograph::SetTitle(QString& Field, const QString& Value)
{
    if (Field == Value)
        return;
    Field = Value;
    FLayoutDirty = true;
    Changed();
}

void THistograph::SetTitleRight(const QString& Value)
{
    SetTitle(FTitleRight, Value);
}

void THistograph::SetTitleLeft(const QString& Value)
{
    SetTitle(FTitleLeft, Value);
}

void THistograph::SetTitleTop(const QString& Value)
{
    SetTitle(FTitleTop, Value);
    if (IsDesigning())
        return;
    if (FToolBar)
        FToolBar->SetCaption(QStringLiteral("Werkzeug: ") + FTitleTop);
    if (FValueBar)
        FValueBar->SetCaption(QStringLiteral("Anzeige: ") + FTitleTop);
}

void THistograph::SetTitleBottom(const QString& Value)
{
    SetTitle(FTitleBottom, Value);
}

void THistograph::SetTitleFont(std::unique_ptr<TFont>& Field, TFont* Value)
{
    // Assigning copies the attributes; the font's change handler repaints.
    if (Value && Value != Field.get())
        Field->Assign(Value);
}

void THistograph::SetFontTitleTop(TFont* Value)
{
    SetTitleFont(FFontTitleTop, Value);
}

void THistograph::SetFontXAxis(TFont* Value)
{
    SetTitleFont(FFontXAxis, Value);
}

void THistograph::SetFontYAxis(TFont* Value)
{
    SetTitleFont(FFontYAxis, Value);
}

void THistograph::SetFontTitleBottom(TFont* Value)
{
    SetTitleFont(FFontTitleBottom, Value);
}

void THistograph::SetFontTitleLeft(TFont* Value)
{
    SetTitleFont(FFontTitleLeft, Value);
}

void THistograph::SetFontTitleRight(TFont* Value)
{
    SetTitleFont(FFontTitleRight, Value);
}

void THistograph::RebuildRotatedFonts()
{
    BuildRotatedFont(*FRotatedLeft, FFontTitleLeft.get(), 900);
    BuildRotatedFont(*FRotatedRight, FFontTitleRight.get(), 2700);
}

void THistograph::SetViewYMin(float Value)
{
    if (FViewYMin == Value)
        return;
    FViewYMin = Value;
    if (YIsLog())
        UpdateYLogScale();
    if (IsDesigning())
        GenerateAllDemoData();
    Changed();
}

void THistograph::SetViewYMax(float Value)
{
    if (FViewYMax == Value)
        return;
    FViewYMax = Value;
    if (YIsLog())
        UpdateYLogScale();
    if (IsDesigning())
        GenerateAllDemoData();
    Changed();
}

namespace {

// A grid step must be a finite number above zero (NaN fails the test too).
bool ValidGap(float Value)
{
    return Value > 0 && Value < std::numeric_limits<float>::infinity();
}

} // namespace

void THistograph::SetViewYGap(float Value)
{
    if (ValidGap(Value))
        FViewYGap = Value;
    Changed();
}

void THistograph::SetViewYDecimals(int Value)
{
    if (FViewYDecimals == Value)
        return;
    FViewYDecimals = Value;
    Changed();
}

void THistograph::SetViewXNominalMin(float Value)
{
    if (FViewXNominalMin == Value)
        return;
    FViewXNominalMin = Value;
    // The transform needs a valid nominal range too: refresh it once it has one.
    if (XIsLog())
        UpdateXLogScale();
    Changed();
}

void THistograph::SetViewXNominalMax(float Value)
{
    if (FViewXNominalMax == Value)
        return;
    FViewXNominalMax = Value;
    if (XIsLog())
        UpdateXLogScale();
    Changed();
}

void THistograph::SetViewXCurrentMin(float Value)
{
    if (FViewXCurrentMin == Value)
        return;
    FViewXCurrentMin = Value;
    if (XIsLog()) {
        if (FAutoScale && !IsLoading())
            CorrectLogXLimits();
        UpdateXLogScale();
    }
    Changed();
}

void THistograph::SetViewXCurrentMax(float Value)
{
    if (FViewXCurrentMax == Value)
        return;
    FViewXCurrentMax = Value;
    if (XIsLog()) {
        if (FAutoScale && !IsLoading())
            CorrectLogXLimits();
        UpdateXLogScale();
    }
    Changed();
}

void THistograph::SetViewXGap(float Value)
{
    if (ValidGap(Value))
        FViewXGap = Value;
    Changed();
}

void THistograph::SetViewXDecimals(int Value)
{
    if (FViewXDecimals == Value)
        return;
    FViewXDecimals = Value;
    Changed();
}

void THistograph::CorrectLogXLimits()
{
    if (!(FViewXCurrentMax > 0))
        FViewXCurrentMax = 0.1f;
    if (!(FViewXCurrentMin > 0))
        FViewXCurrentMin = float(0.01 * double(FViewXCurrentMax));
}

void THistograph::SetSeriesNumber(int Value)
{
    if (Value < 1 || Value > MaxSeries || Value == FSeriesNumber)
        return;
    FSeriesNumber = Value;
    Changed();
}

void THistograph::SetSeriesCurrent(int Value)
{
    if (Value < 1 || Value > MaxSeries || Value == FSeriesCurrent)
        return;
    FSeriesCurrent = Value;
    Changed();
}

TColor THistograph::SeriesColor() const
{
    return SeriesAddressable() ? SeriesAt(FSeriesCurrent).Color : TColor(0);
}

void THistograph::SetSeriesColor(TColor Value)
{
    if (!SeriesAddressable() || SeriesAt(FSeriesCurrent).Color == Value)
        return;
    SeriesAt(FSeriesCurrent).Color = Value;
    Changed();
}

TPenStyle THistograph::SeriesLineStyle() const
{
    return SeriesAddressable() ? SeriesAt(FSeriesCurrent).LineStyle : psSolid;
}

void THistograph::SetSeriesLineStyle(TPenStyle Value)
{
    if (!IsEnumValue(Value) || !SeriesAddressable() || SeriesAt(FSeriesCurrent).LineStyle == Value)
        return;
    SeriesAt(FSeriesCurrent).LineStyle = Value;
    Changed();
}

THistograph::TDataKind THistograph::SeriesStyle() const
{
    return SeriesAddressable() ? SeriesAt(FSeriesCurrent).Kind : dtData;
}

void THistograph::SetSeriesStyle(TDataKind Value)
{
    if (!SeriesAddressable() || SeriesAt(FSeriesCurrent).Kind == Value)
        return;
    SeriesAt(FSeriesCurrent).Kind = Value;
    if (IsDesigning())
        GenerateDemoData(FSeriesCurrent);
    Changed();
}

void THistograph::SetMode(TMode Value)
{
    if (FMode == Value)
        return;
    FMode = Value;
    // The measuring cross's hold on the mouse ends with its mode.
    if (FMeasureCaptured) {
        FMeasureCaptured = false;
        SetMouseCapture(false);
    }
    FButtonDown = false;
    FZooming = false;
    if (Value != modeCalculate) {
        FCrosses[0].Visible = false;
        FCrosses[1].Visible = false;
        SetValueBarReadOuts(false);
    } else {
        FCrosses[2].Visible = false;
        SetValueBarReadOuts(true);
    }
    Changed();
}

void THistograph::SetReferenceRubberWidth(int Value)
{
    if (Value <= 0 || Value == FReferenceRubberWidth)
        return;
    FReferenceRubberWidth = Value;
    Changed();
}

void THistograph::SetShowValues(bool Value)
{
    if (FShowValues == Value)
        return;
    FShowValues = Value;
    Changed();
}

void THistograph::SetShowCross(bool Value)
{
    if (FShowCross == Value)
        return;
    FShowCross = Value;
    Changed();
}

void THistograph::SetReduceFlicker(bool Value)
{
    if (FReduceFlicker == Value)
        return;
    FReduceFlicker = Value;
    if (Value)
        FOffscreen = std::make_unique<TBitmap>(std::max(1, Width()), std::max(1, Height()));
    else
        FOffscreen.reset();
    Changed();
}

void THistograph::SetAutoScale(bool Value)
{
    if (FAutoScale == Value)
        return;
    FAutoScale = Value;
    RedrawPlotArea();
}

int THistograph::TimerInterval() const
{
    return FTimer->Interval();
}

void THistograph::SetTimerInterval(int Value)
{
    FTimer->SetInterval(Value);
}

bool THistograph::TimerEnabled() const
{
    return FTimer->Enabled();
}

void THistograph::SetTimerEnabled(bool Value)
{
    FTimer->SetEnabled(Value);
}

void THistograph::SetReduceColumns(bool Value)
{
    if (FReduceColumns == Value)
        return;
    FReduceColumns = Value;
    Changed();
}

void THistograph::Loaded()
{
    TGraphicControl::Loaded();
    // The setters skipped what depends on several properties read in any order.
    UpdateXLogScale();
    UpdateYLogScale();
    if (!IsDesigning()) {
        CreateValueBar();
        CreateToolBar();
        // Windows asked for in the description show now that they can.
        if (FShowValueBar)
            SetShowValueBar(true);
        if (FShowToolBar)
            SetShowToolBar(true);
    }
    Changed();
}

// ---------------------------------------------------------------- data

const THistograph::TSeriesRec& THistograph::Series(int Series) const
{
    return SeriesAt(std::clamp(Series, 1, MaxSeries));
}

void THistograph::FreeOwned(TSeriesRec& S)
{
    if (!S.Owned())
        return;
    S.Storage.reset();
    S.Data = nullptr;
    S.Count = 0;
    S.Pairs = false;
}

void THistograph::CopyInto(TSeriesRec& S, const float* Data, std::size_t Floats, int Count, bool Pairs)
{
    // A copy that cannot be allocated leaves the series empty.
    S.Storage.reset(new (std::nothrow) float[Floats]);
    if (!S.Storage) {
        S.Data = nullptr;
        S.Count = 0;
        return;
    }
    std::copy(Data, Data + Floats, S.Storage.get());
    S.Data = S.Storage.get();
    S.Count = Count;
    S.Pairs = Pairs;
}

void THistograph::SetSeriesData(const float* Data, int Count, int Series)
{
    if (Series >= 1 && Series <= MaxSeries && Series <= FSeriesNumber) {
        TSeriesRec& s = SeriesAt(Series);
        FreeOwned(s);
        switch (s.Kind) {
        case dtData:
            s.Data = Data;
            s.Count = Count;
            s.Pairs = false;
            break;
        case dtUpperRef:
        case dtLowerRef:
            if (!Data || Count < 1 || Count > MaxReferenceValues) {
                s.Data = nullptr;
                s.Count = 0;
            } else {
                CopyInto(s, Data, std::size_t(Count), Count, false);
            }
            break;
        case dtDataXY:
            break;
        }
    }
    RedrawPlotArea();
}

void THistograph::SetSeriesDataXY(const float* Data, int Count, int Series)
{
    if (Series >= 1 && Series <= MaxSeries && Series <= FSeriesNumber) {
        TSeriesRec& s = SeriesAt(Series);
        FreeOwned(s);
        switch (s.Kind) {
        case dtDataXY:
            s.Data = Data;
            s.Count = Count;
            s.Pairs = true;
            break;
        case dtUpperRef:
        case dtLowerRef:
            // Reference curves are Yt curves: of pairs only the Y members
            // are kept, so drawing and editing never read past the data.
            if (!Data || Count < 1 || Count > MaxReferencePairs) {
                s.Data = nullptr;
                s.Count = 0;
            } else {
                CopyInto(s, Data, std::size_t(Count), Count, false);
                for (std::size_t i = 0; i < std::size_t(Count); ++i)
                    s.Storage[i] = Data[2 * i + 1];
            }
            break;
        case dtData:
            break;
        }
    }
    RedrawPlotArea();
}

std::pair<float, float> THistograph::GetSeriesMinMax(int Series) const
{
    if (Series < 1 || Series > MaxSeries)
        return {0.0f, 0.0f};
    const TSeriesRec& s = SeriesAt(Series);
    if (!s.Data || s.Count <= 0)
        return {0.0f, 0.0f};
    const std::size_t stride = s.Pairs ? 2 : 1;
    const float* y = s.Data + (s.Pairs ? 1 : 0);
    float lo = std::numeric_limits<float>::infinity();
    float hi = -std::numeric_limits<float>::infinity();
    for (std::size_t i = 0; i < std::size_t(s.Count); ++i) {
        const float v = y[i * stride];
        if (!std::isfinite(v))
            continue;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    if (lo > hi)
        return {0.0f, 0.0f};
    return {lo, hi};
}

bool THistograph::AdjustYRange()
{
    float lo = 1e38f;
    float hi = -1e38f;
    for (int i = 1; i <= FSeriesNumber; ++i) {
        const auto [mn, mx] = GetSeriesMinMax(i);
        lo = std::min(lo, mn);
        hi = std::max(hi, mx);
    }
    double span = double(hi) - double(lo);
    const bool needed = (span != 0
                            && (lo < FViewYMin || hi > FViewYMax
                                || span < 0.4 * (double(FViewYMax) - double(FViewYMin))))
        || (YIsLog() && !(FViewYMin > 0));
    if (!needed)
        return false;
    // Equal values (reached only for a logarithmic axis without a positive
    // minimum) have no span to take a decade from: use their own magnitude.
    if (span == 0)
        span = lo != 0 ? std::fabs(double(lo)) : 1.0;
    int e = int(Trunc(std::log10(span)));
    if (span < 1)
        --e;
    const double d = std::pow(10.0, e);
    const double q = span / d;
    double m = double(Round(q));
    if (q > m)
        m += 1;
    m = m <= 2 ? 2 : (m <= 5 ? 5 : 10);
    FViewYMin = float((double(lo) + double(hi)) / 2 - m * d / 2);
    FViewYMax = float(double(FViewYMin) + m * d);
    FViewYGap = float((double(FViewYMax) - double(FViewYMin)) / 4);
    if (YIsLog()) {
        // Written directly like the range itself: this runs inside the paint,
        // and a setter's repaint request would make every paint ask for the next.
        if (!(FViewYMax > 0))
            FViewYMax = 0.1f;
        if (!(FViewYMin > 0))
            FViewYMin = float(0.01 * double(FViewYMax));
        // The transform follows every change of the range.
        UpdateYLogScale();
    }
    return true;
}

void THistograph::CaptureScale()
{
    if (AdjustYRange())
        Changed();
}

void THistograph::RedrawPlotArea()
{
    if (IsLoading())
        return;
    if (FAutoScale && AdjustYRange()) {
        Repaint();
        return;
    }
    // Only the plot area, at once.
    TCanvas* canvas = Canvas();
    canvas->SaveClip();
    canvas->SetClipRegion(QRegion(Frame().PlotRect().ToQRect()));
    Paint();
    canvas->RestoreClip();
    canvas->Flush();
}

// ---------------------------------------------------------------- transforms

THistoFrame THistograph::Frame() const
{
    return THistoFrame{Width(), Height(), FGapLeft, FGapRight, FGapTop, FGapBottom};
}

THistoMapping THistograph::Mapping() const
{
    THistoMapping m;
    m.Frame = Frame();
    m.XMin = FViewXCurrentMin;
    m.XMax = FViewXCurrentMax;
    m.YMin = FViewYMin;
    m.YMax = FViewYMax;
    m.XLog = XIsLog();
    m.YLog = YIsLog();
    m.LogX = FLogX;
    m.LogY = FLogY;
    return m;
}

int THistograph::XToPixel(double X) const
{
    return Mapping().XToPixel(X);
}

int THistograph::YToPixel(double Y) const
{
    return Mapping().YToPixel(Y);
}

double THistograph::PixelToX(int X) const
{
    return Mapping().PixelToX(X);
}

double THistograph::PixelToY(int Y) const
{
    return Mapping().PixelToY(Y);
}

void THistograph::UpdateXLogScale()
{
    ComputeLogX(Frame(), FViewXNominalMin, FViewXNominalMax, FViewXCurrentMin, FViewXCurrentMax, FLogX);
}

void THistograph::UpdateYLogScale()
{
    ComputeLogY(Frame(), FViewYMin, FViewYMax, FLogY);
}

QString THistograph::RangeError() const
{
    // Non-finite limits count as errors too: no axis can be drawn from them.
    auto finite = [](float V) { return std::isfinite(V); };
    const bool xBad = !finite(FViewXNominalMin) || !finite(FViewXNominalMax) || !finite(FViewXCurrentMin)
        || !finite(FViewXCurrentMax) || !(FViewXNominalMax > FViewXNominalMin)
        || !(FViewXCurrentMax > FViewXCurrentMin)
        || (XIsLog() && (!(FViewXNominalMin > 0) || !(FViewXCurrentMin > 0)));
    if (xBad)
        return QStringLiteral("Range-Error in ViewX-Properties");
    const bool yBad = !finite(FViewYMin) || !finite(FViewYMax) || !(FViewYMax > FViewYMin)
        || (YIsLog() && !(FViewYMin > 0));
    if (yBad)
        return QStringLiteral("Range-Error in ViewY-Properties");
    return {};
}

// ---------------------------------------------------------------- stored series list

bool THistograph::ReadListProperty(const QVariantList& List, QString* Error)
{
    auto fail = [Error](const QString& Message) {
        if (Error)
            *Error = QStringLiteral("Series: ") + Message;
        return false;
    };
    if (List.size() % 3 != 0)
        return fail(QStringLiteral("%1 numbers are not whole triples of colour, line style and kind")
                        .arg(List.size()));
    const qsizetype count = std::min<qsizetype>(List.size() / 3, MaxSeries);
    std::array<std::array<qint64, 3>, MaxSeries> triples{};
    for (qsizetype i = 0; i < count * 3; ++i) {
        const QVariant& v = List[i];
        const int type = v.metaType().id();
        if (type != QMetaType::LongLong && type != QMetaType::Int)
            return fail(QStringLiteral("entry %1 is not an integer").arg(i + 1));
        triples[std::size_t(i / 3)][std::size_t(i % 3)] = v.toLongLong();
    }
    for (qsizetype s = 0; s < count; ++s) {
        const auto& t = triples[std::size_t(s)];
        if (t[0] < std::numeric_limits<std::int32_t>::min() || t[0] > std::numeric_limits<std::uint32_t>::max())
            return fail(QStringLiteral("series %1 has the colour %2, not a 32-bit value").arg(s + 1).arg(t[0]));
        if (t[1] < psSolid || t[1] > psInsideFrame)
            return fail(QStringLiteral("series %1 has the line style %2, not 0 ... 6").arg(s + 1).arg(t[1]));
        if (t[2] < dtData || t[2] > dtLowerRef)
            return fail(QStringLiteral("series %1 has the kind %2, not 0 ... 3").arg(s + 1).arg(t[2]));
    }
    for (qsizetype s = 0; s < count; ++s) {
        const auto& t = triples[std::size_t(s)];
        TSeriesRec& r = FSeries[std::size_t(s)];
        r.Color = TColor(std::int32_t(std::uint32_t(t[0])));
        r.LineStyle = TPenStyle(t[1]);
        r.Kind = TDataKind(t[2]);
    }
    Changed();
    return true;
}

QVariantList THistograph::WriteListProperty() const
{
    QVariantList list;
    for (int i = 1; i <= FSeriesNumber; ++i) {
        const TSeriesRec& s = SeriesAt(i);
        list << qlonglong(s.Color) << qlonglong(s.LineStyle) << qlonglong(s.Kind);
    }
    return list;
}

// ---------------------------------------------------------------- designer preview

void THistograph::GenerateDemoData(int Series)
{
    TSeriesRec& s = SeriesAt(Series);
    FreeOwned(s);
    const double a = Random();
    const double b = Random();
    const double yRange = double(FViewYMax) - double(FViewYMin);
    auto value = [&](int i) { return float(yRange * 0.5 * (std::sin(i * a + b) + 1) + FViewYMin); };
    if (s.Kind == dtDataXY) {
        s.Storage = std::make_unique<float[]>(2 * kDemoPairs);
        const double xRange = double(FViewXCurrentMax) - double(FViewXCurrentMin);
        for (int i = 1; i <= kDemoPairs; ++i) {
            s.Storage[2 * std::size_t(i - 1)] = float(double(i - 1) / (kDemoPairs - 1) * xRange + FViewXCurrentMin);
            s.Storage[2 * std::size_t(i - 1) + 1] = value(i);
        }
        s.Count = kDemoPairs;
        s.Pairs = true;
    } else {
        s.Storage = std::make_unique<float[]>(kDemoValues);
        for (int i = 1; i <= kDemoValues; ++i)
            s.Storage[std::size_t(i - 1)] = value(i);
        s.Count = kDemoValues;
        s.Pairs = false;
    }
    s.Data = s.Storage.get();
}

void THistograph::GenerateAllDemoData()
{
    for (int i = 1; i <= MaxSeries; ++i)
        GenerateDemoData(i);
}

} // namespace Tessaron
