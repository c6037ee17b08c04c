#pragma once
// A strip chart on a plain parent, and feeding helpers.

#include <stripchart/StrpChrt.h>

#include <platform/Controls.h>

#include <QImage>

#include <array>
#include <memory>
#include <vector>

namespace StripTest {

struct THost {
    std::unique_ptr<Tessaron::TWinControl> Parent;
    Tessaron::TStripChart* C = nullptr;

    explicit THost(int Width = 417, int Height = 233)
        : Parent(std::make_unique<Tessaron::TWinControl>())
    {
        Parent->SetBounds(0, 0, Width + 20, Height + 20);
        C = new Tessaron::TStripChart(Parent.get());
        C->SetParent(Parent.get());
        C->SetBounds(0, 0, Width, Height);
    }
    Tessaron::TStripChart* operator->() const { return C; }
    const QImage& Image() const { return C->BackingImage(); }
    Tessaron::TColor At(int X, int Y) const { return Tessaron::QRgbToColor(Image().pixel(X, Y)); }
    QImage Repainted() const
    {
        C->Invalidate();
        return Image().copy();
    }
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
