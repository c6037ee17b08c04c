#pragma once
// Plain versions of the transform for the tests: the radix-2 algorithm in its
// written loop order (the library's kernels must match it bit for bit), and a
// direct DFT in double precision (the library must match it within float
// rounding).

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <utility>
#include <vector>

namespace FFTReference {

struct TTables {
    std::vector<float> Cos, Sin; // cos/sin(pi * i / N), i < N
};

inline TTables Tables(std::size_t n)
{
    const long double pi = std::numbers::pi_v<long double>;
    TTables t{std::vector<float>(n), std::vector<float>(n)};
    for (std::size_t i = 0; i < n; ++i) {
        t.Cos[i] = float(std::cos(pi * (long double)i / (long double)n));
        t.Sin[i] = float(std::sin(pi * (long double)i / (long double)n));
    }
    return t;
}

// The per-stage layout the kernels read: entry h + k = table[k * N / h].
inline std::pair<std::vector<float>, std::vector<float>> StageTables(const TTables& t)
{
    const std::size_t n = t.Cos.size();
    std::vector<float> c(n), s(n);
    for (std::size_t h = 1; h < n; h *= 2)
        for (std::size_t k = 0; k < h; ++k) {
            c[h + k] = t.Cos[k * (n / h)];
            s[h + k] = t.Sin[k * (n / h)];
        }
    return {c, s};
}

// The transform exactly as written: bit reversal, then per stage the twiddle
// index outer and the butterflies inner, then the forward scaling.
inline void Transform(float* re, float* im, const TTables& t, bool inverse)
{
    const std::size_t n = t.Cos.size();
    std::size_t j = 0;
    for (std::size_t i = 1; i <= n - 1; ++i) {
        std::size_t k = n;
        do
            k = k / 2;
        while (!(k + j <= n - 1));
        j = k + (j & (k - 1));
        if (j > i) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
    }
    std::size_t half = 1, stride = n;
    while (half < n) {
        for (std::size_t k = 0; k <= half - 1; ++k) {
            const std::size_t idx = k * stride;
            const float wr = t.Cos[idx];
            const float wi = inverse ? -t.Sin[idx] : t.Sin[idx];
            for (std::size_t i = k; i < n; i += 2 * half) {
                const std::size_t jj = i + half;
                const float tr = wr * re[jj] - wi * im[jj];
                const float ti = wr * im[jj] + wi * re[jj];
                re[jj] = re[i] - tr;
                im[jj] = im[i] - ti;
                re[i] = re[i] + tr;
                im[i] = im[i] + ti;
            }
        }
        half = 2 * half;
        stride = stride / 2;
    }
    if (!inverse) {
        const float scale = float(1.0 / double(n));
        for (std::size_t i = 0; i < n; ++i) {
            re[i] = re[i] * scale;
            im[i] = im[i] * scale;
        }
    }
}

// Direct DFT in double: forward 1/N sum x[n] e^{+2 pi i k n / N}, inverse
// unscaled with e^{-...}.
inline std::vector<std::complex<double>> Dft(const std::vector<std::complex<double>>& x,
                                             bool inverse)
{
    const std::size_t n = x.size();
    const double sign = inverse ? -1.0 : 1.0;
    std::vector<std::complex<double>> y(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::complex<double> sum = 0.0;
        for (std::size_t m = 0; m < n; ++m) {
            const double angle = sign * 2.0 * std::numbers::pi * double((k * m) % n) / double(n);
            sum += x[m] * std::complex<double>(std::cos(angle), std::sin(angle));
        }
        y[k] = inverse ? sum : sum / double(n);
    }
    return y;
}

inline std::uint32_t Bits(float x)
{
    std::uint32_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

// Index of the first element whose bits differ, or -1.
inline long FirstDifference(const float* a, const float* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (Bits(a[i]) != Bits(b[i]))
            return long(i);
    return -1;
}

} // namespace FFTReference
