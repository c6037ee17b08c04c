#pragma once
// Signals and measurements shared by the filter tests.

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <vector>

namespace FilterTest {

using Block = std::vector<float>;
using FilterFunction = std::function<void(float*, int)>;

inline Block Noise(int count, unsigned seed)
{
    return TestSupport::Uniform(count, seed);
}

inline Block Constant(int count, float value)
{
    return Block(size_t(count), value);
}

// Bit patterns equal (so that -0 differs from 0 and equal NaNs compare equal).
inline ::testing::AssertionResult BitEqual(const Block& actual, const Block& expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size();
    for (size_t i = 0; i < actual.size(); ++i)
        if (std::memcmp(&actual[i], &expected[i], sizeof(float)) != 0)
            return ::testing::AssertionFailure()
                << "first difference at sample " << i << ": " << actual[i] << " instead of " << expected[i];
    return ::testing::AssertionSuccess();
}

// The gain of a filter at frequency f (0 < f < fs/2): a sine is filtered from
// rest in one block; after `settle` samples its amplitude is measured over
// `measure` samples by correlation with sine and cosine.
inline double Gain(const FilterFunction& filter, double f, double fs, int settle = 20000, int measure = 100000)
{
    const double w = 2 * std::numbers::pi * f / fs;
    Block x(size_t(settle + measure));
    for (size_t n = 0; n < x.size(); ++n)
        x[n] = float(std::sin(w * double(n)));
    filter(x.data(), int(x.size()));
    double s = 0, c = 0;
    for (int n = settle; n < settle + measure; ++n) {
        s += x[size_t(n)] * std::sin(w * n);
        c += x[size_t(n)] * std::cos(w * n);
    }
    return 2 * std::hypot(s, c) / measure;
}

// The largest output magnitude after `settle` samples for a constant input
// (f = 0) or the alternating input +1, -1, ... (f = fs/2).
inline double EdgeGain(const FilterFunction& filter, bool nyquist, int settle = 20000, int measure = 1000)
{
    Block x(size_t(settle + measure));
    for (size_t n = 0; n < x.size(); ++n)
        x[n] = nyquist && (n % 2) ? -1.0f : 1.0f;
    filter(x.data(), int(x.size()));
    double m = 0;
    for (int n = settle; n < settle + measure; ++n)
        m = std::max(m, std::fabs(double(x[size_t(n)])));
    return m;
}

} // namespace FilterTest
