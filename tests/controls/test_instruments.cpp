// Rules the instrument controls share, one table across the controls: setters
// that clamp or ignore, gaps enlarged for the scale, stepped drags, and the
// stored "Range" list refused when malformed and taken when merely degenerate.
#include <controls/Bargraph.h>
#include <controls/Meter.h>
#include <controls/Slider.h>
#include <controls/dial.h>

#include <gtest/gtest.h>
#include "ControlTestKit.h"
#include "support/TestSupport.h"

#include <cmath>
#include <limits>
#include <vector>

using namespace Tessaron;
using namespace ControlTest;

namespace {

const double kNan = std::nan(""), kInf = std::numeric_limits<double>::infinity();

template <class T>
TControl* New()
{
    return new T;
}

} // namespace

// Each request on a fresh control: clamped into its range, or ignored when
// invalid. The meter's angles are -90 / 90, the dial's -150 / 150.
TEST(Instruments, SettersClampOrIgnore)
{
    const struct {
        TControl* (*Make)();
        const char* Property;
        std::vector<std::pair<double, double>> Requests; // requested, stored
    } cases[] = {{New<TMeter>, "MeterScale", {{300, 210}, {10, 50}}}, {New<TMeter>, "MeterShiftY", {{-100, -60}}},
        {New<TMeter>, "MeterShiftX", {{61, 60}}}, {New<TMeter>, "IndicatorScale", {{-5, 0}, {500, 200}}},
        {New<TMeter>, "MeterScaleWidth", {{101, 100}, {-1, 0}}}, {New<TMeter>, "BevelOuterWidth", {{-1, 1}}},
        {New<TMeter>, "RangeNumber", {{0, 1}, {17, 1}}}, {New<TMeter>, "RangeCurrent", {{17, 1}}},
        {New<TMeter>, "MeterAngle1", {{200, -90}, {90, -90}, {-361, -90}, {-360, -360}, {kNan, -90}}},
        {New<TMeter>, "MeterAngle2", {{400, 90}, {-90, 90}, {360, 360}}},
        {New<TMeter>, "ValueGap", {{0, 10}, {-1, 10}, {kNan, 10}, {kInf, 10}}}, {New<TMeter>, "ValueMin", {{kNan, 0}}},
        {New<TMeter>, "ValueMax", {{kInf, 100}}},
        {New<TDial>, "ScaleAngle1", {{200, -150}, {150, -150}, {149.5, 149.5}, {-360, -360}, {-360.5, -150}, {kNan, -150}}},
        {New<TDial>, "ScaleAngle2", {{400, 150}, {360, 360}, {-150, 150}, {-149, -149}, {kNan, 150}}},
        {New<TDial>, "ValueGap", {{0, 10}, {-1, 10}, {kNan, 10}, {kInf, 10}}},
        {New<TBarGraph>, "LabelingGap", {{0, 5}, {-2, 5}, {kNan, 5}}},
        {New<TSlider>, "LabelingGap", {{0, 5}, {-2, 5}, {kNan, 5}}}};
    for (const auto& c : cases)
        for (const auto& [request, stored] : c.Requests) {
            std::unique_ptr<TControl> control(c.Make());
            SCOPED_TRACE(std::string(control->metaObject()->className()) + "." + c.Property + " := " + std::to_string(request));
            const bool integer = control->property(c.Property).typeId() == QMetaType::Int;
            control->setProperty(c.Property, integer ? QVariant(int(request)) : QVariant(request));
            EXPECT_EQ(control->property(c.Property).toDouble(), stored);
        }
}

// A gap too small for the scale's spacing is enlarged once the scale is
// drawn and stays enlarged when the control grows or the scale goes; without
// a scale nothing is enlarged.
TEST(Instruments, TooSmallAGapIsEnlargedForTheScaleAndStays)
{
    const struct {
        const char *Gap, *Scale;
        TControl* (*Add)(THost&);
        QVariant On, Off;
        double Tiny, Enlarged;
    } cases[] = {
        // Lines 2 pixels apart over 201 pixels, OffsetUpper 8 to 217 - OffsetLower 8.
        {"LabelingGap", "LabelingStyle", [](THost& W) -> TControl* { return W.Add<TBarGraph>(81, 217); },
            QVariant::fromValue(lbsLines), QVariant::fromValue(lbsNone), 0.1, 100.0 * 2 / 201},
        // Lines 2 pixels apart over the usable 223 pixels.
        {"LabelingGap", "LabelingStyle", [](THost& W) -> TControl* { return W.Add<TSlider>(73, 233); },
            QVariant::fromValue(lbsLines), QVariant::fromValue(lbsNone), 0.01, 100.0 * 2 / 223},
        // Ticks 4 pixels apart on the arc of radius 87 over 300 degrees.
        {"ValueGap", "Ticks", [](THost& W) -> TControl* { return W.Add<TDial>(201, 193); }, true, false, 0.01,
            100 * 4 / (87 * 2 * M_PI * 300 / 360)},
    };
    for (const auto& c : cases) {
        THost w;
        TControl* control = c.Add(w);
        SCOPED_TRACE(control->metaObject()->className());
        control->setProperty(c.Gap, c.Tiny);
        control->BackingImage();
        EXPECT_EQ(control->property(c.Gap).toDouble(), c.Tiny);
        ASSERT_TRUE(control->setProperty(c.Scale, c.On));
        control->BackingImage();
        EXPECT_DOUBLE_EQ(control->property(c.Gap).toDouble(), c.Enlarged);
        control->SetBounds(8, 8, 300, 1000); // room for the old gap
        control->BackingImage();
        EXPECT_DOUBLE_EQ(control->property(c.Gap).toDouble(), c.Enlarged);
        control->setProperty(c.Scale, c.Off);
        control->BackingImage();
        EXPECT_DOUBLE_EQ(control->property(c.Gap).toDouble(), c.Enlarged);
    }
}

// A stepped drag raises one event for each new step, and only then.
TEST(Instruments, SteppedDragRaisesOneEventPerNewStep)
{
    const struct {
        TControl* (*Add)(THost&);
        std::vector<QPoint> Path; // pressed at the first point, released at the last
        std::vector<double> Seen;
    } cases[] = {
        // The dial from 80 right of the centre upward along the right side to 50 at the top.
        {[](THost& W) -> TControl* { return W.Add<TDial>(201, 193); }, {{140, 97}, {140, 10}, {100, 10}},
            {80, 70, 60, 50}},
        // The slider's button from 0 to the top.
        {[](THost& W) -> TControl* { return W.Add<TSlider>(73, 233); }, {{37, 228}, {37, 0}},
            {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
    };
    for (const auto& c : cases) {
        THost w;
        TControl* control = c.Add(w);
        SCOPED_TRACE(control->metaObject()->className());
        control->setProperty("ValueStepWidth", 10.0);
        std::vector<double> seen;
        control->setProperty("OnValueChange", QVariant::fromValue(TNotifyEvent([&](TObject*) {
            seen.push_back(control->property("Value").toDouble());
        })));
        Press(control, c.Path.front().x(), c.Path.front().y());
        for (size_t i = 1; i < c.Path.size(); ++i) { // pixel by pixel
            const QPoint a = c.Path[i - 1], d = c.Path[i] - a;
            const int n = std::max(std::abs(d.x()), std::abs(d.y()));
            for (int k = 1; k <= n; ++k)
                Move(control, a.x() + d.x() * k / n, a.y() + d.y() * k / n);
        }
        Release(control, c.Path.back().x(), c.Path.back().y());
        EXPECT_EQ(seen, c.Seen);
    }
}

// A malformed list is refused with a reason and changes nothing; the sound
// list it was made from is taken.
TEST(Instruments, MalformedRangeListIsRefusedAndChangesNothing)
{
    const auto triples = [](int Count) {
        QVariantList list;
        for (int i = 0; i < Count; ++i)
            list << qlonglong(255) << false << double(i + 1);
        return QVariant(list);
    };
    const auto tail = [](double Min, double Max, double Gap) {
        return QVariantList{-90.0, 90.0, 9.0, 10.0, 0.0, Min, Max, Gap};
    };
    const QVariant red10 = QVariantList{qlonglong(255), 10.0};
    const struct {
        TControl* (*Make)();
        std::vector<QVariantList> Bad;
        QVariantList Good;
    } cases[] = {
        {New<TDial>,
            {{1.0, 2.0, 3.0}, {1.0, 0.0, 100.0, 0.0, 10.0, -150.0, QStringLiteral("x")},
                {1.0, 0.0, 100.0, 0.0, kNan, -150.0, 150.0}},
            {1.0, 0.0, 100.0, 0.0, 10.0, -150.0, 150.0}},
        {New<TSlider>,
            {{}, {0.0, 0.0, 50.0, 0.0, 5.0}, {red10, 0.0, 0.0, 50.0, 0.0}, {QVariantList{qlonglong(255)}, 0.0, 0.0, 50.0, 0.0, 5.0},
                {red10, 0.0, 0.0, QStringLiteral("x"), 0.0, 5.0}, {QVariantList{}, 0.0, 0.0, 50.0, 0.0, 5.0}},
            {red10, 0.0, 0.0, 50.0, 0.0, 5.0}},
        {New<TMeter>,
            {QVariantList{triples(1), 1.0}, QVariantList{1.0} + tail(0, 100, 10),
                QVariantList{QVariant(QVariantList{qlonglong(255), 20.0})} + tail(0, 100, 10), // no flag
                QVariantList{triples(17)} + tail(0, 100, 10), QVariantList{triples(2)} + tail(100, 0, 10),
                QVariantList{triples(2)} + tail(0, 100, 0), QVariantList{triples(2), "x"} + tail(0, 100, 10).mid(1)},
            QVariantList{triples(2)} + tail(0, 100, 10)},
    };
    for (const auto& c : cases) {
        std::unique_ptr<TControl> control(c.Make());
        SCOPED_TRACE(control->metaObject()->className());
        const QVariantList before = control->WriteListProperty();
        for (const QVariantList& list : c.Bad) {
            SCOPED_TRACE(&list - c.Bad.data());
            QString error;
            EXPECT_FALSE(control->ReadListProperty(list, &error));
            EXPECT_FALSE(error.isEmpty());
            EXPECT_EQ(control->WriteListProperty(), before);
        }
        EXPECT_TRUE(control->ReadListProperty(c.Good, nullptr));
    }
}

// Equal or inverted limits, equal or inverted angles and no gap are read from
// a description without checks; the control paints, follows the mouse and
// takes values without failing, and an empty range takes no values.
TEST(Instruments, DegenerateRangesReadFromADescriptionNeverFail)
{
    const std::vector<QVariantList> dialLists = {{5.0, 5.0, 5.0, 0.0, 10.0, -150.0, 150.0}, // equal limits
        {50.0, 100.0, 0.0, 0.0, 10.0, -150.0, 150.0},                                     // inverted limits
        {0.0, 0.0, 100.0, 0.0, 10.0, 30.0, 30.0},                                         // equal angles
        {0.0, 0.0, 100.0, 0.0, -10.0, 90.0, -90.0},                                       // negative gap, inverted angles
        {0.0, 0.0, 100.0, 0.0, 0.0, -150.0, 150.0}};                                      // no gap
    const std::vector<QVariantList> sliderLists = {{QVariantList{qlonglong(255), 5.0}, 5.0, 5.0, 5.0, 0.0, 5.0}, // equal limits
        {QVariantList{qlonglong(255), 5.0, qlonglong(65280), 50.0}, 20.0, 100.0, 0.0, 0.0, 5.0},  // inverted
        {QVariantList{qlonglong(255), 500.0, qlonglong(65280), -50.0}, 0.0, 0.0, 50.0, 0.0, 0.0}}; // no gap
    for (int kind : {0, 1, 2}) // the dial, a vertical and a horizontal slider
        for (const QVariantList& list : kind ? sliderLists : dialLists) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << " list " << &list - (kind ? sliderLists : dialLists).data());
            THost w;
            TControl* control = kind == 0 ? static_cast<TControl*>(w.Add<TDial>(201, 193))
                : kind == 1             ? w.Add<TSlider>(73, 233)
                                        : w.Add<TSlider>(233, 73, [](TSlider* S) { S->SetKind(sbHorizontal); });
            ASSERT_TRUE(control->setProperty(kind ? "LabelingStyle" : "Ticks", kind ? QVariant::fromValue(lbsBoth) : QVariant(true))
                && control->setProperty(kind ? "ReduceFlicker" : "Labels", true));
            QString error;
            ASSERT_TRUE(control->ReadListProperty(list, &error)) << error.toStdString();
            control->BackingImage();
            const double before = control->property("Value").toDouble();
            Press(control, kind ? 36 : 140, kind ? 36 : 97);
            Move(control, 100, 10);
            Move(control, -100, 300);
            Release(control, -100, 300);
            control->setProperty("Value", 3.0);
            control->BackingImage();
            const double value = control->property("Value").toDouble();
            EXPECT_FALSE(std::isnan(value));
            if (!(control->property("ValueMax").toDouble() > control->property("ValueMin").toDouble()))
                EXPECT_EQ(value, before); // an empty range takes no values
        }
}
