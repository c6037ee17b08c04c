// What every filter component shares: state across calls, Reset, the
// "Floats" list property, Version and Copyright, properties set by name.
#include <filters/IIRFilt.h>
#include <filters/Rchigh.h>
#include <filters/Rclow.h>
#include <filters/SVFilt.h>

#include <platform/Streaming.h>

#include "FilterTestSupport.h"

#include <limits>
#include <memory>

using namespace Tessaron;
using namespace FilterTest;

namespace {

// Each filter set up away from its constructor values, through its
// properties by name as a stored description does (those it lacks skipped).
void ApplySettings(QObject& f)
{
    const bool iir = qobject_cast<TIIRFilter*>(&f) != nullptr;
    const std::pair<const char*, QVariant> settings[] = {{"SampleFrequency", 1000.0}, {"CutoffFrequency", 80.0},
        {"CutoffHighFrequency", 160.0}, {"Order", 8}, {"Q", 3.0}, {"FilterOutput", iir ? "iirBandPass" : "foNotch"}};
    for (const auto& [name, value] : settings)
        if (f.metaObject()->indexOfProperty(name) >= 0)
            f.setProperty(name, value);
}

template <class T>
class FilterCommon : public ::testing::Test {
protected:
    std::unique_ptr<T> Make()
    {
        auto f = std::make_unique<T>();
        ApplySettings(*f);
        return f;
    }
    static Block Run(TFilterComponent& f, Block x)
    {
        f.Filter(x.data(), int(x.size()));
        return x;
    }
};

using Filters = ::testing::Types<TRCLowpass, TRCHighpass, TIIRFilter, TStateVariableFilter>;
TYPED_TEST_SUITE(FilterCommon, Filters);

} // namespace

// Zero, negative and non-finite frequencies are ignored: the filter keeps its
// values and its coefficients, and filters as before; so are empty blocks.
TYPED_TEST(FilterCommon, InvalidFrequenciesAndEmptyBlocksAreIgnored)
{
    const float invalid[] = {0.0f, -1.0f, -0.0f, std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity()};
    for (const char* property : {"SampleFrequency", "CutoffFrequency", "CutoffHighFrequency"}) {
        if (TypeParam::staticMetaObject.indexOfProperty(property) < 0)
            continue;
        for (float v : invalid) {
            SCOPED_TRACE(testing::Message() << property << " := " << v);
            auto f = this->Make(), fresh = this->Make();
            const QVariant before = f->property(property);
            f->setProperty(property, v);
            EXPECT_EQ(f->property(property), before);
            // An empty or missing block changes nothing either.
            const Block x = Noise(300, 8);
            Block untouched = x;
            f->Filter(untouched.data(), 0);
            f->Filter(untouched.data(), -4);
            f->Filter(nullptr, 10);
            EXPECT_TRUE(BitEqual(untouched, x));
            EXPECT_TRUE(BitEqual(this->Run(*f, x), this->Run(*fresh, x)));
        }
    }
}

TYPED_TEST(FilterCommon, OneCallEqualsTwoCallsOnTheSplitBlock)
{
    const Block x = Noise(3001, 2);
    auto whole = this->Make();
    const Block once = this->Run(*whole, x);
    for (int cut : {1, 17, 1500, 3000}) {
        auto split = this->Make();
        Block twice = x;
        split->Filter(twice.data(), cut);
        split->Filter(twice.data() + cut, int(x.size()) - cut);
        EXPECT_TRUE(BitEqual(twice, once)) << "cut at " << cut;

        auto reset = this->Make();
        Block restarted = x;
        reset->Filter(restarted.data(), cut);
        reset->Reset();
        reset->Filter(restarted.data() + cut, int(x.size()) - cut);
        EXPECT_FALSE(BitEqual(restarted, once)) << "Reset at " << cut;
        // After Reset the second part is filtered as from rest.
        auto fresh = this->Make();
        const Block tail = this->Run(*fresh, Block(x.begin() + cut, x.end()));
        EXPECT_TRUE(BitEqual(Block(restarted.begin() + cut, restarted.end()), tail));
    }
}

// The properties set by name reached the setters (the filter differs from
// one with the constructor values); "Floats" gives them back.
TYPED_TEST(FilterCommon, FloatsWrittenAndReadBack)
{
    auto f = this->Make();
    const QVariantList list = f->WriteListProperty();
    EXPECT_EQ(f->ListPropertyName(), QStringLiteral("Floats"));
    ASSERT_GE(list.size(), 2);
    EXPECT_EQ(list[0], QVariant(1000.0));
    TypeParam plain;
    EXPECT_FALSE(BitEqual(this->Run(plain, Noise(500, 1)), this->Run(*this->Make(), Noise(500, 1))));

    TypeParam g;
    if constexpr (std::is_same_v<TypeParam, TIIRFilter>)
        g.SetOrder(8); // the published Order, which the description stores ahead of "Floats"
    QString error;
    ASSERT_TRUE(g.ReadListProperty(list, &error)) << error.toStdString();
    EXPECT_EQ(g.WriteListProperty(), list);
    const Block x = Noise(600, 4);
    EXPECT_TRUE(BitEqual(this->Run(g, x), this->Run(*f, x)));
}

TYPED_TEST(FilterCommon, FloatsReadAssignsWithoutTheSettersRulesButRefusesMalformedListsWhole)
{
    // A zero sample frequency or an out-of-range value is taken as it is;
    // values beyond the float range become infinite.
    TypeParam f;
    QVariantList list = f.WriteListProperty();
    list[0] = 0.0;
    list[1] = 1e300;
    QString error;
    ASSERT_TRUE(f.ReadListProperty(list, &error)) << error.toStdString();
    EXPECT_EQ(f.SampleFrequency(), 0.0f);
    EXPECT_EQ(f.CutoffFrequency(), std::numeric_limits<float>::infinity());

    // A malformed list is refused whole.
    const QVariantList good = f.WriteListProperty();
    std::vector<QVariantList> bad;
    bad.push_back(good.mid(0, good.size() - 1));
    bad.push_back(good + QVariantList{1.0});
    QVariantList text = good;
    text[1] = QStringLiteral("fast");
    bad.push_back(text);
    if (good.size() > 3) { // an enumeration out of range
        QVariantList wrongOutput = good;
        wrongOutput.back() = qlonglong(9);
        bad.push_back(wrongOutput);
        QVariantList fraction = good;
        fraction.back() = 1.5;
        bad.push_back(fraction);
    }
    for (const QVariantList& list : bad) {
        QString error;
        EXPECT_FALSE(f.ReadListProperty(list, &error));
        EXPECT_TRUE(error.contains("Floats")) << error.toStdString();
        EXPECT_EQ(f.WriteListProperty(), good);
    }
}

TYPED_TEST(FilterCommon, DescriptionWrittenAndReadBackWithVersionAndCopyrightReadOnly)
{
    // The published properties first, then "Floats"; the filter read back
    // filters like the one written.
    auto f = this->Make();
    f->SetName(QStringLiteral("Filter1"));
    const QByteArray text = WriteComponentText(f.get());
    EXPECT_TRUE(text.contains("Floats = (")) << text.toStdString();
    std::unique_ptr<TComponent> read(ReadComponent(text, QStringLiteral("written")));
    auto* g = qobject_cast<TypeParam*>(read.get());
    ASSERT_NE(g, nullptr) << text.toStdString();
    EXPECT_EQ(g->WriteListProperty(), f->WriteListProperty());
    const Block x = Noise(700, 5);
    EXPECT_TRUE(BitEqual(this->Run(*g, x), this->Run(*f, x)));
    // Version and Copyright are read-only.
    EXPECT_FALSE(f->Copyright().isEmpty());
    g->setProperty("Version", "V9.99");
    g->setProperty("Copyright", "someone else");
    EXPECT_EQ(g->Version(), QStringLiteral("V1.01"));
    EXPECT_EQ(g->Copyright(), f->Copyright());
}
