#include <filters/IIRFilt.h>
#include <filters/IIRKernel.h>

#include <platform/Streaming.h>

#include "FilterTestSupport.h"
#include "ReferenceFilters.h"

#include <limits>

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

Reference::IIR::Kind RefKind(TIirFilterOutput out)
{
    return out == iirBandPass ? Reference::IIR::BandPass
        : out == iirHighPass  ? Reference::IIR::HighPass
                              : Reference::IIR::LowPass;
}

} // namespace

TEST(IIRFilter, LowAndHighPassHaveGainHalfRootTwoAtCutoffForEveryOrder)
{
    for (TIirFilterOutput out : {iirLowPass, iirHighPass}) {
        for (int order = 2; order <= 10; order += 2) {
            SCOPED_TRACE(testing::Message() << (out == iirLowPass ? "low" : "high") << "-pass order " << order);
            TIIRFilter f;
            Configure(f, 1000, 100, 0.75f, order, out);
            EXPECT_NEAR(GainOf(f, 100), 0.70711, 1e-3);
            // Off the cutoff the magnitude follows the Butterworth curve, so
            // every section has its own pole pair.
            for (double freq : {40.0, 70.0, 140.0, 250.0})
                EXPECT_NEAR(GainOf(f, freq), Butterworth(out, order, 1000, 100, 0, freq), 1e-3) << freq << " Hz";
        }
    }
}

TEST(IIRFilter, BandPassOneHundredToTwoHundredHertz)
{
    // Half root two at both edges, 1 at the centre (close to the geometric
    // mean 141 Hz), nothing at DC and at fs/2, for every order.
    for (int order = 2; order <= 10; order += 2) {
        SCOPED_TRACE(testing::Message() << "order " << order);
        TIIRFilter f;
        Configure(f, 1000, 100, 200, order, iirBandPass);
        EXPECT_NEAR(GainOf(f, 100), 0.70711, 1e-3);
        EXPECT_NEAR(GainOf(f, 200), 0.70711, 1e-3);
        EXPECT_NEAR(GainOf(f, 141.42), 1.0, 1e-3);
        for (double freq : {60.0, 130.0, 170.0, 300.0})
            EXPECT_NEAR(GainOf(f, freq), Butterworth(iirBandPass, order, 1000, 100, 200, freq), 1e-3) << freq;
        f.Reset();
        EXPECT_LT(EdgeGain([&](float* d, int n) { f.Filter(d, n); }, false), 1e-4) << "DC";
        f.Reset();
        EXPECT_LT(EdgeGain([&](float* d, int n) { f.Filter(d, n); }, true), 1e-4) << "fs/2";
    }
}

TEST(IIRFilter, SecondOrderLowPassIsTheClassicSection)
{
    // c1 = W^2/(W^2 + sqrt(2) W + 1) is the impulse response's first value;
    // the DC gain is 1 and the high-pass removes DC.
    TIIRFilter f;
    Configure(f, 1000, 50, 0.75f, 2, iirLowPass);
    Block impulse(1, 1.0f);
    f.Filter(impulse.data(), 1);
    const double W = std::tan(std::numbers::pi * 0.05);
    EXPECT_NEAR(impulse[0], W * W / (W * W + std::sqrt(2.0) * W + 1), 1e-7);

    f.Reset();
    Block step = Constant(5000, 1.0f);
    f.Filter(step.data(), int(step.size()));
    EXPECT_NEAR(step.back(), 1.0f, 1e-5);

    f.SetFilterOutput(iirHighPass);
    f.Reset();
    step = Constant(5000, 1.0f);
    f.Filter(step.data(), int(step.size()));
    EXPECT_EQ(step[0], float(1 / (W * W + std::sqrt(2.0) * W + 1))) << "c1 = d";
    EXPECT_NEAR(step.back(), 0.0f, 1e-6);
}

TEST(IIRFilter, OrderRules)
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
        Block a = Noise(500, 4), b = a;
        f.Filter(a.data(), int(a.size()));
        expected.Filter(b.data(), int(b.size()));
        EXPECT_TRUE(BitEqual(a, b));
    }
}

TEST(IIRFilter, InvalidFrequenciesAreIgnored)
{
    const float invalid[] = {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity()};
    void (TIIRFilter::*setters[])(float) = {&TIIRFilter::SetSampleFrequency, &TIIRFilter::SetCutoffFrequency,
        &TIIRFilter::SetCutoffHighFrequency};
    for (auto setter : setters) {
        for (float v : invalid) {
            SCOPED_TRACE(testing::Message() << "value " << v);
            TIIRFilter f, fresh;
            Configure(f, 1000, 100, 200, 4, iirBandPass);
            Configure(fresh, 1000, 100, 200, 4, iirBandPass);
            (f.*setter)(v);
            EXPECT_EQ(f.SampleFrequency(), 1000.0f);
            EXPECT_EQ(f.CutoffFrequency(), 100.0f);
            EXPECT_EQ(f.CutoffHighFrequency(), 200.0f);
            Block a = Noise(300, 8), b = a;
            f.Filter(a.data(), int(a.size()));
            fresh.Filter(b.data(), int(b.size()));
            EXPECT_TRUE(BitEqual(a, b));
        }
    }
}

TEST(IIRFilter, FilterOutputAssignmentRecomputesTheCoefficients)
{
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
    Block a = Noise(500, 6), b = a;
    f.Filter(a.data(), int(a.size()));
    fresh.Filter(b.data(), int(b.size()));
    EXPECT_TRUE(BitEqual(a, b)) << "back to the low-pass coefficients";

    f.setProperty("FilterOutput", 7); // not an enumeration value
    EXPECT_EQ(f.FilterOutput(), iirLowPass);
}

TEST(IIRFilter, MatchesThePlainAlgorithmThroughBlocksAndSettingChanges)
{
    // Blocks shorter and longer than the pipeline's fill, with settings and
    // responses switched between them and no Reset: the delay table carries
    // over exactly as in the plain algorithm.
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
                ref.kind = RefKind(now);
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

TEST(IIRFilter, OrderChangeKeepsTheDelayTable)
{
    TIIRFilter f;
    Reference::IIR ref;
    Configure(f, 1000, 120, 0.75f, 10, iirLowPass);
    ref.n = 5;
    ref.Design(1000, 120, 0.75f);
    Block a = Noise(700, 12), b = a;
    f.Filter(a.data(), 400);
    ref.Filter(b.data(), 400);
    f.SetOrder(4);
    ref.n = 2;
    ref.Design(1000, 120, 0.75f);
    f.Filter(a.data() + 400, 150);
    ref.Filter(b.data() + 400, 150);
    f.SetOrder(8);
    ref.n = 4;
    ref.Design(1000, 120, 0.75f);
    f.Filter(a.data() + 550, 150);
    ref.Filter(b.data() + 550, 150);
    EXPECT_TRUE(BitEqual(a, b));
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
                    ref.kind = shape == TShape::BandPass ? Reference::IIR::BandPass
                        : shape == TShape::HighPass      ? Reference::IIR::HighPass
                                                         : Reference::IIR::LowPass;
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
                    Block table(30), expectedTable(30);
                    for (int r = 0; r < 6; ++r)
                        for (int j = 0; j < 5; ++j) {
                            table[size_t(5 * r + j)] = delay[r][j];
                            expectedTable[size_t(5 * r + j)] = ref.w[r + 1][j + 1];
                        }
                    ASSERT_TRUE(BitEqual(table, expectedTable)) << "delay table";
                }
            }
        }
    }
}

TEST(IIRFilter, FloatsHoldFrequenciesThenOrderAndOutput)
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

    // Read into a filter whose published Order was stored first: the list's
    // Order is taken as it is, the section count stays.
    TIIRFilter g;
    g.SetOrder(6);
    QString error;
    ASSERT_TRUE(g.ReadListProperty(list, &error)) << error.toStdString();
    EXPECT_EQ(g.WriteListProperty(), list);
    Block a = Noise(800, 3), b = a;
    f.Filter(a.data(), 800);
    g.Filter(b.data(), 800);
    EXPECT_TRUE(BitEqual(a, b));

    TIIRFilter h; // Order 2, one section
    QVariantList odd = list;
    odd[3] = qlonglong(7);
    odd[1] = -5.0; // no acceptance rule when reading
    ASSERT_TRUE(h.ReadListProperty(odd, &error));
    EXPECT_EQ(h.Order(), 7);
    EXPECT_EQ(h.SectionCount(), 1);
    EXPECT_EQ(h.CutoffFrequency(), -5.0f);
}

TEST(IIRFilter, StoredDescriptionOfTheDemonstrationFilter)
{
    // Order is stored ahead of "Floats", so the section count follows it.
    const QByteArray text = "object IIRFilter1: TIIRFilter\n"
                            "  SampleFrequency = 1.0\n"
                            "  CutoffFrequency = 0.5\n"
                            "  CutoffHighFrequency = 0.75\n"
                            "  Floats = (1.0 0.5 0.75 4 0)\n"
                            "  Order = 4\n"
                            "  FilterOutput = iirLowPass\n"
                            "end\n";
    std::unique_ptr<TComponent> read(ReadComponent(text, QStringLiteral("UIIR")));
    auto* f = qobject_cast<TIIRFilter*>(read.get());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Order(), 4);
    EXPECT_EQ(f->SectionCount(), 2);
    f->SetSampleFrequency(1000);
    f->SetCutoffFrequency(10);
    EXPECT_NEAR(GainOf(*f, 10), 0.70711, 1e-3);
}
