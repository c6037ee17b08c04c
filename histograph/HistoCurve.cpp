#include "histograph/HistoCurve.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__x86_64__) || defined(__SSE2__)
#include <immintrin.h>
#endif

namespace Tessaron {

// ---------------------------------------------------------------- points

void TCurvePoints::Clear()
{
    FPoints.clear();
    FRunEnds.clear();
    FRunStart = 0;
}

void TCurvePoints::EndRun()
{
    if (FPoints.size() > FRunStart) {
        FRunEnds.push_back(FPoints.size());
        FRunStart = FPoints.size();
    }
}

const TPoint* TCurvePoints::Run(int Index, int& Count) const
{
    const std::size_t begin = Index == 0 ? 0 : FRunEnds[std::size_t(Index) - 1];
    Count = int(FRunEnds[std::size_t(Index)] - begin);
    return FPoints.data() + begin;
}

// ---------------------------------------------------------------- mappings

TCurveYMap TCurveYMap::Linear(double Y0, double DY)
{
    TCurveYMap m;
    m.FY0 = Y0;
    m.FDY = DY;
    return m;
}

TCurveYMap TCurveYMap::Logarithmic(const THistoMapping& Mapping)
{
    TCurveYMap m;
    m.FLog = true;
    m.FMapping = Mapping;
    m.FMapping.YLog = true;
    m.FFloor = Mapping.LogYFloor();
    m.FThreshold = std::numeric_limits<float>::denorm_min();
    return m;
}

TCurveYMap TCurveYMap::LogarithmicBelow(const THistoMapping& Mapping, float Threshold, float Floor)
{
    TCurveYMap m = Logarithmic(Mapping);
    m.FThreshold = Threshold;
    m.FFloor = Floor;
    return m;
}

int TCurveYMap::Pixel(float Key) const
{
    if (FLog)
        return FMapping.YToPixel(Key);
    const double t = std::trunc(FY0 + double(Key) * FDY) + 1;
    if (t > HistoPixelLimit)
        return HistoPixelLimit;
    if (t < -HistoPixelLimit)
        return -HistoPixelLimit;
    return int(t);
}

TCurveXMap TCurveXMap::Linear(double X0, double DX)
{
    TCurveXMap m;
    m.FX0 = X0;
    m.FDX = DX;
    return m;
}

TCurveXMap TCurveXMap::Logarithmic(const THistoMapping& Mapping, double Base, double Shift, double Step)
{
    TCurveXMap m;
    m.FLog = true;
    m.FMapping = Mapping;
    m.FMapping.XLog = true;
    m.FBase = Base;
    m.FShift = Shift;
    m.FStep = Step;
    return m;
}

int TCurveXMap::Pixel(double T) const
{
    if (FLog)
        return FMapping.XToPixel(FBase + (T - FShift) * FStep);
    return ClampPixel(FX0 + T * FDX);
}

double TCurveXMap::PositionOf(int X) const
{
    if (FLog)
        return (FMapping.PixelToX(X) - FBase) / FStep + FShift;
    return (X - FX0) / FDX;
}

// ---------------------------------------------------------------- searching

namespace {

// The pixel of value index K (0-based), that is of position K + 1.
// or, for a table of columns, Table[K].
struct TIndexPixel {
    const TCurveXMap* X = nullptr;
    const int* Table = nullptr;
    int operator()(qint64 K) const { return Table ? Table[K] : X->Pixel(double(K + 1)); }
    // Where the search for the values of column Column may start (0-based; a
    // table has no formula to guess from, the search gallops from its start).
    double Guess(int Column) const { return Table ? -1.0 : X->PositionOf(Column) - 1; }
};

// The last index in [First, Last] whose pixel is <= Column, given that
// First's is. Pixels never decrease with the index; the search starts at
// Guess and gallops from there, so a good guess costs two evaluations.
qint64 LastAtOrBelow(const TIndexPixel& Pixel, qint64 First, qint64 Last, int Column, double Guess)
{
    qint64 lo;  // Pixel(lo) <= Column
    qint64 hi;  // Pixel(hi) > Column, or hi = Last + 1
    qint64 g = First;
    if (Guess > double(First) && Guess < double(Last))
        g = qint64(Guess);
    else if (Guess >= double(Last))
        g = Last;
    if (Pixel(g) <= Column) {
        lo = g;
        qint64 step = 1;
        hi = lo + step;
        while (hi <= Last && Pixel(hi) <= Column) {
            lo = hi;
            step *= 2;
            hi = lo + step;
        }
        hi = std::min(hi, Last + 1);
    } else {
        hi = g;
        qint64 step = 1;
        lo = hi - step;
        while (lo > First && Pixel(lo) > Column) {
            hi = lo;
            step *= 2;
            lo = hi - step;
        }
        lo = std::max(lo, First);
    }
    while (hi - lo > 1) {
        const qint64 mid = lo + (hi - lo) / 2;
        if (Pixel(mid) <= Column)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

// ---------------------------------------------------------------- column scans

// On a logarithmic axis a value below the threshold is drawn at the floor
// (NaN fails every comparison and is handled apart).
struct TKeyRule {
    float Threshold = 0.0f;
    float Floor = 0.0f;
};

template <bool Log>
inline float KeyOf(float V, const TKeyRule& Rule)
{
    return Log && !(V >= Rule.Threshold) ? Rule.Floor : V;
}

// The lowest and highest key of N samples, and whether one of them is NaN.
struct TBlockRange {
    float Min = std::numeric_limits<float>::infinity();
    float Max = -std::numeric_limits<float>::infinity();
    bool HasNaN = false;
};

template <bool Log>
TBlockRange ScanScalar(const float* V, std::size_t N, const TKeyRule& Floor)
{
    TBlockRange r;
    for (std::size_t i = 0; i < N; ++i) {
        const float v = V[i];
        if (std::isnan(v)) {
            r.HasNaN = true;
            continue;
        }
        const float k = KeyOf<Log>(v, Floor);
        r.Min = std::min(r.Min, k);
        r.Max = std::max(r.Max, k);
    }
    return r;
}

#if defined(__SSE2__)
template <bool Log>
TBlockRange ScanSse2(const float* V, std::size_t N, const TKeyRule& Floor)
{
    const __m128 floor = _mm_set1_ps(Floor.Floor);
    const __m128 threshold = _mm_set1_ps(Floor.Threshold);
    const __m128 zero = _mm_setzero_ps();
    __m128 min0 = _mm_set1_ps(std::numeric_limits<float>::infinity());
    __m128 min1 = min0;
    __m128 max0 = _mm_set1_ps(-std::numeric_limits<float>::infinity());
    __m128 max1 = max0;
    __m128 nan = zero;
    std::size_t i = 0;
    for (; i + 8 <= N; i += 8) {
        __m128 a = _mm_loadu_ps(V + i);
        __m128 b = _mm_loadu_ps(V + i + 4);
        nan = _mm_or_ps(nan, _mm_or_ps(_mm_cmpunord_ps(a, a), _mm_cmpunord_ps(b, b)));
        if constexpr (Log) {
            const __m128 pa = _mm_cmpge_ps(a, threshold);
            const __m128 pb = _mm_cmpge_ps(b, threshold);
            a = _mm_or_ps(_mm_and_ps(pa, a), _mm_andnot_ps(pa, floor));
            b = _mm_or_ps(_mm_and_ps(pb, b), _mm_andnot_ps(pb, floor));
        }
        min0 = _mm_min_ps(min0, a);
        min1 = _mm_min_ps(min1, b);
        max0 = _mm_max_ps(max0, a);
        max1 = _mm_max_ps(max1, b);
    }
    alignas(16) float lanes[8];
    _mm_store_ps(lanes, _mm_min_ps(min0, min1));
    _mm_store_ps(lanes + 4, _mm_max_ps(max0, max1));
    TBlockRange r = ScanScalar<Log>(V + i, N - i, Floor);
    r.HasNaN = r.HasNaN || _mm_movemask_ps(nan) != 0;
    for (int k = 0; k < 4; ++k) {
        r.Min = std::min(r.Min, lanes[k]);
        r.Max = std::max(r.Max, lanes[4 + k]);
    }
    return r;
}
#endif

#if defined(__x86_64__) && defined(__GNUC__)
#define TESSARON_HISTO_AVX2 1
template <bool Log>
__attribute__((target("avx2"))) TBlockRange ScanAvx2(const float* V, std::size_t N, const TKeyRule& Floor)
{
    const __m256 floor = _mm256_set1_ps(Floor.Floor);
    const __m256 threshold = _mm256_set1_ps(Floor.Threshold);
    const __m256 zero = _mm256_setzero_ps();
    const __m256 inf = _mm256_set1_ps(std::numeric_limits<float>::infinity());
    const __m256 ninf = _mm256_set1_ps(-std::numeric_limits<float>::infinity());
    __m256 min0 = inf, min1 = inf, min2 = inf, min3 = inf;
    __m256 max0 = ninf, max1 = ninf, max2 = ninf, max3 = ninf;
    __m256 nan = zero;
    std::size_t i = 0;
    for (; i + 32 <= N; i += 32) {
        __m256 a = _mm256_loadu_ps(V + i);
        __m256 b = _mm256_loadu_ps(V + i + 8);
        __m256 c = _mm256_loadu_ps(V + i + 16);
        __m256 d = _mm256_loadu_ps(V + i + 24);
        const __m256 nanAB = _mm256_or_ps(_mm256_cmp_ps(a, a, _CMP_UNORD_Q), _mm256_cmp_ps(b, b, _CMP_UNORD_Q));
        const __m256 nanCD = _mm256_or_ps(_mm256_cmp_ps(c, c, _CMP_UNORD_Q), _mm256_cmp_ps(d, d, _CMP_UNORD_Q));
        nan = _mm256_or_ps(nan, _mm256_or_ps(nanAB, nanCD));
        if constexpr (Log) {
            a = _mm256_blendv_ps(floor, a, _mm256_cmp_ps(a, threshold, _CMP_GE_OQ));
            b = _mm256_blendv_ps(floor, b, _mm256_cmp_ps(b, threshold, _CMP_GE_OQ));
            c = _mm256_blendv_ps(floor, c, _mm256_cmp_ps(c, threshold, _CMP_GE_OQ));
            d = _mm256_blendv_ps(floor, d, _mm256_cmp_ps(d, threshold, _CMP_GE_OQ));
        }
        min0 = _mm256_min_ps(min0, a);
        min1 = _mm256_min_ps(min1, b);
        min2 = _mm256_min_ps(min2, c);
        min3 = _mm256_min_ps(min3, d);
        max0 = _mm256_max_ps(max0, a);
        max1 = _mm256_max_ps(max1, b);
        max2 = _mm256_max_ps(max2, c);
        max3 = _mm256_max_ps(max3, d);
    }
    alignas(32) float lanes[16];
    _mm256_store_ps(lanes, _mm256_min_ps(_mm256_min_ps(min0, min1), _mm256_min_ps(min2, min3)));
    _mm256_store_ps(lanes + 8, _mm256_max_ps(_mm256_max_ps(max0, max1), _mm256_max_ps(max2, max3)));
    const bool anyNaN = _mm256_movemask_ps(nan) != 0;
    TBlockRange r = ScanScalar<Log>(V + i, N - i, Floor);
    r.HasNaN = r.HasNaN || anyNaN;
    for (int k = 0; k < 8; ++k) {
        r.Min = std::min(r.Min, lanes[k]);
        r.Max = std::max(r.Max, lanes[8 + k]);
    }
    return r;
}
#endif

template <bool Log>
using TScanFunction = TBlockRange (*)(const float*, std::size_t, const TKeyRule&);

// The widest scan the processor offers, chosen once.
template <bool Log>
TScanFunction<Log> ChooseScan()
{
#if defined(TESSARON_HISTO_AVX2)
    if (__builtin_cpu_supports("avx2"))
        return &ScanAvx2<Log>;
#endif
#if defined(__SSE2__)
    return &ScanSse2<Log>;
#else
    return &ScanScalar<Log>;
#endif
}

template <bool Log>
TBlockRange ScanBlock(const float* V, std::size_t N, const TKeyRule& Floor)
{
    static const TScanFunction<Log> scan = ChooseScan<Log>();
    return scan(V, N, Floor);
}

// Samples are scanned in blocks; the first block that holds the lowest (or
// highest) key is remembered, so that finding its first position reads that
// block again and nothing more.
constexpr std::size_t kBlock = 2048;

struct TKeyRange {
    float Min = std::numeric_limits<float>::infinity();
    float Max = -std::numeric_limits<float>::infinity();
    bool HasNaN = false;
    std::size_t MinBlock = 0;
    std::size_t MaxBlock = 0;
};

// The lowest and highest key of N samples and where they first occur by
// block; HasNaN when one of them is NaN (the rest is then meaningless).
template <bool Log>
TKeyRange ScanKeys(const float* V, std::size_t N, const TKeyRule& Floor)
{
    TKeyRange r;
    for (std::size_t b = 0; b < N; b += kBlock) {
        const TBlockRange block = ScanBlock<Log>(V + b, std::min(kBlock, N - b), Floor);
        if (block.HasNaN) {
            r.HasNaN = true;
            return r;
        }
        if (block.Min < r.Min) {
            r.Min = block.Min;
            r.MinBlock = b;
        }
        if (block.Max > r.Max) {
            r.Max = block.Max;
            r.MaxBlock = b;
        }
    }
    return r;
}

// The first position of Key among the N NaN-free samples at V (it occurs).
template <bool Log>
std::size_t FindKey(const float* V, std::size_t N, const TKeyRule& Floor, float Key)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128 key = _mm_set1_ps(Key);
    const __m128 floor = _mm_set1_ps(Floor.Floor);
    const __m128 threshold = _mm_set1_ps(Floor.Threshold);
    for (; i + 4 <= N; i += 4) {
        __m128 x = _mm_loadu_ps(V + i);
        if constexpr (Log) {
            const __m128 positive = _mm_cmpge_ps(x, threshold);
            x = _mm_or_ps(_mm_and_ps(positive, x), _mm_andnot_ps(positive, floor));
        }
        const int mask = _mm_movemask_ps(_mm_cmpeq_ps(x, key));
        if (mask)
            return i + std::size_t(__builtin_ctz(unsigned(mask)));
    }
#endif
    for (; i < N; ++i)
        if (KeyOf<Log>(V[i], Floor) == Key)
            return i;
    return N;
}

template <bool Log>
void FindFirst(const float* V, std::size_t N, const TKeyRule& Floor, const TKeyRange& R, std::size_t& LowAt,
    std::size_t& HighAt)
{
    LowAt = R.MinBlock + FindKey<Log>(V + R.MinBlock, std::min(kBlock, N - R.MinBlock), Floor, R.Min);
    HighAt = R.MaxBlock + FindKey<Log>(V + R.MaxBlock, std::min(kBlock, N - R.MaxBlock), Floor, R.Max);
}

// Whether a vertical walk through pixel rows covers its final row: a segment
// from A to B covers A ... B without B, so the final row counts only when
// the walk left it (or passed it) before.
class TFinalRow {
public:
    explicit TFinalRow(int Row) : FRow(Row) {}
    void Step(int A, int B)
    {
        if (A != B && FRow != B && std::min(A, B) <= FRow && FRow <= std::max(A, B))
            FCovered = true;
    }
    bool Covered() const { return FCovered; }

private:
    int FRow;
    bool FCovered = false;
};

// Builds the points of one Yt series; Log selects the key of the Y mapping.
template <bool Log>
class TYtBuilder {
public:
    TYtBuilder(const float* Data, qint64 RangeEnd, const TCurveYMap& Y, const TRect& Clip, TCurvePoints& Points)
        : FData(Data), FRangeEnd(RangeEnd), FY(Y), FFloor{Y.Threshold(), Y.Floor()}, FRowAbove(Clip.Top - 1),
          FRowBelow(Clip.Bottom + 1), FPoints(Points)
    {
    }

    // Every value from First to Last.
    void AddAll(qint64 First, qint64 Last, const TIndexPixel& Pixel)
    {
        for (qint64 k = First; k <= Last; ++k)
            Add(Pixel(k), k);
    }

    // The values First ... Last of column X, reduced.
    void AddColumn(int X, qint64 First, qint64 Last)
    {
        if (Last - First < 4) {
            for (qint64 k = First; k <= Last; ++k)
                Add(X, k);
            return;
        }
        const TKeyRange r = ScanKeys<Log>(FData + First, std::size_t(Last - First), FFloor);
        if (!r.HasNaN && !std::isnan(FData[Last])) {
            AddRun(X, First, Last, r, EndsAfter(Last));
            return;
        }
        // Gaps inside the column: each stretch between NaNs is reduced alone.
        qint64 k = First;
        while (k <= Last) {
            if (std::isnan(FData[k])) {
                FPoints.EndRun();
                ++k;
                continue;
            }
            qint64 end = k;
            while (end < Last && !std::isnan(FData[end + 1]))
                ++end;
            if (end - k < 4) {
                for (qint64 j = k; j <= end; ++j)
                    Add(X, j);
            } else {
                const TKeyRange stretch = ScanKeys<Log>(FData + k, std::size_t(end - k), FFloor);
                AddRun(X, k, end, stretch, end < Last || EndsAfter(end));
            }
            k = end + 1;
        }
    }

private:
    int PixelOf(qint64 K) const { return FY.Pixel(KeyOf<Log>(FData[K], FFloor)); }

    void Add(int X, qint64 K)
    {
        if (std::isnan(FData[K]))
            FPoints.EndRun();
        else
            FPoints.Add(X, PixelOf(K));
    }

    // Whether the polyline ends with value K: the last value drawn, or one
    // followed by a gap.
    bool EndsAfter(qint64 K) const { return K >= FRangeEnd || std::isnan(FData[K + 1]); }

    // A NaN-free stretch First ... Last of column X with the key range R of
    // the values before Last: first, lowest and highest in order, last.
    void AddRun(int X, qint64 First, qint64 Last, const TKeyRange& R, bool EndsRun)
    {
        std::size_t lowAt = 0;
        std::size_t highAt = 0;
        FindFirst<Log>(FData + First, std::size_t(Last - First), FFloor, R, lowAt, highAt);
        int rows[4];
        int n = 0;
        rows[n++] = PixelOf(First);
        const std::size_t a = std::min(lowAt, highAt);
        const std::size_t b = std::max(lowAt, highAt);
        if (a != 0)
            rows[n++] = FY.Pixel(a == lowAt ? R.Min : R.Max);
        if (b != a)
            rows[n++] = FY.Pixel(b == lowAt ? R.Min : R.Max);
        const int last = PixelOf(Last);
        // The kept values between the first and the last meet only vertical
        // segments of this column: put beyond the clip they may stand just
        // outside it, which draws the same pixels with far shorter lines
        // (an infinite value would otherwise give a line 60000 pixels long).
        FPoints.Add(X, rows[0]);
        for (int i = 1; i < n; ++i)
            FPoints.Add(X, std::clamp(rows[i], FRowAbove, FRowBelow));
        // The last pixel of a polyline is left out unless the walk passed it
        // before. Where the line goes on to the next column that segment draws
        // it; where the polyline ends here, the kept values may miss a visit
        // of the full walk (a lowest or highest pixel reached, left and
        // reached again): then a step to the neighbouring row inside the
        // column's span, which the walk covers anyway, brings it back.
        if (EndsRun && !ReducedCovers(rows, n, last) && FullCovers(First, Last, last)) {
            const int high = std::min(FY.Pixel(R.Max), last);
            FPoints.Add(X, std::clamp(last == high ? last + 1 : last - 1, FRowAbove, FRowBelow));
        }
        FPoints.Add(X, last);
    }

    static bool ReducedCovers(const int* Rows, int N, int Last)
    {
        TFinalRow final(Last);
        for (int i = 0; i + 1 < N; ++i)
            final.Step(Rows[i], Rows[i + 1]);
        final.Step(Rows[N - 1], Last);
        return final.Covered();
    }

    bool FullCovers(qint64 First, qint64 Last, int LastRow) const
    {
        TFinalRow final(LastRow);
        int previous = PixelOf(First);
        for (qint64 k = First + 1; k <= Last && !final.Covered(); ++k) {
            const int row = PixelOf(k);
            final.Step(previous, row);
            previous = row;
        }
        return final.Covered();
    }

    const float* FData;
    qint64 FRangeEnd;
    const TCurveYMap& FY;
    TKeyRule FFloor;
    int FRowAbove;
    int FRowBelow;
    TCurvePoints& FPoints;
};

template <bool Log>
void BuildYt(const float* Data, qint64 First, qint64 Last, const TIndexPixel& pixel, const TCurveYMap& Y,
    const TRect& Clip, bool Reduce, TCurvePoints& Points)
{
    TYtBuilder<Log> builder(Data, Last, Y, Clip, Points);
    if (!Reduce) {
        builder.AddAll(First, Last, pixel);
        return;
    }
    qint64 k = First;
    while (k <= Last) {
        const int column = pixel(k);
        // Index k + 1 sits at position k + 2: the column ends before the
        // position where column + 1 begins.
        const double guess = pixel.Guess(column + 1) - 1;
        const qint64 end = LastAtOrBelow(pixel, k, Last, column, guess);
        builder.AddColumn(column, k, end);
        k = end + 1;
    }
}

} // namespace

namespace {

// The values First ... Last (0-based) that the columns of Clip need, as
// BuildYtCurve describes.
void BuildIndexed(const float* Data, qint64 First, qint64 Last, const TIndexPixel& Pixel, const TCurveYMap& Y,
    const TRect& Clip, bool Reduce, TCurvePoints& Points)
{
    if (!Data || Last - First < 1 || Clip.IsEmpty())
        return;
    const int firstPixel = Pixel(First);
    const int lastPixel = Pixel(Last);
    if (firstPixel >= Clip.Right || lastPixel < Clip.Left)
        return;
    // From the last value left of the clip to the first one at or right of it:
    // the lines to those neighbours cross the clip's edges.
    qint64 first = First;
    if (firstPixel < Clip.Left)
        first = LastAtOrBelow(Pixel, First, Last, Clip.Left - 1, Pixel.Guess(Clip.Left));
    qint64 end = Last;
    if (lastPixel >= Clip.Right)
        end = LastAtOrBelow(Pixel, first, Last, Clip.Right - 1, Pixel.Guess(Clip.Right)) + 1;
    if (Y.IsLog())
        BuildYt<true>(Data, first, end, Pixel, Y, Clip, Reduce, Points);
    else
        BuildYt<false>(Data, first, end, Pixel, Y, Clip, Reduce, Points);
    Points.EndRun();
}

} // namespace

void BuildYtCurve(const float* Data, int Count, const TCurveXMap& X, const TCurveYMap& Y, const TRect& Clip,
    bool Reduce, TCurvePoints& Points)
{
    BuildIndexed(Data, 0, qint64(Count) - 1, TIndexPixel{&X, nullptr}, Y, Clip, Reduce, Points);
}

void BuildTableCurve(const float* Data, const int* Columns, int First, int Last, const TCurveYMap& Y,
    const TRect& Clip, bool Reduce, TCurvePoints& Points)
{
    if (Columns)
        BuildIndexed(Data, First, Last, TIndexPixel{nullptr, Columns}, Y, Clip, Reduce, Points);
}

void BuildXYCurve(const float* Pairs, int Count, const TCurveXMap& X, const TCurveYMap& Y, TCurvePoints& Points)
{
    if (!Pairs || Count < 1)
        return;
    for (qint64 i = 0; i < Count; ++i) {
        const float x = Pairs[2 * i];
        const float y = Pairs[2 * i + 1];
        if (std::isnan(x) || std::isnan(y)) {
            Points.EndRun();
            continue;
        }
        Points.Add(X.Pixel(x), Y.Pixel(Y.Key(y)));
    }
    Points.EndRun();
}

} // namespace Tessaron
