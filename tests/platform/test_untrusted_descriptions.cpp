// Descriptions that once broke the reader (found by fuzzing it under the
// sanitizers), and the limits that keep a hostile description harmless.

#include "support/DescriptionCheck.h"
#include "support/TestSupport.h"

#include <controls/ScaleFormat.h>
#include <histograph/Histo.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/Graphics.h>
#include <platform/Streaming.h>
#include <platform/SysUtils.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Tessaron;
using TestSupport::CheckDescription;

namespace {

QByteArray Finding(const QString& Name)
{
    QFile f(TestSupport::SourcePath(QStringLiteral("tests/platform/data/findings/") + Name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << Name.toStdString();
    return f.readAll();
}

} // namespace

// Every finding reads soundly: refused with the form untouched, or read,
// painted and written back to a fixed point.
TEST(UntrustedDescriptions, EveryFindingHasASoundOutcome)
{
    const QStringList names = QDir(TestSupport::SourcePath("tests/platform/data/findings")).entryList({"*.tfm"});
    ASSERT_EQ(names.size(), 27);
    for (const QString& name : names) {
        const auto outcome = CheckDescription(Finding(name));
        EXPECT_EQ(outcome.Problem, QString()) << name.toStdString();
    }
}

// Values no property can hold are refused naming their line; the rest is read.
TEST(UntrustedDescriptions, OutOfRangeValuesAreRefusedAtTheirLine)
{
    struct {
        const char* File;
        const char* Error;  // empty: the description is read
    } const cases[] = {
        {"enum_align_99.tfm", "fuzz.tfm, line 3: "},
        {"enum_borderstyle_16.tfm", "fuzz.tfm, line 2: "},
        {"histograph_serieslinestyle_unreadable_output.tfm", "fuzz.tfm, line 3: "},
        {"halfbuilt_showhint.tfm", "fuzz.tfm, line 3: unknown property"},
        {"nested_lists_20000.tfm", "fuzz.tfm, line 3: "},
        {"roundtrip_form_bsdialog.tfm", ""},
        {"hang-bevelwidth.tfm", ""},
    };
    for (const auto& c : cases) {
        const auto outcome = CheckDescription(Finding(c.File));
        EXPECT_EQ(outcome.Read, *c.Error == 0) << c.File;
        if (*c.Error)
            EXPECT_TRUE(outcome.Error.startsWith(QString::fromUtf8(c.Error))) << c.File << ": " << outcome.Error.toStdString();
    }
}

// Set by name, values outside an enumeration are ignored like other invalid values.
TEST(UntrustedDescriptions, SettersIgnoreUnnamedEnumerationValues)
{
    TForm form;
    auto* panel = new TPanel(&form);
    auto* histo = new THistograph(&form);
    struct {
        QObject* Object;
        const char* Property;
        int Bad;
    } const cases[] = {
        {panel, "Align", 99}, {panel, "Align", -1}, {panel, "Cursor", 99}, {panel, "Alignment", -1},
        {&form, "BorderStyle", 16}, {histo, "GridVisible", 17}, {histo, "BorderStyle", 5},
    };
    for (const auto& c : cases) {
        const QVariant before = c.Object->property(c.Property);
        c.Object->setProperty(c.Property, c.Bad);
        EXPECT_EQ(c.Object->property(c.Property).toInt(), before.toInt()) << c.Property << " " << c.Bad;
    }
}

// Positions, sizes and counts from a description are bounded where they feed
// sums, loops or texts.
TEST(UntrustedDescriptions, NumbersThatSizeWorkAreBounded)
{
    TForm form;
    auto* panel = new TPanel(&form);
    panel->SetBounds(200, -2147483647, 2147483647, -5);
    EXPECT_EQ(panel->BoundsRect(), (TRect{200, -MaxControlExtent, 200 + MaxControlExtent, -MaxControlExtent}));
    form.SetClientWidth(2147483647);
    EXPECT_EQ(form.Width(), MaxControlExtent);
    panel->SetBevelWidth(MaxPanelBevelWidth + 1);
    EXPECT_EQ(panel->BevelWidth(), 1);
    EXPECT_EQ(DecimalsPattern(10000000), "0." + QString(MaxFloatDecimals, '0'));
    EXPECT_EQ(DecimalsPattern(-3), "0");
    EXPECT_EQ(ScaleMarkCount(100, 1e-300), MaxScaleMarks);
    EXPECT_EQ(ScaleMarkCount(100, 30), 4);
    EXPECT_EQ(ScaleMarkCount(std::nan(""), 1), 0);
    // A run of "c" is each one date: the same text repeated, built in linear time.
    EXPECT_EQ(FormatDateTime(QString(20000, 'c'), 0.5), FormatDateTime("c", 0.5).repeated(20000));
}

// A line is clipped to the clip box before it is walked: the pixels are those
// of the same line drawn whole on a larger surface, the dash phase included.
TEST(UntrustedDescriptions, ClippedLinesKeepTheirPixels)
{
    const int offset = 300;
    quint32 seed = 7;
    auto next = [&](int Range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % quint32(Range)) - Range / 2 + 20;
    };
    for (TPenStyle style : {psSolid, psDash, psDashDot}) {
        for (int n = 0; n < 300; ++n) {
            const TPoint a(next(500), next(500)), b(next(500), next(500));
            TBitmap small(40, 30), big(40 + 2 * offset, 30 + 2 * offset);
            for (TBitmap* bitmap : {&small, &big}) {
                const int shift = bitmap == &big ? offset : 0;
                bitmap->Canvas()->Pen()->SetStyle(style);
                bitmap->Canvas()->MoveTo(a.x() + shift, a.y() + shift);
                bitmap->Canvas()->LineTo(b.x() + shift, b.y() + shift);
            }
            ASSERT_EQ(small.Image(), big.Image().copy(offset, offset, 40, 30)) << a.x() << "," << a.y() << " " << b.x() << "," << b.y();
        }
    }
    // A line of four billion pixels costs its visible part only.
    TBitmap bitmap(40, 30);
    bitmap.Canvas()->MoveTo(-2147483647, 10);
    bitmap.Canvas()->LineTo(2147483647, 12);
    EXPECT_EQ(bitmap.Canvas()->Pixel(20, 11), clBlack);
}

// A meter read with extreme limits still follows value changes.
TEST(UntrustedDescriptions, ExtremeRangesStillTakeValueChanges)
{
    TForm form;
    ReadComponentText(&form, Finding("meter_range_angle_setvalue_loop.tfm"), "finding");
    auto* meter = qobject_cast<TControl*>(form.FindComponent("M"));
    ASSERT_NE(meter, nullptr);
    for (double v : {1.5e19, 1e19, 2e19, -1.0, 1e300})
        meter->setProperty("Value", v);
    EXPECT_FALSE(meter->BackingImage().isNull());
}

// A failed read gives back what setters changed besides the property read:
// ShowHint clears ParentShowHint, a font clears ParentFont.
TEST(UntrustedDescriptions, AFailedReadGivesBackDependentProperties)
{
    for (const char* text : {"object F: TForm\n  ShowHint = True\n  Bogus = 1\nend\n",
             "object F: TForm\n  Font.Height = -20\n  Bogus = 1\nend\n"}) {
        const auto outcome = CheckDescription(text);
        EXPECT_FALSE(outcome.Read);
        EXPECT_EQ(outcome.Problem, QString()) << text;
    }
}
