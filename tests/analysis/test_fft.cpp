// TFFT: numbers against a double-precision DFT, the composite operations,
// windows, the real transform, sizes and ownership.

#include "FFTReference.h"

#include <analysis/FFT.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Tessaron;

namespace FFTTest {

// A form with a user window as a handler method.
class TWindowForm : public QObject {
    Q_OBJECT
public:
    int Calls = 0;
    Q_INVOKABLE void TripleWindow(Tessaron::TVector* Data)
    {
        ++Calls;
        for (std::int32_t i = 0; i < Data->Count(); ++i)
            (*Data)[i] = (*Data)[i] * 3.0f;
    }
    Q_INVOKABLE void WrongWindow(int) {}
};

} // namespace FFTTest

namespace {

using FFTTest::TWindowForm;

std::vector<float> Values(const TVector* v)
{
    return std::vector<float>(v->Data(), v->Data() + v->Count());
}

void Set(TVector* v, const std::vector<float>& values)
{
    std::copy(values.begin(), values.end(), v->Data());
}

std::vector<float> WindowOver(TFFT& fft, std::int32_t n)
{
    TVector ones(n);
    Set(&ones, std::vector<float>(std::size_t(n), 1.0f));
    fft.ApplyWindow(&ones);
    return Values(&ones);
}

// The double-precision DFT of re + i im.
std::vector<std::complex<double>> Dft(const std::vector<float>& re, const std::vector<float>& im = {})
{
    std::vector<std::complex<double>> x(re.size());
    for (std::size_t i = 0; i < re.size(); ++i)
        x[i] = {re[i], im.empty() ? 0.0f : im[i]};
    return FFTReference::Dft(x, false);
}

std::vector<float> Random(std::size_t n, unsigned seed)
{
    return TestSupport::Uniform(int(n), seed);
}

// Exponents 1 .. 26 are accepted, everything else ignored. A dialog's
// description creates its FFT component by class name and sets the published
// properties by name; writing gives them back.
TEST(FFT, ExponentRangeAndDescriptionRoundTrip)
{
    TFFT plain;
    const int cases[][2] = {{9, 9}, {1, 1}, {0, 1}, {-3, 1}, {27, 1}, {31, 1}, {15, 15}, {16, 16}, {200, 16}};
    for (const auto& [value, exponent] : cases) { // value set, exponent after
        plain.SetExponent(value);
        EXPECT_EQ(plain.Exponent(), exponent) << value;
        EXPECT_EQ(plain.Size(), 1 << exponent) << value;
    }

    const QByteArray text = "object FFT1: TFFT\n"
                            "  Exponent = 9\n"
                            "  LeakFunction = wnHanning\n"
                            "end\n";
    std::unique_ptr<TComponent> read(ReadComponent(text, "FFT1"));
    auto* fft = qobject_cast<TFFT*>(read.get());
    ASSERT_NE(fft, nullptr);
    EXPECT_FALSE(fft->IsLoading());
    EXPECT_EQ(fft->Size(), 512);
    EXPECT_EQ(fft->LeakFunction(), wnHanning);
    const QByteArray written = WriteComponentText(fft);
    EXPECT_TRUE(written.contains("Exponent = 9")) << written.constData();
    EXPECT_TRUE(written.contains("LeakFunction = wnHanning")) << written.constData();
    EXPECT_FALSE(written.contains("Size")) << "read-only, not stored";
}

TEST(FFT, TransformMatchesDoubleDft)
{
    TFFT fft;
    for (int exponent : {1, 2, 3, 5, 11, 8, 10}) { // tables rebuilt up and down
        fft.SetExponent(exponent);
        const std::size_t n = std::size_t(fft.Size());
        const std::vector<float> re = Random(n, unsigned(exponent)), im = Random(n, 99u + exponent);
        for (bool inverse : {false, true}) {
            TComplexVector v(fft.Size());
            Set(v.Re(), re);
            Set(v.Im(), im);
            fft.Transform(&v, inverse);
            std::vector<std::complex<double>> x(n);
            for (std::size_t i = 0; i < n; ++i)
                x[i] = {re[i], im[i]};
            const auto y = FFTReference::Dft(x, inverse);
            // Error of a radix-2 transform: about log2 N roundings of the
            // values' size. Inputs of size 1 give outputs of size sqrt(N)
            // (inverse) or 1/sqrt(N) (forward).
            const double size = inverse ? std::sqrt(double(n)) : 1.0 / std::sqrt(double(n));
            const double bound = 4.0 * (exponent + 1) * std::ldexp(1.0, -24) * size;
            double worst = 0;
            for (std::size_t k = 0; k < n; ++k)
                worst = std::max(worst, std::abs(std::complex<double>((*v.Re())[k], (*v.Im())[k]) - y[k]));
            EXPECT_LT(worst, bound) << "N = " << n << (inverse ? " inverse" : " forward");
        }
    }
}

// A vector of the wrong size (or none) is left as it is by every operation.
TEST(FFT, SizeMismatchLeavesDataUnchanged)
{
    TFFT fft;
    fft.SetExponent(4);
    TComplexVector right(16), a(8), b(8), c(8);
    TVector real(31), window(5);
    const std::vector<float> data = Random(8, 1);
    for (TComplexVector* v : {&a, &b, &c}) {
        Set(v->Re(), data);
        Set(v->Im(), data);
    }
    Set(&real, Random(31, 2));
    const std::vector<float> realBefore = Values(&real);

    fft.Transform(&a, false);
    fft.Transform(&a, true);
    fft.Transform(nullptr, false);
    fft.AutoCorrelation(&a);
    fft.PowerSpectrum(&a);
    fft.CrossCorrelation(&a, &b, &c);
    fft.CrossCorrelation(&right, &b, &c);   // A and B too short
    fft.CrossPowerSpectrum(&a, &right, &right); // Result too short
    fft.CrossPowerSpectrum(nullptr, &b, &c);
    fft.RealTransform(&real, &right, true);  // 31 samples, not 32
    fft.RealTransform(nullptr, &right, true);
    for (TComplexVector* v : {&a, &b, &c}) {
        EXPECT_EQ(Values(v->Re()), data);
        EXPECT_EQ(Values(v->Im()), data);
    }
    EXPECT_EQ(Values(&real), realBefore);
    EXPECT_EQ(Values(right.Re()), std::vector<float>(16, 0.0f));
}

// The composite operations against their definitions in double precision on
// random data: the circular correlation r[l] = 1/N sum a[m + l] b[m] (the
// autocorrelation with b = a), the power spectrum |X|^2 and the cross power
// spectrum X conj(Y) of the normalised spectra. A and B are left holding
// their spectra, B conjugated.
TEST(FFT, CompositeOperationsFollowTheirDefinitions)
{
    TFFT fft;
    fft.SetExponent(8);
    const std::size_t n = 256;
    const std::vector<float> x = Random(n, 21), y = Random(n, 22);
    const auto fx = Dft(x), fy = Dft(y);
    const auto correlation = [&](const std::vector<float>& A, const std::vector<float>& B, std::size_t L) {
        double r = 0;
        for (std::size_t m = 0; m < n; ++m)
            r += double(A[(m + L) % n]) * B[m];
        return std::complex<double>(r / double(n), 0.0);
    };
    struct TCase {
        const char* Name;
        std::function<void(TComplexVector*, TComplexVector*, TComplexVector*)> Run; // Result = A = x, B = y
        std::function<std::complex<double>(std::size_t)> Expected;
        double Tolerance, ImaginaryTolerance; // -1: the imaginary part is not defined
    };
    const TCase cases[] = {
        {"AutoCorrelation", [&](auto* r, auto*, auto*) { fft.AutoCorrelation(r); },
            [&](std::size_t k) { return correlation(x, x, k); }, 1e-6, -1},
        {"PowerSpectrum", [&](auto* r, auto*, auto*) { fft.PowerSpectrum(r); },
            [&](std::size_t k) { return std::complex<double>(std::norm(fx[k]), 0.0); }, 1e-7, 0},
        {"CrossCorrelation", [&](auto* r, auto* a, auto* b) { fft.CrossCorrelation(r, a, b); },
            [&](std::size_t k) { return correlation(x, y, k); }, 1e-6, -1},
        {"CrossPowerSpectrum", [&](auto* r, auto* a, auto* b) { fft.CrossPowerSpectrum(r, a, b); },
            [&](std::size_t k) { return fx[k] * std::conj(fy[k]); }, 1e-7, 1e-7},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TComplexVector result(256), a(256), b(256);
        Set(result.Re(), x);
        Set(a.Re(), x);
        Set(b.Re(), y);
        c.Run(&result, &a, &b);
        for (std::size_t k = 0; k < n; ++k) {
            const std::complex<double> expected = c.Expected(k);
            ASSERT_NEAR((*result.Re())[k], expected.real(), c.Tolerance) << k;
            if (c.ImaginaryTolerance >= 0)
                ASSERT_LE(std::abs((*result.Im())[k] - expected.imag()), c.ImaginaryTolerance) << k;
            if (std::string(c.Name) == "CrossPowerSpectrum") {
                ASSERT_NEAR((*a.Im())[k], fx[k].imag(), 1e-7) << k;
                ASSERT_NEAR((*b.Im())[k], -fy[k].imag(), 1e-7) << k;
            }
        }
    }
}

TEST(FFT, WindowShapes)
{
    TFFT hanning;
    hanning.SetLeakFunction(wnHanning);
    for (const std::vector<double>& values : {std::vector<double>{0, 0.5, 1, 0.5, 0}, {0, 0.75, 0.75, 0}}) {
        const std::vector<float> w = WindowOver(hanning, std::int32_t(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_NEAR(w[i], values[i], 1e-7) << values.size() << " " << i;
    }
    EXPECT_EQ(WindowOver(hanning, 5)[0], 0.0f);
    EXPECT_EQ(WindowOver(hanning, 5)[2], 1.0f);

    struct TCase {
        TLeakType Kind;
        double End, Middle;
    };
    for (TCase c : {TCase{wnRectangle, 1.0, 1.0}, {wnHanning, 0.0, 1.0}, {wnHamming, 0.08, 1.0},
                    {wnBlackman, 0.0, 1.0}}) {
        TFFT fft;
        fft.SetLeakFunction(c.Kind);
        for (std::int32_t n : {3, 1025, 9, 64, 5}) { // the table follows the length, back and forth
            const std::vector<float> w = WindowOver(fft, n);
            SCOPED_TRACE(std::to_string(int(c.Kind)) + " over " + std::to_string(n));
            EXPECT_NEAR(w.front(), c.End, 1e-6);
            EXPECT_NEAR(w.back(), c.End, 1e-6);
            if (n % 2 == 1)
                EXPECT_NEAR(w[std::size_t(n / 2)], c.Middle, 1e-6);
            for (std::size_t i = 0; i < w.size(); ++i) {
                ASSERT_NEAR(w[i], w[w.size() - 1 - i], 1e-6) << "symmetry at " << i;
                ASSERT_LE(w[i], 1.0f);
                ASSERT_GE(w[i], -1e-6f);
            }
        }
        // A window over one sample keeps it; an empty vector or none is fine.
        TVector one(1), none(0);
        one[0] = 0.75f;
        fft.ApplyWindow(&one);
        EXPECT_EQ(one[0], 0.75f) << int(c.Kind);
        fft.ApplyWindow(&none);
        fft.ApplyWindow(nullptr);
    }
}

TEST(FFT, OwnWindowFallbackBindingByNameAndLaterAssignment)
{
    TFFT fft;
    fft.SetLeakFunction(wnOwn);
    EXPECT_EQ(fft.LeakFunction(), wnRectangle) << "no user window: rectangular";
    EXPECT_EQ(WindowOver(fft, 4), std::vector<float>(4, 1.0f));

    // A description names the user window by its handler method.
    TWindowForm form;
    const int& calls = form.Calls;
    EXPECT_FALSE(BindEvent(&fft, "OwnerLeakFunction", &form, "WrongWindow"));
    ASSERT_TRUE(BindEvent(&fft, "OwnerLeakFunction", &form, "TripleWindow"));
    EXPECT_EQ(fft.LeakFunction(), wnRectangle) << "assigning the user window changes nothing";
    EXPECT_EQ(WindowOver(fft, 4), std::vector<float>(4, 1.0f));
    EXPECT_EQ(calls, 0);

    fft.SetLeakFunction(wnOwn);
    EXPECT_EQ(fft.LeakFunction(), wnOwn);
    EXPECT_EQ(WindowOver(fft, 4), std::vector<float>(4, 3.0f));
    EXPECT_EQ(calls, 1);

    // The real transform windows its source through the user window too.
    TVector source(2048);
    TComplexVector dest(1024);
    Set(&source, std::vector<float>(2048, 0.5f));
    fft.RealTransform(&source, &dest, false);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(source[0], 1.5f);
    EXPECT_FLOAT_EQ((*dest.Re())[0], 1.5f);

    fft.SetLeakFunction(wnHamming);
    EXPECT_NEAR(WindowOver(fft, 3)[0], 0.08, 1e-6);
    EXPECT_EQ(calls, 2);
}

// Against the DFT of the 2N real samples: element 0 the mean, elements
// 1 .. N-1 twice the magnitude of the normalised spectrum (the amplitude of
// each frequency), the phase arctan(im/re) of it without quadrant.
TEST(FFT, RealTransformMatchesDoubleDft)
{
    TFFT fft;
    for (int exponent : {1, 2, 6, 9}) {
        fft.SetExponent(exponent);
        const std::size_t n = std::size_t(fft.Size());
        const std::vector<float> x = Random(2 * n, unsigned(50 + exponent));
        const auto y = Dft(x);
        for (bool withPhase : {false, true}) {
            TVector source(std::int32_t(2 * n));
            TComplexVector dest(fft.Size());
            Set(&source, x);
            fft.RealTransform(&source, &dest, withPhase);
            EXPECT_NEAR((*dest.Re())[0], y[0].real(), 1e-6);
            for (std::size_t k = 1; k < n; ++k) {
                const std::complex<double> s = 2.0 * y[k];
                EXPECT_NEAR((*dest.Re())[k], std::abs(s), 2e-6) << n << " " << k;
                const double im = withPhase ? std::atan(s.imag() / s.real()) : s.imag();
                EXPECT_NEAR((*dest.Im())[k], im, withPhase ? 1e-4 : 2e-6) << n << " " << k;
            }
        }
    }
}

TEST(FFT, FreeVectorOnlyFreesOwnVectorsAndOwnedOnesDieWithTheComponent)
{
    TFFT fft, other;
    TVector* own = fft.CreateVector(16);
    TVector* foreign = other.CreateVector(16);
    TVector local(16);
    (*foreign)[3] = 7.0f;
    local[3] = 8.0f;
    fft.FreeVector(foreign);
    fft.FreeVector(&local);
    fft.FreeVector(nullptr);
    EXPECT_EQ((*foreign)[3], 7.0f); // still alive (ASan would report otherwise)
    EXPECT_EQ(local[3], 8.0f);
    fft.FreeVector(own);
    fft.FreeVector(own); // a second release is a foreign vector by now
    TComplexVector* c = fft.CreateComplexVector(1024);
    EXPECT_EQ(c->Size(), 1024);
    fft.Transform(c, false);

    // Owned vectors die with the component (LeakSanitizer reports any left behind).
    TComponent owner;
    auto* owned = new TFFT(&owner);
    owned->CreateVector(10);
    owned->CreateComplexVector(10);
    delete owned;
    EXPECT_EQ(owner.ComponentCount(), 0);
}

// In a form designer no tables are built; transforms do nothing there, and
// work as soon as the component leaves design mode.
TEST(FFT, DesignModeBuildsNoTables)
{
    TComponent form;
    form.SetDesigning(true);
    auto* fft = new TFFT(&form);
    fft->SetExponent(10);
    fft->SetLeakFunction(wnHanning);
    TComplexVector v(1024);
    const std::vector<float> ones(1024, 1.0f);
    Set(v.Re(), ones);
    fft->Transform(&v, false);
    EXPECT_EQ(Values(v.Re()), ones);
    EXPECT_EQ(WindowOver(*fft, 8), std::vector<float>(8, 1.0f));

    // Out of it, a constant gives its mean in bin 0 and exactly nothing elsewhere.
    form.SetDesigning(false);
    fft->Transform(&v, false);
    std::vector<float> mean(1024, 0.0f);
    mean[0] = 1.0f;
    EXPECT_EQ(Values(v.Re()), mean);
    EXPECT_EQ((*v.Im())[0], 0.0f);
    for (std::int32_t k = 0; k < 1024; ++k)
        ASSERT_LT(std::abs((*v.Im())[k]), 1e-7) << k;
    const std::vector<float> w = WindowOver(*fft, 3);
    EXPECT_EQ(w[0], 0.0f);
    EXPECT_EQ(w[1], 1.0f);
    EXPECT_NEAR(w[2], 0.0, 1e-7);
}

} // namespace

#include "test_fft.moc"
