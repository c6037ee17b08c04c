#pragma once
// Formatting and small helpers with the classic semantics the components rely
// on: picture-pattern float formatting, general/fixed float-to-text,
// text-to-float, date-time values counted in days from 30 December 1899,
// Round with ties to even, Trunc toward zero, file-name helpers and a
// reproducible uniform random generator.
//
// Numbers use the decimal separator (and thousands separator) of the default
// locale, QLocale(): QLocale::setDefault(QLocale(QLocale::German)) makes
// FormatFloat("0.00", 0) give "0,00" and StrToFloat expect "1,5".

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <exception>
#include <limits>

namespace Tessaron {

// ---------------------------------------------------------------- exceptions

// Base of the library's errors. what() is the message in UTF-8.
class Exception : public std::exception {
public:
    explicit Exception(const QString& Message);
    ~Exception() override;
    QString Message() const { return FMessage; }
    const char* what() const noexcept override;

private:
    QString FMessage;
    QByteArray FWhat;
};

// A text that is not a number, or arguments that encode no date or time.
class EConvertError : public Exception {
public:
    using Exception::Exception;
    ~EConvertError() override;
};

// A file that cannot be opened or loaded (for example a bitmap file).
class EFOpenError : public Exception {
public:
    using Exception::Exception;
    ~EFOpenError() override;
    // "Cannot open file "<FileName>". <Reason>" (the reason may be empty).
    static EFOpenError ForFile(const QString& FileName, const QString& Reason = {});
};

// ---------------------------------------------------------------- numbers

// The decimal separator of the default locale ("." in C and English, ",").
QString DecimalSeparator();
// The thousands separator of the default locale ("," in C and English, ".").
QString ThousandSeparator();

// Formats Value with a picture pattern. Up to three sections separated by
// ";": positive; negative; zero. In a section:
//   0       a digit, a zero where the value has none
//   #       a digit, nothing where the value has none (leading or trailing)
//   .       the decimal separator (the first one counts; written only when
//           decimal digits follow)
//   ,       anywhere in the section: thousands separators between groups
//   E+ E- e+ e-  scientific notation; the zeros that follow give the least
//           number of exponent digits; "E+" always writes a sign, "E-" only
//           a minus; what follows the exponent is text
//   'x' "x" quoted text, written as it stands
// Every other character is written as it stands. Integer digits beyond the
// placeholders are all written at the first one. The value is rounded half
// away from zero to the digits shown, decided on the exact binary value of
// the double (2.25 is exact and gives "2.3" with "0.0"; the double nearest
// 0.15 lies below it and gives "0.1"); at most 18 significant digits are
// taken, further digits are zeros. In scientific notation the placeholders
// before the point are all filled, so 12345 with "#.##E-00" gives "1.23E04".
// A negative value uses the negative section as it stands, or the positive
// section with a leading "-" when the negative section is absent or empty.
// A value that rounds to zero is formatted with the zero section (or the
// positive section) and never shows a minus sign. An empty format gives
// FloatToStr. NaN gives "NAN", infinities "INF" and "-INF".
QString FormatFloat(const QString& Format, double Value);

enum TFloatFormat : int { ffGeneral, ffExponent, ffFixed, ffNumber };

// Float to text; Precision (1..18) is the number of significant digits.
//  ffGeneral: the shorter form: fixed when 0.0001 <= |Value| < 10^Precision,
//             else scientific ("1.5E-5", sign of the exponent only when
//             negative, at least Digits (0..4) exponent digits); no trailing
//             zeros, a decimal point only when needed.
//  ffExponent: "d.dddE+dd": Precision digits, exponent always signed, at
//             least Digits (0..4) digits.
//  ffFixed:   Digits (0..18) decimals, at least one integer digit; values with
//             more than Precision integer digits are written as ffGeneral.
//  ffNumber:  ffFixed with thousands separators.
// Rounding is half away from zero on the exact value; a result of zero has no
// minus sign; NaN and infinities as in FormatFloat.
QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
// The most decimals a number is shown with: a double holds no more.
constexpr int MaxFloatDecimals = 18;
// The picture format of a fixed number of decimals: "0" for Decimals <= 0,
// else "0." and Decimals zeros, at most MaxFloatDecimals of them (a larger
// count, from a description say, must not size the text).
QString DecimalsPattern(int Decimals);
// ffGeneral with 15 significant digits.
QString FloatToStr(double Value);
QString IntToStr(qint64 Value);

// Text to float: optional blanks, sign, digits with at most one decimal
// separator (the locale's; the other one is not accepted), optional exponent
// ("1,5E-3" in German). Values beyond the double range are not numbers; values
// too small for it become zero. NaN and INF texts are not numbers.
bool TryStrToFloat(const QString& S, double& Value);
// As TryStrToFloat; raises EConvertError "'<S>' is not a valid floating point
// value" for text that is not a number.
double StrToFloat(const QString& S);
// Text to a 32-bit integer: optional blanks, sign, decimal digits or
// hexadecimal after "$" or "0x".
bool TryStrToInt(const QString& S, int& Value);
// Raises EConvertError "'<S>' is not a valid integer value".
int StrToInt(const QString& S);
int StrToIntDef(const QString& S, int Default);

// ---------------------------------------------------------------- arithmetic

// Round to nearest, ties to even (2.5 gives 2, 3.5 gives 4, -2.5 gives -2).
// NaN gives 0; values beyond the 64-bit range give its nearest limit.
qint64 Round(double Value);
// Cut toward zero (-1.7 gives -1); NaN gives 0, beyond the range its limit.
qint64 Trunc(double Value);
// The fractional part with the sign of Value (Frac(-1.25) = -0.25); NaN for
// NaN and infinities.
double Frac(double Value);
// Integer division toward zero ("div"); a zero divisor gives 0.
constexpr qint64 IntDiv(qint64 A, qint64 B)
{
    if (B == 0)
        return 0;
    if (B == -1)
        return A == std::numeric_limits<qint64>::min() ? A : -A;
    return A / B;
}
// Integer halving toward zero (-5 gives -2).
constexpr qint64 Half(qint64 A) { return A / 2; }

// ---------------------------------------------------------------- date and time

// Date-time values are days from 30 December 1899 00:00 (= 0); the fraction
// is the time of day. Negative values follow the classic convention: the
// integer part counts the days, the fraction is the time of day as its
// absolute value, so -1.25 is 29 December 1899 06:00 and -0.25 is 30 December
// 1899 06:00. A value is first rounded to whole milliseconds (ties to even).
// Dates before 1 January 0001 or after 31 December 9999 decode to year, month
// and day 0 (their time of day still decodes); NaN and infinities decode to
// all zeros.

// Raises EConvertError for an invalid date (1..9999, proleptic Gregorian).
double EncodeDate(int Year, int Month, int Day);
bool TryEncodeDate(int Year, int Month, int Day, double& Date);
// The fraction of a day; raises EConvertError unless Hour < 24, Min < 60,
// Sec < 60 and MSec < 1000 (all non-negative).
double EncodeTime(int Hour, int Min, int Sec, int MSec);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, double& Time);
void DecodeDate(double DateTime, int& Year, int& Month, int& Day);
void DecodeTime(double DateTime, int& Hour, int& Min, int& Sec, int& MSec);
// 1 (Sunday) .. 7 (Saturday); 0 for a date that does not decode.
int DayOfWeek(double DateTime);
// The local date and time now.
double Now();

// Formats a date-time value. Specifiers (letters in either case):
//   d dd        day of month (dd with a leading zero)
//   ddd dddd    short and long day name; ddddd dddddd short and long date
//   m mm        month; directly after an hour specifier the minutes instead
//   mmm mmmm    short and long month name
//   yy yyyy     two- and four-digit year
//   h hh n nn s ss   hours, minutes, seconds
//   z zzz       milliseconds
//   am/pm a/p ampm   twelve-hour clock with the marker
//   c           ddddd, then " " and tt when the time is not midnight
//   t tt        "h:nn" and "h:nn:ss"
//   /           the locale's date separator ("/" when its short date format
//               has none)
//   'x' "x"     quoted text
// Everything else is written as it stands. Names come from the default locale:
// short names are QLocale's stand-alone short names ("Dec", "Dez", "Mär"),
// long names the long names ("December"). Dates and times are not shifted by
// time zones.
QString FormatDateTime(const QString& Format, double DateTime);

// ---------------------------------------------------------------- files

// Replaces the extension (from the last "." of the name part, both "/" and
// "\" separate folders) by Extension, which includes its dot; appends it
// when the name has none. ChangeFileExt("run.ddt", ".DDD") = "run.DDD".
QString ChangeFileExt(const QString& FileName, const QString& Extension);
// The name part after the last "/" or "\".
QString ExtractFileName(const QString& FileName);
// The extension with its dot, or empty.
QString ExtractFileExt(const QString& FileName);
// True for an existing file that is not a folder.
bool FileExists(const QString& FileName);

// ---------------------------------------------------------------- random numbers

// The state of the generator (a 32-bit linear congruential generator:
// seed := seed * 0x08088405 + 1). Set it to repeat a sequence.
extern quint32 RandSeed;
// Seeds the generator from the clock.
void Randomize();
// Uniform in [0, 1), 32 bits of resolution.
double Random();
// Uniform integer in [0, Range); 0 when Range <= 0.
int Random(int Range);

} // namespace Tessaron
