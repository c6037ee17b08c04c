#include "histograph/HistoMapping.h"

#include <algorithm>
#include <cmath>

namespace Tessaron {

int ClampPixel(double Position)
{
    if (std::isnan(Position))
        return HistoPixelLimit;
    const double t = std::trunc(Position);
    if (t > HistoPixelLimit)
        return HistoPixelLimit;
    if (t < -HistoPixelLimit)
        return -HistoPixelLimit;
    return int(t);
}

int SnapPixel(double Position)
{
    const double nearest = std::nearbyint(Position);
    if (std::fabs(Position - nearest) < 1e-6)
        Position = nearest;
    return ClampPixel(Position);
}

bool ComputeLogX(const THistoFrame& Frame, float NominalMin, float NominalMax, float CurrentMin,
    float CurrentMax, TLogTransform& Log)
{
    if (!(CurrentMin < CurrentMax && CurrentMin > 0 && NominalMin < NominalMax && NominalMin > 0))
        return false;
    const double lnMin = std::log(double(CurrentMin));
    Log.Scale = double(Frame.PlotWidth()) / (std::log(double(CurrentMax)) - lnMin);
    Log.Offset = Frame.GapLeft - Log.Scale * lnMin;
    return true;
}

bool ComputeLogY(const THistoFrame& Frame, float Min, float Max, TLogTransform& Log)
{
    if (!(Min < Max && Min > 0))
        return false;
    const double bottom = Frame.Height - Frame.GapBottom;
    const double lnMin = std::log(double(Min));
    Log.Scale = -(bottom - Frame.GapTop - 1) / (std::log(double(Max)) - lnMin);
    Log.Offset = bottom - Log.Scale * lnMin - 1;
    return true;
}

int THistoMapping::XToPixel(double X) const
{
    if (XLog) {
        if (X <= 0)
            X = XMin;
        return SnapPixel(std::log(X) * LogX.Scale + LogX.Offset);
    }
    return SnapPixel((X - XMin) * Frame.PlotWidth() / (double(XMax) - XMin) + Frame.GapLeft);
}

int THistoMapping::YToPixel(double Y) const
{
    if (YLog) {
        if (Y <= 0)
            Y = LogYFloor();
        return SnapPixel(std::log(Y) * LogY.Scale + LogY.Offset);
    }
    const int p =
        SnapPixel((YMin - Y) * Frame.PlotHeight() / (double(YMax) - YMin) + (Frame.Height - Frame.GapBottom));
    // Positions beyond the limit stay at it.
    return p == -HistoPixelLimit ? p : std::min(p + 1, HistoPixelLimit);
}

double THistoMapping::PixelToX(int X) const
{
    if (XLog)
        return std::exp((X - LogX.Offset) / LogX.Scale);
    return double(X - Frame.GapLeft) * (double(XMax) - XMin) / Frame.PlotWidth() + XMin;
}

double THistoMapping::PixelToY(int Y) const
{
    if (YLog)
        return std::exp((Y - LogY.Offset) / LogY.Scale);
    return double(Frame.Height - Y - Frame.GapBottom) * (double(YMax) - YMin) / Frame.PlotHeight() + YMin;
}

} // namespace Tessaron
