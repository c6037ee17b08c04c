#include <filters/IIRFilt.h>
#include <filters/IIRKernel.h>

#include <platform/Streaming.h>

#include "FilterTestSupport.h"
#include "ReferenceFilters.h"


using namespace Tessaron;
using namespace FilterTest;

namespace {

void Configure(TIIRFilter& f, float fs, float fc, float fh, int order, TIirFilterOutput out)
{
    f.SetSampleFrequency(fs);
    f.SetCutoffFrequency(fc);
    f.SetCutoffHighFrequency(fh);
    f.SetOrder(order);
    f.SetFilterOutput(out);
}

double GainOf(TIIRFilter& f, double freq)
{
    f.Reset();
    return Gain([&](float* d, int n) { f.Filter(d, n); }, freq, f.SampleFrequency());
}

// Butterworth magnitudes after the bilinear transform, W = tan(pi f/fs).
double Butterworth(TIirFilterOutput out, int order, double fs, double fc, double fh, double f)
{
    const auto W = [&](double x) { return std::tan(std::numbers::pi * x / fs); };
    double ratio;
    if (out == iirLowPass)
        ratio = W(f) / W(fc);
    else if (out == iirHighPass)
        ratio = W(fc) / W(f);
    else
        ratio = (W(f) * W(f) - W(fc) * W(fh)) / (W(f) * (W(fh) - W(fc)));
    return 1 / std::sqrt(1 + std::pow(ratio * ratio, order));
}

// Both filters make the same bits of the same input.
::testing::AssertionResult SameOutput(TIIRFilter& f, TIIRFilter& g, const Block& input)
{
    Block a = input, b = input;
    f.Filter(a.data(), int(a.size()));
    g.Filter(b.data(), int(b.size()));
    return BitEqual(a, b);
}

Reference::IIR::Kind RefKind(bool BandPass, bool HighPass)
{
    return BandPass ? Reference::IIR::BandPass : HighPass ? Reference::IIR::HighPass : Reference::IIR::LowPass;
}

} // namespace

// Half root two at the cutoff for low- and high-pass of every even order; the
// band-pass 100 ... 200 Hz has it at both edges, 1 at the centre (close to the
// geometric mean 141 Hz) and nothing at DC and fs/2. Off those points the
// magnitude follows the Butterworth curve, so every section has its own pole pair.
TEST(IIRFilter, ButterworthResponsesForEveryOrder)
{
    for (TIirFilterOutput out : {iirLowPass, iirHighPass, iirBandPass}) {
        const bool band = out == iirBandPass;
        for (int order = 2; order <= 10; order += 2) {
            SCOPED_TRACE(testing::Message() << "output " << int(out) << " order " << order);
            TIIRFilter f;
            Configure(f, 1000, 100, band ? 200 : 0.75f, order, out);
            EXPECT_NEAR(GainOf(f, 100), 0.70711, 1e-3);
            for (double freq : band ? std::vector<double>{60, 130, 170, 300} : std::vector<double>{40, 70, 140, 250})
                EXPECT_NEAR(GainOf(f, freq), Butterworth(out, order, 1000, 100, 200, freq), 1e-3) << freq << " Hz";
            if (!band)
                continue;
            EXPECT_NEAR(GainOf(f, 200), 0.70711, 1e-3);
            EXPECT_NEAR(GainOf(f, 141.42), 1.0, 1e-3);
            f.Reset();
            EXPECT_LT(EdgeGain([&](float* d, int n) { f.Filter(d, n); }, false), 1e-4) << "DC";
            f.Reset();
            EXPECT_LT(EdgeGain([&](float* d, int n) { f.Filter(d, n); }, true), 1e-4) << "fs/2";
        }
    }
}

TEST(IIRFilter, OrderRulesAndFilterOutputRecomputeTheCoefficients)
{
    struct Case {
        int from, value, order, sections;
    };
    const Case cases[] = {
        {4, 3, 2, 1}, {4, 1, 4, 2}, {4, 11, 4, 2}, {4, 0, 4, 2}, {4, -2, 4, 2},
        {2, 10, 10, 5}, {2, 9, 8, 4}, {2, 5, 4, 2}, {10, 2, 2, 1},
    };
    for (const Case c : cases) {
        SCOPED_TRACE(testing::Message() << "Order " << c.from << " := " << c.value);
        TIIRFilter f, expected;
        Configure(f, 1000, 60, 0.75f, c.from, iirLowPass);
        f.SetOrder(c.value);
        EXPECT_EQ(f.Order(), c.order);
        EXPECT_EQ(f.SectionCount(), c.sections);
        // The filter behaves as one set up with that order from the start.
        Configure(expected, 1000, 60, 0.75f, c.order, iirLowPass);
        EXPECT_TRUE(SameOutput(f, expected, Noise(500, 4)));
    }

    // A new FilterOutput recomputes the coefficients.
    TIIRFilter f, fresh;
    Configure(f, 1000, 100, 200, 6, iirLowPass);
    Configure(fresh, 1000, 100, 200, 6, iirLowPass);
    f.SetFilterOutput(iirHighPass);
    EXPECT_LT(EdgeGain([&](float* d, int n) { f.Filter(d, n); }, false), 1e-4) << "high-pass removes DC";
    f.SetFilterOutput(iirBandPass);
    f.Reset();
    EXPECT_NEAR(GainOf(f, 100), 0.70711, 1e-3);
    f.SetFilterOutput(iirLowPass);
    f.SetFilterOutput(iirLowPass);
    f.Reset();
    EXPECT_TRUE(SameOutput(f, fresh, Noise(500, 6))) << "back to the low-pass coefficients";

    f.setProperty("FilterOutput", 7); // not an enumeration value
    EXPECT_EQ(f.FilterOutput(), iirLowPass);
}

TEST(IIRFilter, MatchesThePlainAlgorithmThroughBlocksAndSettingChanges)
{
    // Blocks shorter and longer than the pipeline's fill, with settings,
    // responses and orders switched between them and no Reset: the delay
    // table carries over exactly as in the plain algorithm.
    const int sizes[] = {1, 2, 3, 5, 7, 13, 30, 64, 1000, 4097};
    for (int order = 2; order <= 10; ++order) {
        for (TIirFilterOutput out : {iirLowPass, iirBandPass, iirHighPass}) {
            SCOPED_TRACE(testing::Message() << "order " << order << " output " << int(out));
            TIIRFilter f;
            Reference::IIR ref;
            Configure(f, 1000, 90, 210, order, out);
            ref.n = order / 2;
            int k = 0;
            for (int size : sizes) {
                // Switch the response every few blocks and move the band.
                const TIirFilterOutput now = TIirFilterOutput((int(out) + k / 3) % 3);
                const float fc = 60.0f + 10.0f * float(k % 4);
                f.SetFilterOutput(now);
                f.SetCutoffFrequency(fc);
                if (k % 4 == 3) { // a new order keeps the delay table
                    const int newOrder = 2 + (order + 3 * k) % 9;
                    f.SetOrder(newOrder);
                    ref.n = newOrder / 2;
                }
                ref.kind = RefKind(now == iirBandPass, now == iirHighPass);
                ref.Design(1000, fc, 210);
                Block a = Noise(size, unsigned(100 * order + k)), b = a;
                f.Filter(a.data(), size);
                ref.Filter(b.data(), size);
                ASSERT_TRUE(BitEqual(a, b)) << "block " << k << " of " << size;
                ++k;
            }
        }
    }
}

// Each way of running the sections against the plain algorithm, from a
// delay table full of earlier values, comparing outputs and the table left.
TEST(IIRKernel, EveryWayMatchesThePlainAlgorithm)
{
    using IIRKernel::TShape;
    struct Way {
        const char* name;
        IIRKernel::TFilterFunction run;
    };
    std::vector<Way> ways = {{"serial", &IIRKernel::FilterSerial}, {"chosen", &IIRKernel::Filter}};
    if (IIRKernel::PipelinedAvailable())
        ways.push_back({"pipelined", &IIRKernel::FilterPipelined});
    const int counts[] = {1, 2, 3, 4, 5, 8, 9, 12, 13, 17, 100, 1001};
    for (const Way& way : ways) {
        for (TShape shape : {TShape::LowPass, TShape::HighPass, TShape::BandPass}) {
            for (int n = 1; n <= 5; ++n) {
                for (int count : counts) {
                    SCOPED_TRACE(testing::Message() << way.name << " shape " << int(shape) << " sections " << n
                                                    << " count " << count);
                    Reference::IIR ref;
                    ref.n = n;
                    ref.kind = RefKind(shape == TShape::BandPass, shape == TShape::HighPass);
                    ref.Design(1000, 80, 230);
                    IIRKernel::TCoefficients coeff = {};
                    IIRKernel::TDelayTable delay = {};
                    const Block history = Noise(30, unsigned(count + 7 * n));
                    for (int r = 0; r < 6; ++r)
                        for (int j = 0; j < 5; ++j) {
                            delay[r][j] = history[size_t(5 * r + j)];
                            ref.w[r + 1][j + 1] = delay[r][j];
                        }
                    for (int s = 0; s < n; ++s)
                        for (int j = 0; j < 5; ++j)
                            coeff[s][j] = ref.c[s + 1][j + 1];
                    Block a = Noise(count, unsigned(count)), b = a;
                    way.run(shape, n, coeff, delay, a.data(), count);
                    ref.Filter(b.data(), count);
                    ASSERT_TRUE(BitEqual(a, b));
                    for (int r = 0; r < 6; ++r)
                        ASSERT_TRUE(BitEqual(Block(delay[r], delay[r] + 5), Block(ref.w[r + 1] + 1, ref.w[r + 1] + 6)))
                            << "delay table row " << r;
                }
            }
        }
    }
}

TEST(IIRFilter, FloatsHoldFrequenciesThenOrderAndOutputAfterThePublishedOrder)
{
    TIIRFilter f;
    Configure(f, 2000, 150, 400, 6, iirBandPass);
    const QVariantList list = f.WriteListProperty();
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list[0].typeId(), QMetaType::Double);
    EXPECT_EQ(list[2].toDouble(), 400.0);
    EXPECT_EQ(list[3].typeId(), QMetaType::LongLong);
    EXPECT_EQ(list[3].toLongLong(), 6);
    EXPECT_EQ(list[4].toLongLong(), qlonglong(iirBandPass));

    // The list's Order is taken as it is, without the setter's rule; the
    // section count stays that of the published Order stored before it.
    QString error;
    TIIRFilter h; // Order 2, one section
    QVariantList odd = list;
    odd[3] = qlonglong(7);
    ASSERT_TRUE(h.ReadListProperty(odd, &error));
    EXPECT_EQ(h.Order(), 7);
    EXPECT_EQ(h.SectionCount(), 1);

    // The demonstration filter's description stores Order ahead of "Floats",
    // so the section count follows it.
    const QByteArray text = "object IIRFilter1: TIIRFilter\n"
                            "  SampleFrequency = 1.0\n"
                            "  CutoffFrequency = 0.5\n"
                            "  CutoffHighFrequency = 0.75\n"
                            "  Floats = (1.0 0.5 0.75 4 0)\n"
                            "  Order = 4\n"
                            "  FilterOutput = iirLowPass\n"
                            "end\n";
    std::unique_ptr<TComponent> read(ReadComponent(text, QStringLiteral("UIIR")));
    auto* d = qobject_cast<TIIRFilter*>(read.get());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Order(), 4);
    EXPECT_EQ(d->SectionCount(), 2);
    d->SetSampleFrequency(1000);
    d->SetCutoffFrequency(10);
    EXPECT_NEAR(GainOf(*d, 10), 0.70711, 1e-3);
}
