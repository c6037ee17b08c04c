// The histograph's data model: series, auto-range, setter rules, the stored
// "Series" list and the designer preview. (The internal timer drives the
// filter windows, whose tests see it tick and stop.)

#include "HistoTestSupport.h"

#include <platform/Forms.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace Tessaron;
using HistoTest::THost;

namespace {

using TKind = THistograph::TDataKind;

void SetKind(THistograph* H, int Series, TKind Kind)
{
    H->SetSeriesCurrent(Series);
    H->SetSeriesStyle(Kind);
}

} // namespace

TEST(HistoData, MeasuredCurvesKeepTheCallersArrayAndIgnoreOtherLayouts)
{
    THost h;
    float values[3] = {1, 2, 3};
    float pairs[4] = {0, 1, 2, 3};
    h->SetSeriesData(values, 3, 1);
    EXPECT_EQ(h->Series(1).Data, values);
    EXPECT_FALSE(h->Series(1).Owned());
    h->SetSeriesDataXY(pairs, 2, 1);  // pairs for a Yt series: nothing stored
    EXPECT_EQ(h->Series(1).Data, values);
    EXPECT_EQ(h->Series(1).Count, 3);

    SetKind(h.C, 1, THistograph::dtDataXY);
    h->SetSeriesDataXY(pairs, 2, 1);
    EXPECT_EQ(h->Series(1).Data, pairs);
    EXPECT_TRUE(h->Series(1).Pairs);
    h->SetSeriesData(values, 3, 1);  // values for an XY series: nothing stored
    EXPECT_EQ(h->Series(1).Data, pairs);
    EXPECT_EQ(h->Series(1).Count, 2);

    // Owned data are released whatever the kind says.
    SetKind(h.C, 1, THistograph::dtUpperRef);
    h->SetSeriesData(values, 3, 1);
    ASSERT_TRUE(h->Series(1).Owned());
    SetKind(h.C, 1, THistograph::dtDataXY);
    h->SetSeriesData(values, 3, 1);
    EXPECT_EQ(h->Series(1).Data, nullptr);
    EXPECT_EQ(h->Series(1).Count, 0);

    // Series outside 1 ... SeriesNumber take nothing.
    for (int series : {0, 2, 9})
        h->SetSeriesData(values, 3, series);
    for (int i = 2; i <= THistograph::MaxSeries; ++i)
        EXPECT_EQ(h->Series(i).Data, nullptr) << i;
}

TEST(HistoData, ReferenceCurvesAreCopies)
{
    THost h;
    h->SetSeriesNumber(3);
    SetKind(h.C, 2, THistograph::dtUpperRef);
    SetKind(h.C, 3, THistograph::dtLowerRef);
    std::vector<float> upper = {1.5f, 2.5f, 3.5f};
    h->SetSeriesData(upper.data(), 3, 2);
    const THistograph::TSeriesRec& s = h->Series(2);
    ASSERT_TRUE(s.Owned());
    EXPECT_NE(s.Data, upper.data());
    upper[1] = 99;
    EXPECT_EQ(std::vector<float>(s.Data, s.Data + 3), (std::vector<float>{1.5f, 2.5f, 3.5f}));

    // Pairs given to a reference curve keep their Y members only: reference
    // curves are Yt curves, drawn and edited as such.
    std::vector<float> pairs = {1, 10, 2, 20};
    h->SetSeriesDataXY(pairs.data(), 2, 3);
    ASSERT_TRUE(h->Series(3).Owned());
    EXPECT_FALSE(h->Series(3).Pairs);
    ASSERT_EQ(h->Series(3).Count, 2);
    EXPECT_EQ(std::vector<float>(h->Series(3).Data, h->Series(3).Data + 2), (std::vector<float>{10, 20}));

    // Counts outside 1 ... limit and a missing array give an empty curve.
    struct Case {
        const float* Data;
        int Count;
    };
    for (const Case c : {Case{upper.data(), 0}, Case{upper.data(), -4}, Case{nullptr, 3},
             Case{upper.data(), THistograph::MaxReferenceValues + 1}}) {
        h->SetSeriesData(upper.data(), 3, 2);
        h->SetSeriesData(c.Data, c.Count, 2);
        EXPECT_EQ(h->Series(2).Data, nullptr) << c.Count;
        EXPECT_EQ(h->Series(2).Count, 0) << c.Count;
        EXPECT_FALSE(h->Series(2).Owned());
    }
}

// SeriesNumber and SeriesCurrent take 1 ... 8, the steps and the rubber band
// width positive finite values; the rest is refused.
TEST(HistoData, SettersRefuseValuesOutsideTheirRange)
{
    THost h;
    for (float v : {0.0f, -1.0f, -1e-30f, std::nanf(""), std::numeric_limits<float>::infinity()}) {
        h->SetViewYGap(v);
        h->SetViewXGap(v);
    }
    EXPECT_FLOAT_EQ(h->ViewYGap(), 2);
    EXPECT_FLOAT_EQ(h->ViewXGap(), 2);
    h->SetReferenceRubberWidth(0);
    h->SetReferenceRubberWidth(-5);
    EXPECT_EQ(h->ReferenceRubberWidth(), 30);
    for (const int v : {9, 0, -3})
        h->SetSeriesNumber(v);
    EXPECT_EQ(h->SeriesNumber(), 1);
    h->SetSeriesNumber(3);
    h->SetSeriesCurrent(2);
    h->SetSeriesColor(clRed);
    // SeriesCurrent may address a series beyond SeriesNumber; it then reads
    // the neutral values and ignores writes.
    h->SetSeriesCurrent(5);
    EXPECT_EQ(h->SeriesCurrent(), 5);
    h->SetSeriesColor(clBlue);
    h->SetSeriesLineStyle(psDash);
    h->SetSeriesStyle(THistograph::dtDataXY);
    EXPECT_EQ(h->SeriesColor(), TColor(0));
    EXPECT_EQ(h->SeriesLineStyle(), psSolid);
    EXPECT_EQ(h->SeriesStyle(), THistograph::dtData);
    h->SetSeriesNumber(5);
    EXPECT_EQ(h->SeriesColor(), clBlack);  // the writes did not land
    EXPECT_EQ(h->Series(5).LineStyle, psSolid);
    for (const int v : {0, 9})
        h->SetSeriesCurrent(v);
    EXPECT_EQ(h->SeriesCurrent(), 5);
    EXPECT_EQ(h->Series(2).Color, clRed);
}

TEST(HistoData, AdjustYRangeAndCaptureScaleCentreTwoFiveOrTenTimesADecade)
{
    struct Case {
        const char* Name;
        std::vector<float> Data;
        float Min, Max;  // range before
        bool Changed;
        float NewMin, NewMax, NewGap;
        int Series = 1; // SeriesNumber; the empty ones count as 0
    };
    const float nan = std::nanf("");
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<Case> cases = {
        // span 1.5, decade 0, mantissa 2
        {"example", {-0.2f, 1.3f, 0.5f}, 0, 10, true, -0.45f, 1.55f, 0.5f},
        {"inside and wide enough", {2, 7}, 0, 10, false, 0, 10, 2},
        {"too narrow", {2, 5}, 0, 10, true, 1, 6, 1.25f},          // 3 < 0.4 * 10
        {"mantissa 5", {0, 3.2f}, 0, 1, true, -0.9f, 4.1f, 1.25f},
        {"mantissa 10", {0, 0.07f}, 0, 1, true, -0.015f, 0.085f, 0.025f},
        {"equal values", {3, 3, 3}, 1, 10, false, 1, 10, 2},
        {"non-finite values left out", {nan, 1, inf, 2, -inf}, 0, 100, true, 0.5f, 2.5f, 0.5f},
        {"empty series count as 0", {5, 6}, 0, 4, true, -2, 8, 2.5f, 2}, // alone: 4.5 ... 6.5
    };
    for (const Case& c : cases) {
        THost h;
        h->SetViewYMin(c.Min);
        h->SetViewYMax(c.Max);
        h->SetSeriesNumber(c.Series);
        h->SetSeriesData(c.Data.data(), int(c.Data.size()), 1);
        EXPECT_EQ(h->AdjustYRange(), c.Changed) << c.Name;
        EXPECT_FLOAT_EQ(h->ViewYMin(), c.NewMin) << c.Name;
        EXPECT_FLOAT_EQ(h->ViewYMax(), c.NewMax) << c.Name;
        EXPECT_FLOAT_EQ(h->ViewYGap(), c.NewGap) << c.Name;
        // A second run finds the new range right.
        EXPECT_FALSE(h->AdjustYRange()) << c.Name;
    }
    // CaptureScale runs it too, with AutoScale off.
    THost h;
    h->SetSeriesData(cases[0].Data.data(), 3, 1);
    EXPECT_FLOAT_EQ(h->ViewYMax(), 10);
    h->CaptureScale();
    EXPECT_FLOAT_EQ(h->ViewYMax(), 1.55f);
}

TEST(HistoData, AdjustYRangeOnALogarithmicAxisEndsPositive)
{
    const std::vector<std::vector<float>> cases = {{3, 3}, {-5, -1}, {}, {0.001f, 0.5f}, {100, 496}};
    for (const std::vector<float>& data : cases) {
        THost h;
        h->SetViewYMin(-1);
        h->SetGridScale(THistograph::sclLinLog);
        if (!data.empty())
            h->SetSeriesData(data.data(), int(data.size()), 1);
        EXPECT_TRUE(h->AdjustYRange());
        EXPECT_GT(h->ViewYMin(), 0);
        EXPECT_GT(h->ViewYMax(), h->ViewYMin());
        EXPECT_TRUE(h->RangeError().isEmpty());
        // The logarithmic transform follows the new range: its limits map to
        // the plot's bottom and top rows.
        EXPECT_EQ(h->YToPixel(h->ViewYMin()), 180) << h->ViewYMin();
        EXPECT_EQ(h->YToPixel(h->ViewYMax()), 40) << h->ViewYMax();
    }
}

TEST(HistoData, LogarithmicScaleWithAutoScaleReplacesNonPositiveLimits)
{
    THost h;
    h->SetAutoScale(true);
    h->SetViewXCurrentMin(0);
    h->SetViewXCurrentMax(5);
    h->SetGridScale(THistograph::sclLogLog);
    EXPECT_FLOAT_EQ(h->ViewXCurrentMin(), 0.05f);
    EXPECT_FLOAT_EQ(h->ViewXCurrentMax(), 5);

    THost g;
    g->SetAutoScale(true);
    g->SetGridScale(THistograph::sclLogLin);
    g->SetViewXCurrentMax(-3);
    EXPECT_FLOAT_EQ(g->ViewXCurrentMax(), 0.1f);
    g->SetViewXCurrentMin(-1);
    EXPECT_FLOAT_EQ(g->ViewXCurrentMin(), 0.001f);
    // (Without AutoScale the limits stay: RangeErrorsNameXFirst, "log X from 0".)
}

TEST(HistoData, RangeErrorsNameXFirst)
{
    struct Case {
        const char* Name;
        float XNomMin, XNomMax, XMin, XMax, YMin, YMax;
        THistograph::TGrdScale Scale;
        const char* Message;
    };
    const float nan = std::nanf("");
    const char* xError = "Range-Error in ViewX-Properties";
    const char* yError = "Range-Error in ViewY-Properties";
    const Case cases[] = {
        {"valid", 0, 10, 0, 10, 0, 10, THistograph::sclLinLin, ""},
        {"current X empty", 0, 10, 5, 5, 0, 10, THistograph::sclLinLin, xError},
        {"both wrong", 0, 10, 5, 5, 3, 1, THistograph::sclLinLin, xError},
        {"nominal X reversed", 10, 0, 0, 10, 0, 10, THistograph::sclLinLin, xError},
        {"Y reversed", 0, 10, 0, 10, 3, 1, THistograph::sclLinLin, yError},
        {"log X from 0", 0, 10, 1, 10, 1, 10, THistograph::sclLogLog, xError},
        {"log Y from 0", 1, 10, 1, 10, 0, 10, THistograph::sclLogLog, yError},
        {"log Y on linear X", 0, 10, 0, 10, 0.1f, 10, THistograph::sclLinLog, ""},
        {"NaN limit", 0, 10, 0, 10, nan, 10, THistograph::sclLinLin, yError},
    };
    for (const Case& c : cases) {
        THost h;
        h->SetGridScale(c.Scale);
        h->SetViewXNominalMin(c.XNomMin);
        h->SetViewXNominalMax(c.XNomMax);
        h->SetViewXCurrentMin(c.XMin);
        h->SetViewXCurrentMax(c.XMax);
        h->SetViewYMin(c.YMin);
        h->SetViewYMax(c.YMax);
        EXPECT_EQ(h->RangeError(), QString::fromLatin1(c.Message)) << c.Name;
    }
}

// ---------------------------------------------------------------- stored list

TEST(HistoData, SeriesListHoldsATriplePerSeriesAndRefusesMalformedOnesWhole)
{
    THost h;
    h->SetSeriesNumber(3);
    SetKind(h.C, 2, THistograph::dtUpperRef);
    h->SetSeriesColor(clRed);
    h->SetSeriesLineStyle(psDot);
    SetKind(h.C, 3, THistograph::dtLowerRef);
    h->SetSeriesColor(clBtnFace);
    h->SetSeriesLineStyle(psDashDotDot);
    const QVariantList list = h->WriteListProperty();
    ASSERT_EQ(list.size(), 9);
    for (const QVariant& v : list)
        EXPECT_EQ(v.metaType().id(), QMetaType::LongLong);
    EXPECT_EQ(list[3].toLongLong(), 255);
    EXPECT_EQ(list[4].toLongLong(), 2);
    EXPECT_EQ(list[5].toLongLong(), 2);

    THost g;
    g->SetSeriesNumber(3);
    QString error;
    ASSERT_TRUE(g->ReadListProperty(list, &error)) << error.toStdString();
    EXPECT_EQ(g->Series(3).Color, clBtnFace);
    EXPECT_EQ(g->WriteListProperty(), list);

    // (The demonstration windows' lists: DescriptionsSetPropertiesByName and the XY window.)
    QVariantList many;  // nine triples: the ninth is ignored
    for (int i = 0; i < 9; ++i)
        many << qlonglong(i) << 0LL << 0LL;
    ASSERT_TRUE(h->ReadListProperty(many, &error));
    EXPECT_EQ(h->Series(8).Color, TColor(7));

    // Malformed lists are refused whole.
    struct Case {
        const char* Name;
        QVariantList List;
    };
    const std::vector<Case> cases = {
        {"not whole triples", {255LL, 0LL, 0LL, 255LL}},
        {"line style", {255LL, 0LL, 0LL, 255LL, 7LL, 0LL}},
        {"kind", {255LL, 0LL, 4LL}},
        {"negative kind", {255LL, 0LL, -1LL}},
        {"colour beyond 32 bits", {0x100000000LL, 0LL, 0LL}},
        {"float entry", {255LL, 1.5, 0LL}},
        {"nested list", {255LL, QVariantList{0LL}, 0LL}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(h->ReadListProperty(c.List, &error)) << c.Name;
        EXPECT_TRUE(error.startsWith(QStringLiteral("Series: "))) << error.toStdString();
        EXPECT_EQ(h->Series(8).Color, TColor(7)) << c.Name;
        EXPECT_EQ(h->Series(1).Color, TColor(0)) << c.Name;
    }
}

TEST(HistoData, DescriptionsSetPropertiesByName)
{
    THost h;
    const QByteArray text = "object Histograph1: THistograph\n"
                            "  GridVisible = grdBoth\n"
                            "  GridScale = sclLogLog\n"
                            "  BorderStyle = bsNone\n"
                            "  ViewYMin = 0.001\n"
                            "  ViewYMax = 1\n"
                            "  ViewXNominalMin = 0.00001\n"
                            "  ViewXNominalMax = 256\n"
                            "  ViewXCurrentMin = 1\n"
                            "  ViewXCurrentMax = 256\n"
                            "  SeriesNumber = 3\n"
                            "  TitleTop = 'Fourier-Transformierte'\n"
                            "  FontTitleTop.Color = clBlue\n"
                            "  Series = (0 0 0 0 2 3 0 2 0)\n"
                            "end\n";
    ReadComponentText(h.C, text, QStringLiteral("histograph test"));
    EXPECT_EQ(h->FontTitleTop()->Color(), clBlue);
    EXPECT_EQ(h->Series(2).Kind, THistograph::dtLowerRef);
    EXPECT_TRUE(h->RangeError().isEmpty());
    // Loaded: the logarithmic transforms fit the loaded ranges.
    EXPECT_EQ(h->XToPixel(1), 70);
    EXPECT_EQ(h->XToPixel(256), 417 - 40);

    // Written back without the defaults (the read-back is in the program
    // descriptions' fixed point).
    const QByteArray written = WriteComponentText(h.C);
    EXPECT_TRUE(written.contains("Series = ")) << written.constData();
    EXPECT_FALSE(written.contains("GapLeft")) << written.constData();
}

// ---------------------------------------------------------------- designer

TEST(HistoData, DesignerShowsPreviewCurves)
{
    TComponent form;
    form.SetDesigning(true);
    THistograph h(&form);
    for (int i = 1; i <= THistograph::MaxSeries; ++i) {
        const THistograph::TSeriesRec& s = h.Series(i);
        ASSERT_TRUE(s.Owned()) << i;
        ASSERT_EQ(s.Count, 100) << i;
        const auto [lo, hi] = std::minmax_element(s.Data, s.Data + 100);
        EXPECT_TRUE(*lo >= 0.0f && *hi <= 10.0f) << i;
    }
    // The range regenerates them.
    h.SetViewYMin(5);
    EXPECT_GE(*std::min_element(h.Series(1).Data, h.Series(1).Data + 100), 5.0f);
    // An XY series gets 50 pairs spread over the visible X range.
    h.SetSeriesStyle(THistograph::dtDataXY);
    const THistograph::TSeriesRec& xy = h.Series(1);
    ASSERT_EQ(xy.Count, 50);
    ASSERT_TRUE(xy.Pairs);
    EXPECT_FLOAT_EQ(xy.Data[0], 0);
    EXPECT_FLOAT_EQ(xy.Data[98], 10);

    // Outside the designer: no preview data.
    THost plain;
    EXPECT_EQ(plain->Series(1).Data, nullptr);
}

// The histograph publishes PopupMenu; the right click shows it in the modes
// that leave the right button free, not in the zoom and calculate modes.
TEST(HistoData, PopupMenuFromTheDescriptionShowsOutsideTheRightButtonModes)
{
    TForm form;
    const QByteArray text = "object Form1: TForm\n"
                            "  object PopupMenu1: TPopupMenu\n"
                            "    object Kopieren1: TMenuItem\n"
                            "      Caption = '&Kopieren'\n"
                            "    end\n"
                            "  end\n"
                            "  object Histograph1: THistograph\n"
                            "    Width = 300\n"
                            "    Height = 200\n"
                            "    PopupMenu = PopupMenu1\n"
                            "  end\n"
                            "end\n";
    ReadComponentText(&form, text, QStringLiteral("popup test"));
    auto* h = qobject_cast<THistograph*>(form.FindComponent("Histograph1"));
    auto* menu = qobject_cast<TPopupMenu*>(form.FindComponent("PopupMenu1"));
    ASSERT_NE(h, nullptr);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(h->PopupMenu(), menu);
    EXPECT_TRUE(WriteComponentText(&form).contains("PopupMenu = PopupMenu1"));
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Widget()));
    for (const auto& [mode, shows] : {std::pair{THistograph::modeMeasure, true}, {THistograph::modeLowerRef, true},
                                      {THistograph::modeZoom, false}, {THistograph::modeCalculate, false}}) {
        h->SetMode(mode);
        const int before = popups;
        QTest::mouseClick(h->Widget(), Qt::RightButton, Qt::NoModifier, QPoint(150, 100));
        EXPECT_EQ(popups - before, shows ? 1 : 0) << int(mode);
        if (menu->PopupWidget())
            menu->PopupWidget()->close();
    }
    form.Hide();
}
