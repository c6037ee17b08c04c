#include "stripchart/StrpChrt.h"

#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace Tessaron {

namespace {

const bool kRegistered = [] {
    RegisterClass<TStripChart>();
    RegisterEventType<TStripRangeCheck>();
    RegisterEventType<TNotifyRemark>();
    RegisterEventType<TNotifyCalculateStrip>();
    return true;
}();

} // namespace

TStripChart::TStripChart(TComponent* AOwner)
    : TPaintBox(AOwner), FVersion(QStringLiteral("V2.01")),
      FCopyright(QStringLiteral("Copyright (c) Velmar Softwaretechnik")),
      FRunComment(QStringLiteral("Ohne Kommentar"))
{
    // Mouse-up raises the click for every button itself (StripMouse.cpp).
    SetControlStyle((ControlStyle() | csOpaque) & ~TControlStyle(csClickEvents));
    Font()->SetName(QStringLiteral("Arial"));
    auto makeFont = [this](bool Rotated, bool TimeAxis) {
        auto font = std::make_unique<TFont>();
        font->Assign(Font());
        font->OnChange = [this, Rotated, TimeAxis](TObject*) {
            if (Rotated)
                RebuildRotatedFonts();
            if (TimeAxis)
                FTimeAxisDirty = true;
            Changed();
        };
        return font;
    };
    FFontTitleTop = makeFont(false, false);
    FFontXAxis = makeFont(false, true);
    FFontYAxis = makeFont(false, false);
    FFontTitleBottom = makeFont(false, false);
    FFontTitleLeft = makeFont(true, false);
    FFontTitleRight = makeFont(true, false);
    FRotatedLeft = std::make_unique<TFont>();
    FRotatedRight = std::make_unique<TFont>();
    RebuildRotatedFonts();
    FTitleRects.fill(TRect(-1, -1, -1, -1));

    FWindowOffset = -FSamplesPerWindow;
    if (IsDesigning())
        Randomize();
    SetSamplesPerBuffer(1024);
    FLastSampleTime = (long double)FLogStartTime - FLogTimeIncrement;
    InstallDefaultStorage();
    UpdateGridTable();
}

TStripChart::~TStripChart()
{
    DestroyToolWindows();
    CloseStorage();
}

// ---------------------------------------------------------------- setters

void TStripChart::Changed()
{
    // The titles are measured anew by the next paint, which paints everything.
    FTitleRects.fill(TRect(-1, -1, -1, -1));
    Invalidate();
}

void TStripChart::SetInt(int& Field, int Value)
{
    if (Field == Value)
        return;
    Field = Value;
    FTimeAxisDirty = true;
    UpdateGridTable();
    Changed();
}

void TStripChart::SetString(QString& Field, const QString& Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TStripChart::SetColorField(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TStripChart::SetEnableUpdate(bool Value)
{
    if (FEnableUpdate == Value)
        return;
    FEnableUpdate = Value;
    if (Value)
        Changed();
}

void TStripChart::SetGridColor(TColor Value) { SetColorField(FGridColor, Value); }
void TStripChart::SetBkColor(TColor Value) { SetColorField(FBkColor, Value); }
void TStripChart::SetMarkerHighlightColor(TColor Value) { SetColorField(FMarkerHighlightColor, Value); }
void TStripChart::SetMarkerColor(TColor Value) { SetColorField(FMarkerColor, Value); }

void TStripChart::SetGridVisible(TGrdVisible Value)
{
    if (FGridVisible == Value || Value < grdNone || Value > grdBoth)
        return;
    FGridVisible = Value;
    Changed();
}

void TStripChart::SetGridScale(TstrpScale Value)
{
    if (FGridScale == Value || (Value != strpLin && Value != strpLog))
        return;
    FGridScale = Value;
    if (Value == strpLog && FAutoScale && !IsLoading())
        ScaleToData();
    YScaleChanged();
}

void TStripChart::SetGridLineStyle(TPenStyle Value)
{
    if (FGridLineStyle == Value || Value < psSolid || Value > psInsideFrame)
        return;
    FGridLineStyle = Value;
    Changed();
}

void TStripChart::SetBorderStyle(Strip::TBorderStyle Value)
{
    if (FBorderStyle == Value || (Value != Strip::bsNone && Value != Strip::bsSingle))
        return;
    FBorderStyle = Value;
    Changed();
}

void TStripChart::SetGapRight(int Value) { SetInt(FGapRight, Value); }
void TStripChart::SetGapLeft(int Value) { SetInt(FGapLeft, Value); }
void TStripChart::SetGapTop(int Value) { SetInt(FGapTop, Value); }
void TStripChart::SetGapBottom(int Value) { SetInt(FGapBottom, Value); }
void TStripChart::SetTitleRight(const QString& Value) { SetString(FTitleRight, Value); }
void TStripChart::SetTitleLeft(const QString& Value) { SetString(FTitleLeft, Value); }
void TStripChart::SetTitleTop(const QString& Value)
{
    SetString(FTitleTop, Value);
    RecaptionToolWindows();
}
void TStripChart::SetTitleBottom(const QString& Value) { SetString(FTitleBottom, Value); }

void TStripChart::SetTitleFont(std::unique_ptr<TFont>& Field, TFont* Value)
{
    // Assigning copies the attributes; the font's change handler repaints.
    if (Value && Value != Field.get())
        Field->Assign(Value);
}

void TStripChart::SetFontTitleTop(TFont* Value) { SetTitleFont(FFontTitleTop, Value); }
void TStripChart::SetFontXAxis(TFont* Value) { SetTitleFont(FFontXAxis, Value); }
void TStripChart::SetFontYAxis(TFont* Value) { SetTitleFont(FFontYAxis, Value); }
void TStripChart::SetFontTitleBottom(TFont* Value) { SetTitleFont(FFontTitleBottom, Value); }
void TStripChart::SetFontTitleLeft(TFont* Value) { SetTitleFont(FFontTitleLeft, Value); }
void TStripChart::SetFontTitleRight(TFont* Value) { SetTitleFont(FFontTitleRight, Value); }

void TStripChart::RebuildRotatedFonts()
{
    BuildRotatedFont(*FRotatedLeft, FFontTitleLeft.get(), 900);
    BuildRotatedFont(*FRotatedRight, FFontTitleRight.get(), 2700);
}

// The Y range, gap or scale changed: grid rows, log mapping, preview, repaint.
void TStripChart::YScaleChanged()
{
    UpdateGridTable();
    if (IsDesigning())
        GeneratePreview();
    Changed();
}

void TStripChart::SetViewYMin(float Value)
{
    if (FViewYMin == Value)
        return;
    FViewYMin = Value;
    if (FAutoScale && !IsLoading())
        ScaleToData();
    YScaleChanged();
}

void TStripChart::SetViewYMax(float Value)
{
    if (FViewYMax == Value)
        return;
    FViewYMax = Value;
    YScaleChanged();
}

void TStripChart::SetViewYGap(float Value)
{
    // A rejected gap repaints all the same.
    if (Value > 0 && Value < std::numeric_limits<float>::infinity())
        FViewYGap = Value;
    UpdateGridTable();
    Changed();
}

void TStripChart::SetViewYDecimals(int Value)
{
    if (FViewYDecimals == Value)
        return;
    FViewYDecimals = Value;
    Changed();
}

void TStripChart::SetSeriesNumber(int Value)
{
    if (FSeriesNumber == Value || Value < 1 || Value > MaxSeries)
        return;
    FSeriesNumber = Value;
    ApplyBuffers(FSamplesPerBuffer);
    Changed();
}

void TStripChart::SetSeriesCurrent(int Value)
{
    if (FSeriesCurrent == Value || Value < 1 || Value > MaxSeries)
        return;
    FSeriesCurrent = Value;
    Changed();
}

TColor TStripChart::SeriesColor() const
{
    return SeriesAddressable() ? SeriesAt(FSeriesCurrent).Color : TColor(0);
}

void TStripChart::SetSeriesColor(TColor Value)
{
    if (!SeriesAddressable() || SeriesAt(FSeriesCurrent).Color == Value)
        return;
    SeriesAt(FSeriesCurrent).Color = Value;
    Changed();
}

TPenStyle TStripChart::SeriesLineStyle() const
{
    return SeriesAddressable() ? SeriesAt(FSeriesCurrent).LineStyle : psSolid;
}

void TStripChart::SetSeriesLineStyle(TPenStyle Value)
{
    if (!SeriesAddressable() || SeriesAt(FSeriesCurrent).LineStyle == Value || Value < psSolid
        || Value > psInsideFrame)
        return;
    SeriesAt(FSeriesCurrent).LineStyle = Value;
    Changed();
}

bool TStripChart::SeriesVisible() const
{
    return SeriesAddressable() && SeriesAt(FSeriesCurrent).Visible;
}

void TStripChart::SetSeriesVisible(bool Value)
{
    if (!SeriesAddressable() || SeriesAt(FSeriesCurrent).Visible == Value)
        return;
    SeriesAt(FSeriesCurrent).Visible = Value;
    Changed();
}

void TStripChart::SetSamplesPerWindow(int Value)
{
    // A window of no samples or larger than the buffer has no valid x step.
    // While a description is read the buffer may still come: Loaded() checks.
    if (FSamplesPerWindow == Value || Value < 1 || (Value > FSamplesPerBuffer && !IsLoading()))
        return;
    FSamplesPerWindow = Value;
    FWindowOffset = FStoredCount - Value;
    LayoutXPositions();
    FTimeAxisDirty = true;
    Changed();
}

void TStripChart::SetSamplesPerBuffer(int Value)
{
    if (Value == FSamplesPerBuffer || Value <= 0 || Value >= BufferLimit
        || (Value < FSamplesPerWindow && !IsLoading()))
        return;
    ApplyBuffers(Value);
    Changed();
}

void TStripChart::ApplyBuffers(int Value)
{
    const bool resized = Value != FSamplesPerBuffer;
    if (resized || FXPositions.size() != std::size_t(Value) + 2) {
        FXPositions.clear();
        FXPositions.shrink_to_fit();
    }
    FSamplesPerBuffer = Value;
    if (resized) {
        // The buffers are allocated anew: the stored samples are gone, and the
        // display goes on with the next sample number.
        FFirstSampleNumber += FStoredCount;
        FStoredCount = 0;
        FPreviousCount = 0;
        FWindowOffset = -FSamplesPerWindow;
        FXFraction = 0;
    }
    try {
        if (FXPositions.empty())
            FXPositions.assign(std::size_t(Value) + 2, 0);
        for (int s = 1; s <= FSeriesNumber; ++s) {
            TSeriesEntry& e = SeriesAt(s);
            if (e.Allocated && e.Length == Value)
                continue;
            e.Samples.clear();
            e.Samples.shrink_to_fit();
            e.Length = 0;
            e.Allocated = false;
            try {
                e.Samples.assign(std::size_t(Value), 0.0f);
            } catch (...) {
                FXPositions.clear();
                FXPositions.shrink_to_fit();
                throw;
            }
            e.Length = Value;
            e.Allocated = true;
        }
    } catch (const std::bad_alloc&) {
        Changed();
        throw;
    }
    if (IsDesigning())
        GeneratePreview();
}

bool TStripChart::BuffersReady() const
{
    if (FXPositions.size() != std::size_t(FSamplesPerBuffer) + 2)
        return false;
    for (int s = 1; s <= FSeriesNumber; ++s)
        if (SeriesAt(s).Length != FSamplesPerBuffer)
            return false;
    return true;
}

void TStripChart::SetShowCross(bool Value)
{
    if (FShowCross == Value)
        return;
    FShowCross = Value;
    Changed();
}

void TStripChart::SetReduceFlicker(bool Value)
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

void TStripChart::SetLogTimeIncrement(double Value)
{
    if (!(Value > 0) || !std::isfinite(Value) || Value == FLogTimeIncrement)
        return;
    FLogTimeIncrement = Value;
    FDisplayTimeIncrement = Value;
    FLastSampleTime = (long double)FLogStartTime - Value;
    FTimeAxisDirty = true;
    if (FLogging)
        SetLogStartTime(FLogStartTime); // a new run
    Changed();
}

void TStripChart::SetLogStartTime(double Value)
{
    // Acts even when unchanged: every call restarts the sample times (and,
    // while logging, begins a new run).
    FLogStartTime = Value;
    if (FLogging)
        RestartRun();
    FLastSampleTime = (long double)Value - FLogTimeIncrement;
    if (FLiveDisplay) {
        FDisplayStartTime = Value;
        FRunStartTime = Value;
        FFirstSampleNumber = 0;
        FWindowOffset = -FSamplesPerWindow;
        FStoredCount = 0;
        FPreviousCount = 0;
    }
    FTimeAxisDirty = true;
    Changed();
}

void TStripChart::SetViewXGap(double Value)
{
    if (!(Value > 0) || !std::isfinite(Value) || Value == FViewXGap)
        return;
    FViewXGap = Value;
    FTimeAxisDirty = true;
    Changed();
}

void TStripChart::SetStripMode(TStripMode Value)
{
    if (FStripMode == Value || Value < Strip::modeMeasure || Value > Strip::modeCalculate)
        return;
    FStripMode = Value;
    if (Value == Strip::modeCalculate)
        HideCross(2);
    else {
        HideCross(0);
        HideCross(1);
    }
    PublishReadout();
    UpdateValueBarGroups();
}

void TStripChart::SetAutoScale(bool Value)
{
    if (FAutoScale == Value)
        return;
    FAutoScale = Value;
    Changed();
}

void TStripChart::SetReduceColumns(bool Value)
{
    if (FReduceColumns == Value)
        return;
    FReduceColumns = Value;
    Changed();
}

void TStripChart::SetRemarks(std::vector<TRemarkEntry> Remarks)
{
    FRemarks = std::move(Remarks);
    FHighlighted = NearestRemark();
    // The jog shuttle bar selects what the remark file calls highlighted.
    if (FRemarkFile.IsOpen())
        FRemarkFile.SetHighlight(FHighlighted);
    Changed();
}

// ---------------------------------------------------------------- samples

long double TStripChart::TimeOfIndex(long double Index) const
{
    return FDisplayStartTime + (FFirstSampleNumber + Index - 1) * FDisplayTimeIncrement;
}

void TStripChart::RangeCheck(const std::array<const float*, MaxSeries>& Data, int SeriesCount, int SampleCount)
{
    FRangeChecker.Check(Data, SeriesCount, SampleCount, FLastSampleTime, FLogTimeIncrement, FRangeLower, FRangeUpper,
        [this](double T, float V, int S, TStripRange R) { CallEvent(OnRangeCheck, this, T, V, S, R); });
}

void TStripChart::AddSamples(const std::array<const float*, MaxSeries>& Data, int SeriesCount, int SampleCount)
{
    if (SampleCount <= 0 || SeriesCount < 1 || SeriesCount > MaxSeries || !BuffersReady())
        return;
    for (int s = 1; s <= std::max(SeriesCount, FSeriesNumber); ++s)
        if (!Data[std::size_t(s - 1)])
            return;
    if (FLogging && !StorageWriter(scAppend, SampleCount, SeriesCount, Data))
        StorageFailed(QString::fromStdString(FLogWriter.Error()));
    if (OnRangeCheck)
        RangeCheck(Data, SeriesCount, SampleCount);
    if (FLiveDisplay || FLogging)
        FLastSampleTime += (long double)SampleCount * FLogTimeIncrement;
    if (!FLiveDisplay)
        return;
    const int oldCount = FStoredCount;
    // A picture still waiting to be painted is finished before the samples
    // change, so that the scroll moves the picture of the old samples.
    const bool replacing = qint64(oldCount) + SampleCount + 1 > FSamplesPerBuffer && SampleCount > FSamplesPerWindow;
    if (oldCount >= 1 && !replacing)
        Update();
    const int oldLastX = oldCount >= 1 ? FXPositions[std::size_t(oldCount)] : 0;
    const long double firstBefore = FFirstSampleNumber;
    const bool replaced = StoreSamples(Data, SampleCount);
    // Where the old last sample went: the old picture moves left by as much.
    const int oldIndex = FStoredCount - SampleCount;
    if (replaced || oldCount < 1 || oldIndex < 1) {
        Invalidate();
        return;
    }
    ScrollNew(oldLastX - FXPositions[std::size_t(oldIndex)], SampleCount, FFirstSampleNumber != firstBefore);
}

bool TStripChart::StoreSamples(const std::array<const float*, MaxSeries>& Data, int SampleCount)
{
    const int n = SampleCount;
    const int B = FSamplesPerBuffer;
    const int W = FSamplesPerWindow;
    const int C = FStoredCount;
    int first = C + 1;  // the first new buffer index
    bool replaced = false;
    auto copyNew = [&](int To, int From, int Count) {
        for (int s = 1; s <= FSeriesNumber; ++s)
            std::memcpy(SeriesAt(s).Samples.data() + (To - 1), Data[std::size_t(s - 1)] + From,
                std::size_t(Count) * sizeof(float));
    };
    if (qint64(C) + n + 1 <= B) {
        copyNew(C + 1, 0, n);
        FStoredCount = C + n;
        FWindowOffset += n;
    } else if (n > B) {
        copyNew(1, n - B, B);
        FStoredCount = B;
        FWindowOffset = n - W;
        FXFraction = 0;
        FFirstSampleNumber += (long double)C + (n - B);
        first = 1;
        replaced = true;
    } else if (n > W) {
        copyNew(1, 0, n);
        FStoredCount = n;
        FWindowOffset = n - W;
        FFirstSampleNumber += C;
        first = 1;
        replaced = true;
    } else {
        const int keep = W - n;
        const int from = C - keep + 1;
        for (int s = 1; s <= FSeriesNumber; ++s) {
            float* b = SeriesAt(s).Samples.data();
            std::memmove(b, b + (from - 1), std::size_t(keep) * sizeof(float));
        }
        std::memmove(FXPositions.data() + 1, FXPositions.data() + from, std::size_t(keep) * sizeof(int));
        FFirstSampleNumber += C - keep;
        copyNew(keep + 1, 0, n);
        FStoredCount = W;
        FWindowOffset = 0;
        first = keep + 1;
    }
    // X positions of the new samples, then the newest onto the right edge.
    const int left = FGapLeft;
    const int right = Width() - FGapRight;
    const double step = double(right - left) / W;
    double x = first > 1 ? FXPositions[std::size_t(first - 1)] + double(FXFraction) : 0.0;
    for (int k = first; k <= FStoredCount; ++k) {
        x += step;
        FXPositions[std::size_t(k)] = int(Trunc(x));
    }
    FXFraction = float(x - std::trunc(x));
    const int shift = right - FXPositions[std::size_t(FStoredCount)];
    if (shift != 0)
        for (int k = 1; k <= FStoredCount; ++k)
            FXPositions[std::size_t(k)] += shift;
    FPreviousCount = FStoredCount;
    return replaced;
}

void TStripChart::ClearBuffer(long double FirstSample)
{
    FFirstSampleNumber = FirstSample;
    FStoredCount = 0;
    FPreviousCount = 0;
    FWindowOffset = -FSamplesPerWindow;
    FXFraction = 0;
    Changed();
}

void TStripChart::LayoutXPositions()
{
    // Lays out the stored samples anew (after a resize or a new window size),
    // the newest on the right edge as AddSamples keeps it.
    const int right = Width() - FGapRight;
    const double step = double(right - FGapLeft) / FSamplesPerWindow;
    if (FXPositions.size() < std::size_t(FPreviousCount) + 1)
        return;
    for (int i = 1; i <= FPreviousCount; ++i)
        FXPositions[std::size_t(i)] = int(Trunc(right - (FPreviousCount - i) * step));
    FXFraction = 0;
}

// ---------------------------------------------------------------- scaling

bool TStripChart::ScaleToData()
{
    float mn = 1e38f;
    float mx = -1e38f;
    for (int s = 1; s <= FSeriesNumber; ++s) {
        for (float v : SeriesAt(s).Samples) {
            // NaN and infinite samples say nothing about a range to show.
            if (!std::isfinite(v))
                continue;
            mn = std::min(mn, v);
            mx = std::max(mx, v);
        }
    }
    const double d = double(mx) - double(mn);
    const bool log = FGridScale == strpLog;
    const bool rescale = (mn <= mx && d != 0
                             && (mn < FViewYMin || mx > FViewYMax
                                 || d < 0.4 * (double(FViewYMax) - double(FViewYMin))))
        || (log && !(FViewYMin > 0));
    if (!rescale)
        return false;
    if (d > 0) {
        int p = int(Trunc(std::log10(d)));
        if (d < 1)
            --p;
        const double unit = std::pow(10.0, p);
        const double q = std::ceil(d / unit);
        const double span = q <= 2 ? 2 : (q <= 5 ? 5 : 10);
        FViewYMin = float((double(mn) + double(mx)) / 2 - span * unit / 2);
        FViewYMax = float(double(FViewYMin) + span * unit);
        FViewYGap = float((double(FViewYMax) - double(FViewYMin)) / 4);
    }
    if (log) {
        if (!(FViewYMax > 0))
            SetViewYMax(0.1f);
        if (!(FViewYMin > 0))
            FViewYMin = float(0.01 * double(FViewYMax));
    }
    UpdateGridTable();
    Changed();
    return true;
}

// ---------------------------------------------------------------- designer preview

void TStripChart::GeneratePreview()
{
    const double range = double(FViewYMax) - double(FViewYMin);
    for (int s = 1; s <= FSeriesNumber; ++s) {
        TSeriesEntry& e = SeriesAt(s);
        const double a = Random();
        const double b = Random();
        for (std::size_t j = 0; j < e.Samples.size(); ++j)
            e.Samples[j] = float((std::sin(double(j + 1) * a + b) + 1) * range * 0.5 + FViewYMin);
    }
}

// ---------------------------------------------------------------- stored series list

bool TStripChart::ReadListProperty(const QVariantList& List, QString* Error)
{
    auto fail = [Error](const QString& Message) {
        if (Error)
            *Error = QStringLiteral("Series: ") + Message;
        return false;
    };
    if (List.size() % 3 != 0)
        return fail(QStringLiteral("%1 values are not whole triples of colour, line style and visibility")
                        .arg(List.size()));
    const qsizetype count = std::min<qsizetype>(List.size() / 3, MaxSeries);
    std::array<TSeriesEntry, MaxSeries> read;
    for (qsizetype s = 0; s < count; ++s) {
        const QVariant& color = List[3 * s];
        const QVariant& style = List[3 * s + 1];
        const QVariant& visible = List[3 * s + 2];
        auto isInt = [](const QVariant& V) {
            const int t = V.metaType().id();
            return t == QMetaType::LongLong || t == QMetaType::Int;
        };
        if (!isInt(color) || color.toLongLong() < std::numeric_limits<std::int32_t>::min()
            || color.toLongLong() > std::numeric_limits<std::uint32_t>::max())
            return fail(QStringLiteral("series %1 has no 32-bit colour").arg(s + 1));
        if (!isInt(style) || style.toLongLong() < psSolid || style.toLongLong() > psInsideFrame)
            return fail(QStringLiteral("series %1 has no line style 0 ... 6").arg(s + 1));
        if (visible.metaType().id() != QMetaType::Bool)
            return fail(QStringLiteral("series %1 has no visibility (true or false)").arg(s + 1));
        read[std::size_t(s)].Color = TColor(std::int32_t(std::uint32_t(color.toLongLong())));
        read[std::size_t(s)].LineStyle = TPenStyle(style.toLongLong());
        read[std::size_t(s)].Visible = visible.toBool();
    }
    for (qsizetype s = 0; s < count; ++s) {
        FSeries[std::size_t(s)].Color = read[std::size_t(s)].Color;
        FSeries[std::size_t(s)].LineStyle = read[std::size_t(s)].LineStyle;
        FSeries[std::size_t(s)].Visible = read[std::size_t(s)].Visible;
    }
    Changed();
    return true;
}

QVariantList TStripChart::WriteListProperty() const
{
    QVariantList list;
    for (int s = 1; s <= FSeriesNumber; ++s) {
        const TSeriesEntry& e = SeriesAt(s);
        list << qlonglong(e.Color) << qlonglong(e.LineStyle) << e.Visible;
    }
    return list;
}

void TStripChart::Loaded()
{
    TPaintBox::Loaded();
    // Window and buffer were read in either order: a window larger than the
    // buffer gets a buffer of its size.
    if (FSamplesPerWindow > FSamplesPerBuffer)
        ApplyBuffers(FSamplesPerWindow);
    FWindowOffset = FStoredCount - FSamplesPerWindow;
    FTimeAxisDirty = true;
    UpdateGridTable();
    CreateRemarkEditor();
    CreateToolWindows();
    Changed();
}

} // namespace Tessaron
