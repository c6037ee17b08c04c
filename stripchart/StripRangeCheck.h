#pragma once
// The range check of the strip chart and the non-visual logger: every sample
// fed is compared with a lower and an upper limit, and the event fires once
// per crossing (into the band below, above, or back inside), not once per
// sample. A value equal to a limit is inside; a sample that is no number is
// neither and leaves the flags as they are. The flags persist between calls.

#include <stripchart/RunFile.h>
#include <stripchart/StripEnums.h>
#include <stripchart/StripTypes.h>

#include <platform/Classes.h>

#include <QMetaType>

#include <array>

namespace Tessaron {

// OnRangeCheck (Sender, Time, Value, Series 1 .. 8, Range).
using TStripRangeCheck = TEvent<void(TObject* Sender, double Time, float Value, int Series, TStripRange Range)>;

// The per-series Below / Above flags and the crossing rule.
class TStripRangeChecker {
public:
    // Checks SampleCount samples of series 1 .. SeriesCount; sample i (from 1)
    // has the time LastSampleTime + i x Increment. Fire(Time, Value, Series,
    // Range) is called on each crossing. Times are computed in the caller's
    // precision (the chart keeps its times in 80 bits).
    template <typename TimeT, typename FireFn>
    void Check(const TSeriesData& Data, int SeriesCount, int SampleCount, TimeT LastSampleTime, double Increment,
        float Lower, float Upper, FireFn&& Fire)
    {
        for (int s = 0; s < SeriesCount && s < int(FBelow.size()); ++s) {
            const float* v = Data[std::size_t(s)];
            if (!v)
                continue;
            bool& below = FBelow[std::size_t(s)];
            bool& above = FAbove[std::size_t(s)];
            for (int i = 0; i < SampleCount; ++i) {
                const float x = v[i];
                TStripRange r;
                if (x != x)
                    continue;
                if (x < Lower) {
                    if (below)
                        continue;
                    below = true;
                    above = false;
                    r = rngBelow;
                } else if (x > Upper) {
                    if (above)
                        continue;
                    above = true;
                    below = false;
                    r = rngAbove;
                } else {
                    if (!below && !above)
                        continue;
                    below = above = false;
                    r = rngInside;
                }
                Fire(double(LastSampleTime + TimeT(i + 1) * TimeT(Increment)), x, s + 1, r);
            }
        }
    }
    void Reset()
    {
        FBelow.fill(false);
        FAbove.fill(false);
    }

private:
    std::array<bool, 8> FBelow{};
    std::array<bool, 8> FAbove{};
};

} // namespace Tessaron

Q_DECLARE_METATYPE(Tessaron::TStripRangeCheck)
