#pragma once
// Screen points of the histograph's curves: the X and Y pixel of a sample, the
// visible index range of a Yt series, and the reduction of the samples that
// share one pixel column. Plain code, usable without a control.

#include <histograph/HistoMapping.h>

#include <platform/Types.h>

#include <QtGlobal>

#include <cstddef>
#include <vector>

namespace Tessaron {

// The points of one curve, in runs that are drawn as separate polylines. A NaN
// sample ends a run, so the curve shows a gap there instead of a line to a
// made-up position. The buffers are kept from paint to paint and never shrink.
class TCurvePoints {
public:
    void Clear();
    void Add(int X, int Y) { FPoints.emplace_back(X, Y); }
    // Ends the current run (nothing happens when it is empty).
    void EndRun();
    int RunCount() const { return int(FRunEnds.size()); }
    // The points of run Index.
    const TPoint* Run(int Index, int& Count) const;
    std::size_t PointCount() const { return FPoints.size(); }
    std::size_t Capacity() const { return FPoints.capacity(); }
    const std::vector<TPoint>& Points() const { return FPoints; }

private:
    std::vector<TPoint> FPoints;
    std::vector<std::size_t> FRunEnds;
    std::size_t FRunStart = 0;
};

// The Y pixel of a curve value. Values are compared through Key(): the pixel
// depends on the key alone and never grows when the key grows, so the lowest
// and highest key of a column are its lowest and highest pixel.
class TCurveYMap {
public:
    // Linear: Trunc(Y0 + v * DY) + 1; beyond +-30000 the pixel is put at
    // 30000 (below) or -30000 (above).
    static TCurveYMap Linear(double Y0, double DY);
    // Logarithmic: the mapping's YToPixel (a value <= 0 counts as its floor).
    static TCurveYMap Logarithmic(const THistoMapping& Mapping);
    // Logarithmic, but every value below Threshold is drawn at Floor.
    static TCurveYMap LogarithmicBelow(const THistoMapping& Mapping, float Threshold, float Floor);

    bool IsLog() const { return FLog; }
    float Floor() const { return FFloor; }
    // The least value a logarithmic axis draws as it is.
    float Threshold() const { return FThreshold; }
    // The value a sample is drawn at; not for NaN.
    float Key(float V) const { return FLog && !(V >= FThreshold) ? FFloor : V; }
    // The pixel of a key.
    int Pixel(float Key) const;

private:
    bool FLog = false;
    double FY0 = 0.0;
    double FDY = 0.0;
    float FFloor = 0.0f;
    float FThreshold = 0.0f;
    THistoMapping FMapping;
};

// The X pixel of a position t: for Yt series t is the 1-based value index, for
// XY series the pair's X value.
class TCurveXMap {
public:
    // Trunc(X0 + t * DX), limited to +-30000.
    static TCurveXMap Linear(double X0, double DX);
    // The mapping's XToPixel(Base + (t - Shift) * Step): a Yt series passes
    // Base = nominal X minimum, Shift = 1 and its X step; an XY series 0, 0, 1.
    static TCurveXMap Logarithmic(const THistoMapping& Mapping, double Base, double Shift, double Step);

    int Pixel(double T) const;
    // Where pixel X begins, as a position t (a search start; may be off).
    double PositionOf(int X) const;

private:
    bool FLog = false;
    double FX0 = 0.0;
    double FDX = 1.0;
    double FBase = 0.0;
    double FShift = 0.0;
    double FStep = 1.0;
    THistoMapping FMapping;
};

// Appends the points of a Yt series of Count values (value i at t = i) that
// the columns of Clip need: from the last value left of them to the first one
// at or right of them. Fewer than two values draw nothing.
// With Reduce, of the values that share one pixel column only the first, the
// lowest and the highest (in the order they occur, from the values before the
// last) and the last are kept: for a solid one-pixel pen this draws exactly
// the pixels of the full polyline inside Clip, because all points of a column
// share their x and their vertical segments cover the same span. (Where a
// polyline ends inside a column, one more point keeps its last pixel as the
// full walk has it; kept extremes beyond Clip are put just outside it.)
void BuildYtCurve(const float* Data, int Count, const TCurveXMap& X, const TCurveYMap& Y, const TRect& Clip,
    bool Reduce, TCurvePoints& Points);

// As BuildYtCurve for the values First ... Last of Data (0-based) drawn at the
// pixel columns Columns[First ... Last], which never decrease.
void BuildTableCurve(const float* Data, const int* Columns, int First, int Last, const TCurveYMap& Y,
    const TRect& Clip, bool Reduce, TCurvePoints& Points);

// Appends the points of Count (X, Y) pairs, every pair.
void BuildXYCurve(const float* Pairs, int Count, const TCurveXMap& X, const TCurveYMap& Y, TCurvePoints& Points);

} // namespace Tessaron
