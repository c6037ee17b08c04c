// Formatting and helpers: picture patterns, general/fixed float text, text to
// float, date-time values around the 1899 zero, Round ties and clamps, file
// names and the random generator.

#include <platform/SysUtils.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <charconv>
#include <cmath>
#include <limits>
#include <set>

using namespace Tessaron;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr qint64 Int64Max = std::numeric_limits<qint64>::max();
constexpr qint64 Int64Min = std::numeric_limits<qint64>::min();

struct PictureCase {
    const char* Format;
    double Value;
    const char* Expected;
};

void ExpectPictures(const std::vector<PictureCase>& cases)
{
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.Format), c.Value), QString::fromUtf8(c.Expected))
            << "format \"" << c.Format << "\", value " << c.Value;
}

// Expects the message of the conversion error that Call raises.
template <typename F>
void ExpectConvertError(F Call, const char* Message)
{
    try {
        Call();
        ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), Message);
    }
}

} // namespace

// ---------------------------------------------------------------- FormatFloat

TEST(FormatFloat, FixedPatternsRoundHalfAwayFromZeroOnTheExactValue)
{
    ExpectPictures({
        {"0", 0.5, "1"}, {"0", 1.5, "2"}, {"0", 2.5, "3"}, {"0", -2.5, "-3"}, {"0", 0.49999999999999994, "0"},
        {"0", 2251799813685248.5, "2251799813685249"}, {"0", -2251799813685248.5, "-2251799813685249"}, // last bit
        {"0.0", 2.25, "2.3"}, {"0.0", -2.25, "-2.3"}, // exact ties
        {"0.0", 0.15, "0.1"},                         // the double lies below 0.15
        {"0.0", 0.45, "0.5"},                         // the double lies above 0.45
        {"0.00", 1.005, "1.00"}, {"0.00", 0.125, "0.13"}, {"0.00", 9.9951, "10.00"},
        {"0.000000000", 0.0009765625, "0.000976563"}, {"0.00", 0.5, "0.50"}, {"0.00", -1234, "-1234.00"},
        {"000.000", 1.5, "001.500"}, {"00.000", 123.4567, "123.457"}, // extra integer digits all shown
        {"0.", 1.5, "2"}, // no decimals, no point
        {"#.##", 0.5, ".5"}, {"#.##", 0, ""}, {"#.##", 1234, "1234"},
        {"0.0#", 1, "1.0"}, {"0.0#", 1.25, "1.25"}, {"0.##", 1.5, "1.5"},
        {"0", 1e22, "10000000000000000000000"}, {"0.00", 1e-20, "0.00"},
        {"0.000000000000000000000", 0.1, "0.100000000000000006000"}, // at most 18 significant digits
    });
}

TEST(FormatFloat, ThousandsSeparatorsLiteralsAndSections)
{
    ExpectPictures({
        {"#,##0.00", 1234567.891, "1,234,567.89"}, {"#,##0.00", 999.999, "1,000.00"},
        {"#,##0.00", -1234, "-1,234.00"}, {"#,##0", 12, "12"},
        {"0.00 V", 1.5, "1.50 V"}, {"0 'Hz'", 5, "5 Hz"}, {"\"E+\"0", 5, "E+5"},
        {"'x;y' 0", 5, "x;y 5"}, // a quoted ";" does not split sections
        {" 0.000;-0.000", 1.5, " 1.500"}, {" 0.000;-0.000", -1.5, "-1.500"}, {" 0.000;-0.000", 0, " 0.000"},
        {" 0.000;-0.000", -0.0001, " 0.000"}, // rounds to zero: no minus
        {"0.00", -0.001, "0.00"},
        {"0;0", -3, "3"}, // the negative section as it stands
        {"#,##0.00;(#,##0.00)", -1234, "(1,234.00)"}, {"#,##0.00;;Zero", 0, "Zero"},
        {"#,##0.00;;Zero", -1234, "-1,234.00"}, // empty negative section
        {"0.00;-0.00;Null", 0.001, "Null"},     // rounded to zero
        {"", 1.5, "1.5"}, {"", 1e20, "1E20"},
    });
}

TEST(FormatFloat, ScientificPatterns)
{
    ExpectPictures({
        {"#.##E-00", 12345, "1.23E04"}, {"#.##E-00", -12345, "-1.23E04"}, {"#.##E-00", 0.000123456, "1.23E-04"},
        {"#.##E-00", 1, "1E00"}, {"#.##E-00", 0, "0E00"}, {"0.00E-00", 12345, "1.23E04"}, {"0.00E-00", 1, "1.00E00"},
        {"0.00E-00", 999500, "1.00E06"}, // the tie carries into the exponent
        {"0.00E-00", 999499.99, "9.99E05"}, {"0.0E+0", 12500, "1.3E+4"},
        {"#E+0", 250, "3E+2"}, // half away from zero, not to even
        {"#E+00", 1000, "1E+03"}, {"#E+00", 0.0001, "1E-04"}, {"#E+00", 1e100, "1E+100"},
        {"0.000E+00", 0.5, "5.000E-01"}, {"0.000E+00", 0, "0.000E+00"}, {"#.###E-0", 0.5, "5E-1"},
        {"0.00e+00", 1234, "1.23e+03"},
    });
}

TEST(FormatFloat, NonFiniteValues)
{
    for (const char* format : {"0.00", "#.##E-00", ""}) {
        EXPECT_EQ(std::tuple(FormatFloat(format, NaN), FormatFloat(format, Inf), FormatFloat(format, -Inf)),
            std::tuple(QString("NAN"), QString("INF"), QString("-INF")));
    }
    EXPECT_EQ(std::pair(FloatToStrF(NaN, ffFixed, 15, 2), FloatToStr(-Inf)), std::pair(QString("NAN"), QString("-INF")));
}

// Away from exact ties, rounding on the exact value is correct rounding, which
// std::to_chars also delivers: the two agree on many values of all sizes.
TEST(FormatFloat, AgreesWithCorrectRoundingAwayFromTies)
{
    RandSeed = 2024;
    for (int i = 0; i < 3000; ++i) {
        const double v = (Random() - 0.5) * std::pow(10.0, Random(24) - 12);
        char buffer[400];
        auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 3);
        QString expected = QString::fromLatin1(buffer, int(r.ptr - buffer));
        if (expected == "-0.000")
            expected = "0.000";
        ASSERT_EQ(FormatFloat("0.000", v), expected) << v;

        r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 4);
        // "d.dddde±XX" -> "d.ddddE±XX" ("E+00" writes the sign and two digits as well)
        expected = QString::fromLatin1(buffer, int(r.ptr - buffer)).replace('e', 'E');
        ASSERT_EQ(FormatFloat("0.0000E+00", v), expected) << v;
    }
}

// ---------------------------------------------------------------- FloatToStrF

TEST(FloatToStrF, GeneralExponentFixedAndNumberFormats)
{
    struct Case {
        double Value;
        TFloatFormat Format;
        int Precision, Digits;
        const char* Expected;
    };
    const Case cases[] = {
        {1.0 / 3, ffGeneral, 7, 0, "0.3333333"}, {0.001, ffGeneral, 4, 0, "0.001"}, {1000, ffGeneral, 4, 0, "1000"},
        {10000, ffGeneral, 4, 0, "1E4"}, {12345, ffGeneral, 4, 0, "1.235E4"}, {99999.5, ffGeneral, 5, 0, "1E5"},
        {0.0001, ffGeneral, 4, 0, "0.0001"}, {0.00001, ffGeneral, 4, 0, "1E-5"}, {0.00001, ffGeneral, 4, 2, "1E-05"},
        {-0.5, ffGeneral, 4, 0, "-0.5"}, {0, ffGeneral, 4, 0, "0"}, {1.5e-7, ffGeneral, 15, 0, "1.5E-7"},
        {0.125, ffFixed, 15, 2, "0.13"}, {-0.125, ffFixed, 15, 2, "-0.13"}, {-0.001, ffFixed, 15, 2, "0.00"},
        {2.5, ffFixed, 15, 0, "3"}, {123.456, ffFixed, 4, 2, "123.50"}, {1e20, ffFixed, 15, 2, "1E20"},
        {1234, ffExponent, 4, 2, "1.234E+03"}, {-1234.5, ffExponent, 3, 4, "-1.23E+0003"},
        {0.00125, ffExponent, 2, 0, "1.3E-3"}, {0, ffExponent, 4, 2, "0.000E+00"},
        {1234567.891, ffNumber, 15, 2, "1,234,567.89"}, {-999.999, ffNumber, 15, 2, "-1,000.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStrF(c.Value, c.Format, c.Precision, c.Digits), QString::fromUtf8(c.Expected))
            << c.Value << " format " << c.Format << " precision " << c.Precision << " digits " << c.Digits;
}

TEST(FloatToStrF, FloatToStrUsesFifteenDigitsSeventeenRoundTrip)
{
    const std::pair<double, const char*> cases[] = {
        {0.1, "0.1"}, {0.1 + 0.2, "0.3"}, {1.0 / 3, "0.333333333333333"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E15"}, {-1.5, "-1.5"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(FloatToStr(value), expected);
    EXPECT_EQ(IntToStr(-1234567890123LL), "-1234567890123");
    for (double v : {0.1, 1.0 / 3, 1e-300, 4.9e-324, 123.456, -9.87654321e200, 1.7976931348623157e308})
        EXPECT_EQ(StrToFloat(FloatToStrF(v, ffGeneral, 17, 0)), v) << FloatToStrF(v, ffGeneral, 17, 0).toStdString();
}

TEST(FormatLocale, GermanDecimalAndThousandsSeparatorsNamesAndDateSeparator)
{
    TestSupport::LocaleScope german(QLocale(QLocale::German));
    const double t = EncodeDate(2024, 3, 5);
    const std::pair<QString, const char*> texts[] = {{DecimalSeparator(), ","}, {FormatFloat("0.00", 0), "0,00"},
        {FormatFloat("#,##0.00", 1234.5), "1.234,50"}, {FormatFloat(" 0.000;-0.000", -1.5), "-1,500"},
        {FormatFloat("#.##E-00", 12345), "1,23E04"}, {FloatToStrF(1.5, ffFixed, 15, 2), "1,50"}, {FloatToStr(0.25), "0,25"},
        {FloatToStrF(1e-7, ffGeneral, 4, 0), "1E-7"}, {FormatDateTime("mmm", t), "Mär"},
        {FormatDateTime("dddd", t), "Dienstag"}, {FormatDateTime("dd/mm/yyyy", t), "05.03.2024"}};
    for (const auto& [text, expected] : texts)
        EXPECT_EQ(text, QString::fromUtf8(expected));
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-2,5E-3"), -0.0025);
    double v = 0;
    EXPECT_FALSE(TryStrToFloat("1.5", v)); // the other separator is not a number
}

// ---------------------------------------------------------------- text to numbers

TEST(StrToFloat, AcceptsNumbersAndRejectsEverythingElse)
{
    const std::pair<const char*, double> valid[] = {
        {"1.5", 1.5}, {" -2.5e3 ", -2500}, {"+.5", 0.5}, {"5.", 5}, {"1E-3", 0.001},
        {"0", 0}, {"007", 7}, {"1e-400", 0},
    };
    for (const auto& [text, expected] : valid) {
        double v = -1;
        EXPECT_TRUE(TryStrToFloat(text, v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
    for (const char* text : {"", " ", "abc", "1.2.3", "1e", "--1", "1,5", "1e400", "-1e400", "nan", "inf",
                             "0x10", "1 2", ".", "e5", "1.5V", "1e+"}) {
        double v = 42;
        EXPECT_FALSE(TryStrToFloat(text, v)) << text;
        EXPECT_EQ(v, 42) << text;
    }
    ExpectConvertError([] { StrToFloat("12,5 V"); }, "'12,5 V' is not a valid floating point value");
    EXPECT_THROW(StrToFloat(""), Exception);
    EXPECT_THROW(StrToFloat("x"), std::exception);
}

TEST(StrToInt, DecimalAndHexadecimalWithinTheIntegerRange)
{
    const std::pair<const char*, int> valid[] = {
        {"42", 42}, {"-7", -7}, {"+3", 3}, {" 3 ", 3}, {"$FF", 255}, {"0x10", 16},
        {"2147483647", std::numeric_limits<int>::max()}, {"-2147483648", std::numeric_limits<int>::min()},
    };
    for (const auto& [text, expected] : valid)
        EXPECT_EQ(StrToInt(text), expected) << text;
    for (const char* text : {"", "3.5", "2147483648", "-2147483649", "12a", "$", "0x", "- 1", "99999999999999999999"})
        EXPECT_EQ(StrToIntDef(text, -99), -99) << text;
    ExpectConvertError([] { StrToInt("abc"); }, "'abc' is not a valid integer value");
}

// ---------------------------------------------------------------- arithmetic

TEST(RoundTrunc, RoundTiesToEvenTruncTowardZeroBothClamp)
{
    const std::pair<double, qint64> rounds[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {-7.5, -8},
        {0.49999999999999994, 0}, {2.4999999999999996, 2}, {2.5000000000000004, 3},
        {4503599627370497.0, 4503599627370497LL}, {-9223372036854775808.0, Int64Min},
        {1e300, Int64Max}, {-1e300, Int64Min}, {Inf, Int64Max}, {-Inf, Int64Min}, {NaN, 0},
    };
    for (const auto& [value, expected] : rounds)
        EXPECT_EQ(Round(value), expected) << value;
    const std::pair<double, qint64> truncs[] = {
        {1.7, 1}, {-1.7, -1}, {-0.5, 0}, {1e19, Int64Max}, {-1e19, Int64Min}, {NaN, 0},
    };
    for (const auto& [value, expected] : truncs)
        EXPECT_EQ(Trunc(value), expected) << value;
    EXPECT_EQ(std::tuple(Frac(-1.25), Frac(2.75), Frac(3.0)), std::tuple(-0.25, 0.75, 0.0));
    static_assert(Half(-5) == -2 && Half(5) == 2);
    static_assert(IntDiv(-7, 2) == -3 && IntDiv(7, -2) == -3);
    static_assert(IntDiv(7, 0) == 0);
    static_assert(IntDiv(std::numeric_limits<qint64>::min(), -1) == std::numeric_limits<qint64>::min());
}

// ---------------------------------------------------------------- date and time

TEST(FormatDateTime, ValuesAroundTheZeroOf1899AndTheFormatSpecifiers)
{
    const std::pair<double, const char*> cases[] = {
        {0, "1899 Dec 30 00:00:00"}, {1.5, "1899 Dec 31 12:00:00"}, {2, "1900 Jan 01 00:00:00"},
        // negative values: the integer part gives the day, the fraction the time
        {-1, "1899 Dec 29 00:00:00"}, {-1.25, "1899 Dec 29 06:00:00"}, {-0.25, "1899 Dec 30 06:00:00"},
        {60, "1900 Feb 28 00:00:00"}, {61, "1900 Mar 01 00:00:00"}, {36526, "2000 Jan 01 00:00:00"},
        {0.99999999999, "1899 Dec 31 00:00:00"}, // rounded to whole milliseconds
        {-693593, "0001 Jan 01 00:00:00"}, {2958465.5, "9999 Dec 31 12:00:00"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(FormatDateTime("yyyy mmm dd hh:nn:ss", value), expected) << value;
    // Values outside the calendar decode to zero.
    EXPECT_EQ(FormatDateTime("yyyy mm dd hh:nn:ss mmm", NaN), "0000 00 00 00:00:00 ");
    EXPECT_EQ(std::pair(FormatDateTime("yyyy mm dd", Inf), FormatDateTime("yyyy mm dd", 1e7)),
        std::pair(QString("0000 00 00"), QString("0000 00 00")));
    EXPECT_EQ(FormatDateTime("yyyy mm dd hh:nn", -1e7 - 0.5), "0000 00 00 12:00");

    // The format specifiers.
    const double t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45); // a Tuesday
    const std::pair<const char*, const char*> specifiers[] = {
        {"hh:nn:ss.zzz", "14:07:09.045"}, {"dd", "05"}, {"d", "5"}, {"s", "9"}, {"zzz", "045"}, {"z", "45"},
        {"yy", "24"}, {"yyyy", "2024"}, {"m", "3"}, {"mm", "03"}, {"mmm", "Mar"}, {"mmmm", "March"},
        {"ddd", "Tue"}, {"dddd", "Tuesday"}, {"h:m", "14:7"}, {"hh:mm", "14:07"}, // m after an hour: minutes
        {"h am/pm", "2 pm"}, {"h AM/PM", "2 PM"}, {"h:nn a/p", "2:07 p"}, {"t", "14:07"}, {"tt", "14:07:09"},
        {"yyyy/mm/dd", "2024/03/05"}, {"'yyyy' yyyy", "yyyy 2024"}, {"\"at\" hh", "at 14"},
    };
    for (const auto& [format, expected] : specifiers)
        EXPECT_EQ(FormatDateTime(format, t), expected) << format;
    EXPECT_EQ(std::pair(FormatDateTime("h am/pm", EncodeDate(2024, 3, 5)),
                  FormatDateTime("h am/pm", EncodeDate(2024, 3, 5) + EncodeTime(12, 0, 0, 0))),
        std::pair(QString("12 am"), QString("12 pm")));
}

TEST(FormatDateTime, EncodeDecodeRoundTripAndInvalidArguments)
{
    EXPECT_EQ(std::tuple(EncodeDate(1899, 12, 30), EncodeDate(1900, 1, 1), EncodeDate(1, 1, 1)),
        std::tuple(0.0, 2.0, -693593.0));
    const int dates[][3] = {{2000, 2, 29}, {1600, 2, 29}, {1, 1, 1}, {9999, 12, 31}, {1752, 9, 3}, {1899, 12, 29}};
    for (const auto& d : dates) {
        int y = 0, m = 0, day = 0;
        DecodeDate(EncodeDate(d[0], d[1], d[2]), y, m, day);
        EXPECT_EQ(y * 10000 + m * 100 + day, d[0] * 10000 + d[1] * 100 + d[2]);
    }
    const int invalidDates[][3] = {{1900, 2, 29}, {2023, 2, 29}, {0, 1, 1}, {10000, 1, 1}, {2024, 13, 1}, {2024, 4, 31}, {2024, 1, 0}};
    for (const auto& d : invalidDates)
        EXPECT_THROW(EncodeDate(d[0], d[1], d[2]), EConvertError) << d[0] << "-" << d[1] << "-" << d[2];
    const int invalidTimes[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& t : invalidTimes)
        EXPECT_THROW(EncodeTime(t[0], t[1], t[2], t[3]), EConvertError);

    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(h * 3600000 + n * 60000 + s * 1000 + ms, 6 * 3600000);
    DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ(h * 3600000 + n * 60000 + s * 1000 + ms, 86399999);
    // Saturday, Sunday, Friday; no day for no number.
    EXPECT_EQ(std::tuple(DayOfWeek(0), DayOfWeek(1), DayOfWeek(-1), DayOfWeek(NaN)), std::tuple(7, 1, 6, 0));
}

TEST(FormatDateTime, NowIsTheLocalClock)
{
    const QDateTime clock = QDateTime::currentDateTime();
    const double expected = EncodeDate(clock.date().year(), clock.date().month(), clock.date().day())
        + clock.time().msecsSinceStartOfDay() / 86400000.0;
    EXPECT_NEAR(Now(), expected, 5.0 / 86400);
}

// ---------------------------------------------------------------- files and exceptions

TEST(FileNames, NameHelpersAndFileExistsOnlyForFiles)
{
    const std::pair<QString, QString> cases[] = {
        {ChangeFileExt("run.ddt", ".DDD"), "run.DDD"}, {ChangeFileExt("dir.d/run", ".DDD"), "dir.d/run.DDD"},
        {ChangeFileExt("a.b.c", ""), "a.b"}, {ChangeFileExt("C:\\data.x\\file", ".y"), "C:\\data.x\\file.y"},
        {ExtractFileExt("/x/y.tar.gz"), ".gz"}, {ExtractFileExt("/x.y/z"), ""},
        {ExtractFileName("/a/b/c.txt"), "c.txt"}, {ExtractFileName("a\\b"), "b"}, {ExtractFileName("c.txt"), "c.txt"},
    };
    for (const auto& [result, expected] : cases)
        EXPECT_EQ(result, expected);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile f(dir.filePath("TSRN0120.BMP"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(FileExists(f.fileName()));
    EXPECT_FALSE(FileExists(dir.path()) || FileExists(dir.filePath("missing.bmp")) || FileExists(""));
}

TEST(SysUtilsExceptions, MessagesAndHierarchy)
{
    const EFOpenError e = EFOpenError::ForFile("TSRN0120.BMP", "No such file or directory");
    const Exception& base = e;
    EXPECT_EQ(base.Message(), "Cannot open file \"TSRN0120.BMP\". No such file or directory");
    const Exception german(QString::fromUtf8("Datei lässt sich nicht öffnen"));
    EXPECT_STREQ(static_cast<const std::exception&>(german).what(), "Datei l\xc3\xa4sst sich nicht \xc3\xb6" "ffnen");
}

// ---------------------------------------------------------------- random numbers

TEST(RandomNumbers, ReproducibleFromTheSeedAndWithinRangeAlsoFromTheLargestState)
{
    RandSeed = 12345;
    const double first = Random(), second = Random();
    RandSeed = 12345;
    EXPECT_EQ((std::pair{Random(), Random()}), std::pair(first, second)); // braces: in order

    double sum = 0;
    std::set<int> faces;
    for (int i = 0; i < 20000; ++i) {
        const double r = Random();
        ASSERT_TRUE(r >= 0.0 && r < 1.0) << r;
        sum += r;
        const int face = Random(6);
        ASSERT_TRUE(face >= 0 && face < 6) << face;
        faces.insert(face);
    }
    EXPECT_NEAR(sum / 20000, 0.5, 0.01);
    EXPECT_EQ(faces.size(), 6u);
    EXPECT_EQ(std::pair(Random(0), Random(-3)), std::pair(0, 0));

    // The largest state stays below one. The seed whose successor is
    // 0xFFFFFFFF: s = (0xFFFFFFFF - 1) / 0x08088405 mod 2^32.
    const quint32 a = 0x08088405u;
    quint32 inverse = a;
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - a * inverse;
    RandSeed = (0xFFFFFFFFu - 1u) * inverse;
    const double r = Random();
    EXPECT_EQ(RandSeed, 0xFFFFFFFFu);
    EXPECT_LT(r, 1.0);
    EXPECT_GT(r, 0.9999999);
}
