#include "platform/SysUtils.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QTime>

#include <algorithm>
#include <bit>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace Tessaron {

// ============================================================== exceptions

Exception::Exception(const QString& Message)
    : FMessage(Message)
    , FWhat(Message.toUtf8())
{
}

Exception::~Exception() = default;

const char* Exception::what() const noexcept
{
    return FWhat.constData();
}

EConvertError::~EConvertError() = default;
EFOpenError::~EFOpenError() = default;

EFOpenError EFOpenError::ForFile(const QString& FileName, const QString& Reason)
{
    QString message = QStringLiteral("Cannot open file \"%1\".").arg(FileName);
    if (!Reason.isEmpty())
        message += QLatin1Char(' ') + Reason;
    return EFOpenError(message);
}

// ============================================================== decimal conversion

namespace {

constexpr int MaxPrecision = 18;

// A rounded decimal value: ±0.Digits × 10^Exponent. Digits has no leading or
// trailing zeros; empty digits mean zero.
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
    bool Negative = false;
    bool IsZero() const { return Digits.empty(); }
};

// The first Count significant digits of a > 0, correctly rounded (the tie
// case is handled by the caller), and the decimal exponent of the first one.
// std::to_chars is exact and does not depend on the C locale.
void ScientificDigits(double a, int Count, std::string& Digits, int& Exp10)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, a,
                                      std::chars_format::scientific, Count - 1);
    Digits.clear();
    const char* p = buffer;
    for (; p < result.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            Digits += *p;
    ++p; // 'e'
    bool negative = false;
    if (p < result.ptr && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    int e = 0;
    for (; p < result.ptr; ++p)
        e = e * 10 + (*p - '0');
    Exp10 = negative ? -e : e;
}

// True when a·10^k lies exactly halfway between two integers, i.e. 2·a·10^k
// is an odd integer. With a = m·2^e (m < 2^53):
//   k >= 0: 2·a·10^k = m·5^k·2^(e+1+k)
//   k <  0: 2·a·10^k = m·2^(e+1+k) / 5^-k
// and 5^k is odd, so the value is an odd integer exactly when the power of
// two cancels the trailing zero bits of m (and 5^-k divides m).
bool IsTie(double a, int k)
{
    int ex = 0;
    const double f = std::frexp(a, &ex);
    const auto m = static_cast<std::uint64_t>(std::ldexp(f, 53));
    const int t = ex - 53 + 1 + k;
    if (t > 0)
        return false;
    if (k < 0) {
        if (-k > 22) // 5^23 > 2^53 > m
            return false;
        std::uint64_t p = 1;
        for (int i = 0; i < -k; ++i)
            p *= 5;
        if (m % p != 0)
            return false;
    }
    return std::countr_zero(m) == -t;
}

// Value rounded half away from zero to at most Precision significant digits
// and at most Decimals digits after the decimal point, decided on the exact
// value of the double.
TDecimal ToDecimal(double Value, int Precision, int Decimals)
{
    TDecimal r;
    const double a = std::fabs(Value);
    if (a == 0 || !std::isfinite(a))
        return r;
    r.Negative = Value < 0;

    std::string lead;
    int e10 = 0; // a = d.ddd × 10^e10
    ScientificDigits(a, MaxPrecision, lead, e10);

    const long long wanted = static_cast<long long>(e10) + 1 + Decimals;
    const int n = static_cast<int>(std::min<long long>(Precision, wanted)); // digits kept
    if (n < 0) {
        r.Negative = false;
        return r;
    }
    if (n == 0) {
        // Rounding just above the first digit: 10^(e10+1) from half of it on.
        if (lead[0] >= '5') {
            r.Digits.push_back('1');
            r.Exponent = e10 + 2;
        } else {
            r.Negative = false;
        }
        return r;
    }

    const int k = n - 1 - e10; // rounding to a multiple of 10^-k
    std::string digits;
    int exp10 = 0;
    if (IsTie(a, k)) {
        // The n+1 digits are exact and end in 5: drop it, round away from zero.
        ScientificDigits(a, n + 1, digits, exp10);
        digits.pop_back();
        int i = n - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exp10;
        } else {
            ++digits[i];
        }
    } else {
        ScientificDigits(a, n, digits, exp10);
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty()) {
        r.Negative = false;
        return r;
    }
    r.Digits = digits;
    r.Exponent = exp10 + 1;
    return r;
}

QString NonFinite(double Value)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

QString PadNumber(qint64 Value, int Width)
{
    return QString::number(Value).rightJustified(Width, QLatin1Char('0'));
}

// Integer digits of d (at least "0"), with group separators when Group is set.
QString IntegerPart(const TDecimal& d, const QString& Group)
{
    if (d.Exponent <= 0)
        return QStringLiteral("0");
    QString out;
    for (int i = 0; i < d.Exponent; ++i) {
        out += QLatin1Char(i < int(d.Digits.size()) ? d.Digits[i] : '0');
        const int weight = d.Exponent - 1 - i;
        if (!Group.isEmpty() && weight > 0 && weight % 3 == 0)
            out += Group;
    }
    return out;
}

// Digits after the decimal point, without trailing zeros.
std::string FractionDigits(const TDecimal& d)
{
    if (d.Exponent >= 0)
        return d.Exponent < int(d.Digits.size()) ? d.Digits.substr(d.Exponent) : std::string();
    return std::string(-d.Exponent, '0') + d.Digits;
}

// "d.dddE-x" of the general format: digits without trailing zeros.
QString GeneralScientific(const TDecimal& d, int ExpDigits)
{
    QString out = d.Negative ? QStringLiteral("-") : QString();
    out += QLatin1Char(d.Digits[0]);
    if (d.Digits.size() > 1)
        out += DecimalSeparator() + QString::fromLatin1(d.Digits.substr(1));
    const int e = d.Exponent - 1;
    out += QLatin1Char('E');
    if (e < 0)
        out += QLatin1Char('-');
    out += PadNumber(std::abs(e), ExpDigits);
    return out;
}

// ---------------------------------------------------------------- picture sections

struct TToken {
    enum Kind { Digit, Point, Exponent, Literal };
    Kind Type = Literal;
    QString Text;
};

struct TSection {
    std::vector<TToken> Tokens;
    int IntCount = 0;  // digit placeholders before the decimal point
    int FracCount = 0; // digit placeholders after it
    int FirstZero = -1; // index of the first "0" placeholder
    int LastZero = -1;  // index of the last "0" placeholder
    bool HasPlaceholders() const { return IntCount + FracCount > 0; }
    bool Thousands = false;
    bool Scientific = false;
    QChar ExpChar;
    bool ExpPlus = false;
    int ExpDigits = 0;
};

// Splits a format into at most three sections at ";" outside quotes.
std::vector<QString> SplitSections(const QString& Format)
{
    std::vector<QString> sections(1);
    QChar quote;
    for (const QChar c : Format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            if (sections.size() == 3)
                break;
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

TSection ParseSection(const QString& Text)
{
    TSection s;
    bool hasPoint = false;
    auto literal = [&s](const QString& t) {
        if (t.isEmpty())
            return;
        if (!s.Tokens.empty() && s.Tokens.back().Type == TToken::Literal)
            s.Tokens.back().Text += t;
        else
            s.Tokens.push_back({TToken::Literal, t});
    };
    const int length = int(Text.size());
    for (int i = 0; i < length; ++i) {
        const QChar c = Text[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            int end = int(Text.indexOf(c, i + 1));
            if (end < 0)
                end = length;
            literal(Text.mid(i + 1, end - i - 1));
            i = end;
            continue;
        }
        if (s.Scientific) { // everything after the exponent is text
            literal(QString(c));
            continue;
        }
        switch (c.unicode()) {
        case '0':
        case '#': {
            const int index = s.IntCount + s.FracCount;
            if (c == QLatin1Char('0')) {
                if (s.FirstZero < 0)
                    s.FirstZero = index;
                s.LastZero = index;
            }
            (hasPoint ? s.FracCount : s.IntCount)++;
            s.Tokens.push_back({TToken::Digit, {}});
            break;
        }
        case '.':
            if (!hasPoint) {
                hasPoint = true;
                s.Tokens.push_back({TToken::Point, {}});
            }
            break;
        case ',':
            s.Thousands = true;
            break;
        case 'E':
        case 'e':
            if (i + 1 < length && (Text[i + 1] == QLatin1Char('+') || Text[i + 1] == QLatin1Char('-'))) {
                s.Scientific = true;
                s.ExpChar = c;
                s.ExpPlus = Text[i + 1] == QLatin1Char('+');
                i += 2;
                while (i < length && Text[i] == QLatin1Char('0')) {
                    ++s.ExpDigits;
                    ++i;
                }
                --i;
                s.Tokens.push_back({TToken::Exponent, {}});
            } else {
                literal(QString(c));
            }
            break;
        default:
            literal(QString(c));
        }
    }
    if (s.Scientific)
        s.Thousands = false;
    return s;
}

TDecimal RoundForSection(const TSection& s, double Value)
{
    if (s.Scientific)
        return ToDecimal(Value, std::clamp(s.IntCount + s.FracCount, 1, MaxPrecision), 99999);
    return ToDecimal(Value, MaxPrecision, s.FracCount);
}

// Writes the digits of d (its sign excluded) into the section's picture.
QString RenderSection(const TSection& s, const TDecimal& d)
{
    std::string intDigits;
    std::string fracDigits;
    int shownExponent = 0;
    if (s.Scientific) {
        if (!d.IsZero())
            shownExponent = d.Exponent - s.IntCount;
        intDigits = d.Digits.substr(0, std::min<size_t>(s.IntCount, d.Digits.size()));
        intDigits.resize(s.IntCount, '0'); // every place before the point is filled
        if (int(d.Digits.size()) > s.IntCount)
            fracDigits = d.Digits.substr(s.IntCount);
    } else if (!d.IsZero()) {
        if (d.Exponent > 0) {
            intDigits = d.Digits.substr(0, std::min<size_t>(d.Exponent, d.Digits.size()));
            intDigits.resize(d.Exponent, '0');
        }
        fracDigits = FractionDigits(d);
    }

    const QString group = s.Thousands ? ThousandSeparator() : QString();
    const int intLength = int(intDigits.size());
    QString out;
    int pointAt = -1;
    bool fractionShown = false;
    int place = 0;

    auto putInteger = [&](char digit, int weight) {
        out += QLatin1Char(digit);
        if (s.Thousands && weight > 0 && weight % 3 == 0)
            out += group;
    };
    // Integer digits beyond the placeholders go to the first one.
    auto putOverflow = [&] {
        for (int i = 0; i < intLength - s.IntCount; ++i)
            putInteger(intDigits[i], intLength - 1 - i);
    };

    for (const TToken& token : s.Tokens) {
        switch (token.Type) {
        case TToken::Literal:
            out += token.Text;
            break;
        case TToken::Point:
            if (s.IntCount == 0)
                putOverflow();
            pointAt = int(out.size());
            break;
        case TToken::Exponent:
            out += s.ExpChar;
            if (shownExponent < 0)
                out += QLatin1Char('-');
            else if (s.ExpPlus)
                out += QLatin1Char('+');
            out += PadNumber(std::abs(shownExponent), std::max(s.ExpDigits, 1));
            break;
        case TToken::Digit:
            if (place < s.IntCount) {
                if (place == 0)
                    putOverflow();
                const int weight = s.IntCount - 1 - place;
                if (weight < intLength)
                    putInteger(intDigits[intLength - 1 - weight], weight);
                else if (s.FirstZero >= 0 && place >= s.FirstZero)
                    putInteger('0', weight);
            } else {
                const int q = place - s.IntCount;
                if (q < int(fracDigits.size()) || place <= s.LastZero) {
                    out += QLatin1Char(q < int(fracDigits.size()) ? fracDigits[q] : '0');
                    fractionShown = true;
                }
            }
            ++place;
            break;
        }
    }
    if (fractionShown && pointAt >= 0)
        out.insert(pointAt, DecimalSeparator());
    return out;
}

} // namespace

// ============================================================== numbers

QString DecimalSeparator()
{
    return QLocale().decimalPoint();
}

QString ThousandSeparator()
{
    return QLocale().groupSeparator();
}

QString FormatFloat(const QString& Format, double Value)
{
    if (!std::isfinite(Value))
        return NonFinite(Value);
    const std::vector<QString> texts = SplitSections(Format);
    auto usable = [&texts](int index) {
        return index < int(texts.size()) && !texts[index].isEmpty() ? index : 0;
    };

    int index = usable(Value > 0 ? 0 : Value < 0 ? 1 : 2);
    if (texts[index].isEmpty())
        return FloatToStr(Value);
    TSection section = ParseSection(texts[index]);
    TDecimal d = RoundForSection(section, Value);
    if (d.IsZero() && Value != 0) {
        // Rounded to zero: the zero section, and never a minus sign.
        index = usable(2);
        if (texts[index].isEmpty())
            return FloatToStr(0);
        section = ParseSection(texts[index]);
        d = TDecimal();
    }
    const QString text = RenderSection(section, d);
    return d.Negative && index == 0 ? QLatin1Char('-') + text : text;
}

QString DecimalsPattern(int Decimals)
{
    if (Decimals <= 0)
        return QStringLiteral("0");
    return QStringLiteral("0.") + QString(std::min(Decimals, MaxFloatDecimals), QLatin1Char('0'));
}

QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits)
{
    if (!std::isfinite(Value))
        return NonFinite(Value);
    Precision = std::clamp(Precision, 1, MaxPrecision);
    const QString sign = QStringLiteral("-");

    switch (Format) {
    case ffExponent: {
        const TDecimal d = ToDecimal(Value, Precision, 99999);
        std::string mantissa = d.Digits;
        mantissa.resize(Precision, '0');
        QString out = d.Negative ? sign : QString();
        out += QLatin1Char(mantissa[0]);
        if (Precision > 1)
            out += DecimalSeparator() + QString::fromLatin1(mantissa.substr(1));
        const int e = d.IsZero() ? 0 : d.Exponent - 1;
        out += e < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
        out += PadNumber(std::abs(e), std::clamp(Digits, 0, 4));
        return out;
    }
    case ffFixed:
    case ffNumber: {
        const int decimals = std::clamp(Digits, 0, MaxPrecision);
        const TDecimal d = ToDecimal(Value, Precision, decimals);
        if (d.Exponent > Precision)
            return GeneralScientific(d, 0);
        QString out = d.Negative ? sign : QString();
        out += IntegerPart(d, Format == ffNumber ? ThousandSeparator() : QString());
        if (decimals > 0) {
            std::string fraction = FractionDigits(d);
            fraction.resize(decimals, '0');
            out += DecimalSeparator() + QString::fromLatin1(fraction);
        }
        return out;
    }
    case ffGeneral:
    default: {
        const TDecimal d = ToDecimal(Value, Precision, 99999);
        if (d.IsZero())
            return QStringLiteral("0");
        if (d.Exponent > Precision || d.Exponent < -3)
            return GeneralScientific(d, std::clamp(Digits, 0, 4));
        QString out = d.Negative ? sign : QString();
        out += IntegerPart(d, {});
        const std::string fraction = FractionDigits(d);
        if (!fraction.empty())
            out += DecimalSeparator() + QString::fromLatin1(fraction);
        return out;
    }
    }
}

QString FloatToStr(double Value)
{
    return FloatToStrF(Value, ffGeneral, 15, 0);
}

QString IntToStr(qint64 Value)
{
    return QString::number(Value);
}

namespace {
bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

bool TryStrToFloat(const QString& S, double& Value)
{
    const QString point = DecimalSeparator();
    const QString t = S.trimmed();
    const int n = int(t.size());
    std::string text;
    text.reserve(n);
    int i = 0;
    bool negative = false;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        negative = t[i++] == QLatin1Char('-');
    if (negative)
        text += '-';

    // Mantissa; magnitude = decimal exponent of its first non-zero digit + 1.
    int mantissaDigits = 0;
    bool seenPoint = false;
    bool seenNonZero = false;
    long long magnitude = 0;
    while (i < n) {
        if (IsAsciiDigit(t[i])) {
            const char digit = char(t[i].unicode());
            text += digit;
            ++mantissaDigits;
            if (digit != '0')
                seenNonZero = true;
            if (!seenPoint && seenNonZero)
                ++magnitude;
            else if (seenPoint && !seenNonZero)
                --magnitude;
            ++i;
        } else if (!seenPoint && !point.isEmpty() && QStringView(t).mid(i).startsWith(point)) {
            text += '.';
            seenPoint = true;
            i += int(point.size());
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    long long exponent = 0;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        text += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
            negativeExponent = t[i] == QLatin1Char('-');
            text += char(t[i++].unicode());
        }
        int exponentDigits = 0;
        while (i < n && IsAsciiDigit(t[i])) {
            exponent = std::min(exponent * 10 + (t[i].unicode() - '0'), 1000000LL);
            text += char(t[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return false;

    double v = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
    if (result.ptr != text.data() + text.size())
        return false;
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitude + exponent > 0)
            return false; // beyond the double range
        v = negative ? -0.0 : 0.0; // too small: zero
    } else if (result.ec != std::errc()) {
        return false;
    }
    Value = v;
    return true;
}

double StrToFloat(const QString& S)
{
    double v = 0;
    if (!TryStrToFloat(S, v))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(S));
    return v;
}

bool TryStrToInt(const QString& S, int& Value)
{
    const QString t = S.trimmed();
    const int n = int(t.size());
    int i = 0;
    bool negative = false;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        negative = t[i++] == QLatin1Char('-');
    int base = 10;
    if (i < n && t[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && t[i] == QLatin1Char('0') && (t[i + 1] == QLatin1Char('x') || t[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return false;
    qint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = t[i].unicode();
        int digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > 2147483648LL)
            return false;
    }
    const qint64 v = negative ? -magnitude : magnitude;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    Value = int(v);
    return true;
}

int StrToInt(const QString& S)
{
    int v = 0;
    if (!TryStrToInt(S, v))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(S));
    return v;
}

int StrToIntDef(const QString& S, int Default)
{
    int v = 0;
    return TryStrToInt(S, v) ? v : Default;
}

// ============================================================== arithmetic

namespace {
constexpr double TwoPow63 = 9223372036854775808.0;
}

qint64 Round(double Value)
{
    if (std::isnan(Value))
        return 0;
    if (Value >= TwoPow63)
        return std::numeric_limits<qint64>::max();
    if (Value < -TwoPow63)
        return std::numeric_limits<qint64>::min();
    double t = std::trunc(Value);
    const double rest = Value - t; // exact
    const bool odd = std::fmod(t, 2.0) != 0;
    if (rest > 0.5 || (rest == 0.5 && odd))
        t += 1;
    else if (rest < -0.5 || (rest == -0.5 && odd))
        t -= 1;
    if (t >= TwoPow63)
        return std::numeric_limits<qint64>::max();
    return static_cast<qint64>(t);
}

qint64 Trunc(double Value)
{
    if (std::isnan(Value))
        return 0;
    if (Value >= TwoPow63)
        return std::numeric_limits<qint64>::max();
    if (Value < -TwoPow63)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(Value);
}

double Frac(double Value)
{
    return Value - std::trunc(Value);
}

// ============================================================== date and time

namespace {

constexpr qint64 MSecsPerDay = 86400000;
constexpr qint64 UnixDateDelta = 25569;  // 1 Jan 1970 as a date-time value
constexpr qint64 MinDate = -693593;      // 1 Jan 0001
constexpr qint64 MaxDate = 2958465;      // 31 Dec 9999

// Days from 1 Jan 1970 of a proleptic Gregorian date.
qint64 DaysFromCivil(qint64 y, int m, int d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(qint64 z, int& Year, int& Month, int& Day)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    Day = int(doy - (153 * mp + 2) / 5 + 1);
    Month = int(mp < 10 ? mp + 3 : mp - 9);
    Year = int(yoe + era * 400 + (Month <= 2));
}

bool IsLeapYear(int Year)
{
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(int Year, int Month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

// A date-time value split into whole days (date-time numbering) and the
// milliseconds of the time of day.
struct TStamp {
    qint64 Days = 0;
    int MSecs = 0;
    bool ValidDate = false;
};

TStamp ToStamp(double DateTime)
{
    TStamp s;
    if (!std::isfinite(DateTime))
        return s;
    const qint64 total = Round(DateTime * double(MSecsPerDay));
    s.Days = total / MSecsPerDay;
    s.MSecs = int(std::abs(total % MSecsPerDay));
    s.ValidDate = s.Days >= MinDate && s.Days <= MaxDate;
    return s;
}

struct TParts {
    int Year = 0, Month = 0, Day = 0, DayOfWeek = 0;
    int Hour = 0, Min = 0, Sec = 0, MSec = 0;
};

TParts Decode(double DateTime)
{
    TParts p;
    const TStamp s = ToStamp(DateTime);
    if (s.ValidDate) {
        CivilFromDays(s.Days - UnixDateDelta, p.Year, p.Month, p.Day);
        // 30 Dec 1899 (day 0) was a Saturday (7).
        p.DayOfWeek = int(((s.Days + 6) % 7 + 7) % 7) + 1;
    }
    p.Hour = s.MSecs / 3600000;
    p.Min = s.MSecs / 60000 % 60;
    p.Sec = s.MSecs / 1000 % 60;
    p.MSec = s.MSecs % 1000;
    return p;
}

} // namespace

bool TryEncodeDate(int Year, int Month, int Day, double& Date)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        return false;
    Date = double(DaysFromCivil(Year, Month, Day) + UnixDateDelta);
    return true;
}

double EncodeDate(int Year, int Month, int Day)
{
    double date = 0;
    if (!TryEncodeDate(Year, Month, Day, date))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return date;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, double& Time)
{
    if (Hour < 0 || Hour >= 24 || Min < 0 || Min >= 60 || Sec < 0 || Sec >= 60 || MSec < 0 || MSec >= 1000)
        return false;
    Time = double(((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / double(MSecsPerDay);
    return true;
}

double EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    double time = 0;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, time))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return time;
}

void DecodeDate(double DateTime, int& Year, int& Month, int& Day)
{
    const TParts p = Decode(DateTime);
    Year = p.Year;
    Month = p.Month;
    Day = p.Day;
}

void DecodeTime(double DateTime, int& Hour, int& Min, int& Sec, int& MSec)
{
    const TParts p = Decode(DateTime);
    Hour = p.Hour;
    Min = p.Min;
    Sec = p.Sec;
    MSec = p.MSec;
}

int DayOfWeek(double DateTime)
{
    return Decode(DateTime).DayOfWeek;
}

double Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    static const qint64 zeroJulian = QDate(1899, 12, 30).toJulianDay();
    return double(now.date().toJulianDay() - zeroJulian)
        + double(now.time().msecsSinceStartOfDay()) / double(MSecsPerDay);
}

namespace {

QString DateSeparator(const QLocale& Locale)
{
    const QString format = Locale.dateFormat(QLocale::ShortFormat);
    for (const QChar c : format)
        if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\'') && c != QLatin1Char('"'))
            return QString(c);
    return QStringLiteral("/");
}

// Whether the hours at Pos are on a twelve-hour clock: the next "a" outside
// quotes, before any further hour, starts "am/pm", "a/p" or "ampm".
bool TwelveHourClock(const QString& Format, int Pos)
{
    QChar quote;
    for (int i = Pos; i < Format.size(); ++i) {
        const QChar c = Format[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('h') || c == QLatin1Char('H')) {
            return false;
        } else if (c == QLatin1Char('a') || c == QLatin1Char('A')) {
            const QStringView rest = QStringView(Format).mid(i);
            return rest.startsWith(u"am/pm", Qt::CaseInsensitive) || rest.startsWith(u"a/p", Qt::CaseInsensitive)
                || rest.startsWith(u"ampm", Qt::CaseInsensitive);
        }
    }
    return false;
}

int QtDay(int DayOfWeek) // 1 = Sunday .. 7 -> Qt's 1 = Monday .. 7 = Sunday
{
    return DayOfWeek == 1 ? 7 : DayOfWeek - 1;
}

} // namespace

QString FormatDateTime(const QString& Format, double DateTime)
{
    const TParts p = Decode(DateTime);
    const QLocale locale;
    const QDate date = p.Year > 0 ? QDate(p.Year, p.Month, p.Day) : QDate();
    QString out;
    QChar lastToken;
    const int length = int(Format.size());
    int i = 0;
    while (i < length) {
        const QChar c = Format[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            int end = int(Format.indexOf(c, i + 1));
            if (end < 0)
                end = length;
            out += Format.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        QChar token = c.toUpper();
        if (token < QLatin1Char('A') || token > QLatin1Char('Z')) {
            out += c == QLatin1Char('/') ? DateSeparator(locale) : QString(c);
            ++i;
            continue;
        }
        if (token == QLatin1Char('A')) {
            lastToken = token;
            const QStringView rest = QStringView(Format).mid(i);
            const bool pm = p.Hour >= 12;
            if (rest.startsWith(u"am/pm", Qt::CaseInsensitive)) {
                out += rest.mid(pm ? 3 : 0, 2);
                i += 5;
            } else if (rest.startsWith(u"a/p", Qt::CaseInsensitive)) {
                out += rest.mid(pm ? 2 : 0, 1);
                i += 3;
            } else if (rest.startsWith(u"ampm", Qt::CaseInsensitive)) {
                out += pm ? locale.pmText() : locale.amText();
                i += 4;
            } else {
                out += c;
                ++i;
            }
            continue;
        }
        int count = 1;
        while (i + count < length && Format[i + count].toUpper() == token)
            ++count;
        if (token == QLatin1Char('M') && lastToken == QLatin1Char('H'))
            token = QLatin1Char('N');
        lastToken = token;

        switch (token.unicode()) {
        case 'Y':
            out += count <= 2 ? PadNumber(p.Year % 100, 2) : PadNumber(p.Year, 4);
            break;
        case 'M':
            if (count <= 2)
                out += PadNumber(p.Month, count);
            else if (p.Month > 0)
                out += count == 3 ? locale.standaloneMonthName(p.Month, QLocale::ShortFormat)
                                  : locale.monthName(p.Month, QLocale::LongFormat);
            break;
        case 'D':
            if (count <= 2)
                out += PadNumber(p.Day, count);
            else if (p.DayOfWeek > 0 && count <= 4)
                out += count == 3 ? locale.standaloneDayName(QtDay(p.DayOfWeek), QLocale::ShortFormat)
                                  : locale.dayName(QtDay(p.DayOfWeek), QLocale::LongFormat);
            else if (count > 4)
                out += locale.toString(date, count == 5 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case 'H': {
            int hour = p.Hour;
            if (TwelveHourClock(Format, i + count))
                hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
            out += PadNumber(hour, count == 1 ? 1 : 2);
            break;
        }
        case 'N':
            out += PadNumber(p.Min, count == 1 ? 1 : 2);
            break;
        case 'S':
            out += PadNumber(p.Sec, count == 1 ? 1 : 2);
            break;
        case 'Z':
            out += PadNumber(p.MSec, count == 1 ? 1 : 3);
            break;
        case 'T':
            out += FormatDateTime(count == 1 ? QStringLiteral("h:nn") : QStringLiteral("h:nn:ss"), DateTime);
            break;
        case 'C': {
            // Each c of a run stands alone: the text once, repeated.
            QString text = locale.toString(date, QLocale::ShortFormat);
            if (p.Hour || p.Min || p.Sec || p.MSec)
                text += QLatin1Char(' ') + FormatDateTime(QStringLiteral("h:nn:ss"), DateTime);
            out += text.repeated(count);
            break;
        }
        default:
            out += Format.mid(i, count);
        }
        i += count;
    }
    return out;
}

// ============================================================== files

namespace {
int LastPathDelimiter(const QString& FileName)
{
    return int(std::max(FileName.lastIndexOf(QLatin1Char('/')), FileName.lastIndexOf(QLatin1Char('\\'))));
}

int ExtensionDot(const QString& FileName)
{
    const int dot = int(FileName.lastIndexOf(QLatin1Char('.')));
    return dot > LastPathDelimiter(FileName) ? dot : -1;
}
} // namespace

QString ChangeFileExt(const QString& FileName, const QString& Extension)
{
    const int dot = ExtensionDot(FileName);
    return (dot < 0 ? FileName : FileName.left(dot)) + Extension;
}

QString ExtractFileName(const QString& FileName)
{
    return FileName.mid(LastPathDelimiter(FileName) + 1);
}

QString ExtractFileExt(const QString& FileName)
{
    const int dot = ExtensionDot(FileName);
    return dot < 0 ? QString() : FileName.mid(dot);
}

bool FileExists(const QString& FileName)
{
    return !FileName.isEmpty() && QFileInfo(FileName).isFile();
}

// ============================================================== random numbers

quint32 RandSeed = 0;

void Randomize()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count()
        ^ std::chrono::steady_clock::now().time_since_epoch().count();
    RandSeed = quint32(ticks) ^ quint32(quint64(ticks) >> 32);
}

namespace {
quint32 NextRandom()
{
    RandSeed = RandSeed * 0x08088405u + 1u;
    return RandSeed;
}
} // namespace

double Random()
{
    return double(NextRandom()) * (1.0 / 4294967296.0);
}

int Random(int Range)
{
    if (Range <= 0)
        return 0;
    return int((quint64(NextRandom()) * quint64(Range)) >> 32);
}

} // namespace Tessaron
