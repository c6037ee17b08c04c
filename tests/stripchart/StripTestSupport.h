#pragma once
// A strip chart on a plain parent, and feeding helpers.

#include <stripchart/StrpChrt.h>

#include "support/ControlHost.h"

#include <array>
#include <vector>

namespace StripTest {

struct THost : TestSupport::TControlHost<Tessaron::TStripChart> {
    explicit THost(int Width = 417, int Height = 233) : TControlHost(Width, Height) {}
    // Feeds Count samples of every series: series s gets Value(s, i) for the
    // i-th sample fed since construction.
    template <typename F>
    void Feed(int Count, F Value)
    {
        std::array<std::vector<float>, Tessaron::TStripChart::MaxSeries> blocks;
        std::array<const float*, Tessaron::TStripChart::MaxSeries> data{};
        for (int s = 0; s < Tessaron::TStripChart::MaxSeries; ++s) {
            for (int i = 0; i < Count; ++i)
                blocks[std::size_t(s)].push_back(float(Value(s + 1, Fed + i)));
            data[std::size_t(s)] = blocks[std::size_t(s)].data();
        }
        C->AddSamples(data, Tessaron::TStripChart::MaxSeries, Count);
        Fed += Count;
    }
    long Fed = 0;
};

} // namespace StripTest
