// Property kinds and the conversions between description values, property
// values and text.

#include "platform/Streaming.h"
#include "platform/StreamingPrivate.h"

#include <QMetaEnum>
#include <QMetaObject>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace Tessaron {

namespace StreamingDetail {

// ---------------------------------------------------------------- property kinds

int FindProperty(const QMetaObject* Meta, const QString& Name)
{
    QByteArray latin = Name.toLatin1();
    int index = Meta->indexOfProperty(latin.constData());
    if (index >= 0)
        return index;
    for (int i = 0; i < Meta->propertyCount(); ++i)
        if (QString::fromLatin1(Meta->property(i).name()).compare(Name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

namespace {

bool IsRawInteger(QMetaType Type)
{
    if (Type.flags() & QMetaType::IsEnumeration)
        return true;
    return QByteArray(Type.name()).startsWith("QFlags<");
}

// The enumeration of a property, also for an enumeration type that moc did not
// connect to the property (declared in another scope).
QMetaEnum EnumeratorOf(const QMetaProperty& Property)
{
    if (Property.isEnumType())
        return Property.enumerator();
    QMetaType type = Property.metaType();
    if (!(type.flags() & QMetaType::IsEnumeration) || !type.metaObject())
        return {};
    QByteArray name = type.name();
    int colon = name.lastIndexOf("::");
    if (colon >= 0)
        name = name.mid(colon + 2);
    const QMetaObject* scope = type.metaObject();
    int index = scope->indexOfEnumerator(name.constData());
    return index >= 0 ? scope->enumerator(index) : QMetaEnum();
}

bool LookupEnumKey(const QMetaEnum& Enum, const QString& Name, qint64* Value)
{
    if (!Enum.isValid())
        return false;
    for (int i = 0; i < Enum.keyCount(); ++i)
        if (QLatin1String(Enum.key(i)) == Name) {
            *Value = Enum.value(i);
            return true;
        }
    for (int i = 0; i < Enum.keyCount(); ++i)
        if (QString::fromLatin1(Enum.key(i)).compare(Name, Qt::CaseInsensitive) == 0) {
            *Value = Enum.value(i);
            return true;
        }
    return false;
}

} // namespace

TPropertyKind ClassifyProperty(const QMetaProperty& Property)
{
    QMetaType type = Property.metaType();
    if (FindEventTypeInfo(type))
        return TPropertyKind::Event;
    QMetaEnum e = EnumeratorOf(Property);
    if (e.isValid())
        return e.isFlag() ? TPropertyKind::Flags : TPropertyKind::Enum;
    if (type.flags() & QMetaType::PointerToQObject) {
        const QMetaObject* meta = type.metaObject();
        if (meta && meta->inherits(&TComponent::staticMetaObject))
            return TPropertyKind::Reference;
        return TPropertyKind::SubObject;
    }
    switch (type.id()) {
    case QMetaType::Bool:
        return TPropertyKind::Bool;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return TPropertyKind::Integer;
    case QMetaType::Float:
        return TPropertyKind::Float;
    case QMetaType::Double:
        return TPropertyKind::Double;
    case QMetaType::QString:
        return TPropertyKind::String;
    case QMetaType::QByteArray:
        return TPropertyKind::Bytes;
    case QMetaType::QStringList:
        return TPropertyKind::StringList;
    case QMetaType::QVariantList:
        return TPropertyKind::VariantList;
    default:
        break;
    }
    if (IsRawInteger(type) && type.sizeOf() <= 8)
        return TPropertyKind::Integer;
    return TPropertyKind::Unsupported;
}

const QMetaObject* PointeeMetaObject(const QMetaProperty& Property)
{
    return Property.metaType().metaObject();
}

QObject* VariantToObject(const QVariant& Value)
{
    if (!(Value.metaType().flags() & QMetaType::PointerToQObject) || !Value.constData())
        return nullptr;
    return *static_cast<QObject* const*>(Value.constData());
}

QVariant ObjectToVariant(QMetaType Type, QObject* Object)
{
    // A QObject subclass has QObject as its first base: the pointer is the same.
    return QVariant(Type, &Object);
}

QString UnsupportedTypeMessage(const QString& Property, const QString& ClassName, QMetaType Type)
{
    const QByteArray type = Type.name();
    QString text = QStringLiteral("property \"%1\" of %2 has a type (%3) that descriptions cannot hold")
                       .arg(Property, ClassName, QString::fromLatin1(type));
    if (type.contains("TEvent<") || type.contains("function<"))
        text += QStringLiteral(": an event type not registered with RegisterEventType");
    return text;
}

// ---------------------------------------------------------------- integers

bool VariantToInteger(const QVariant& Value, qint64* Result)
{
    QMetaType type = Value.metaType();
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Bool:
        *Result = Value.toLongLong();
        return true;
    case QMetaType::ULongLong:
        *Result = qint64(Value.toULongLong());
        return true;
    default:
        break;
    }
    if (!IsRawInteger(type) || !Value.constData())
        return false;
    const bool isUnsigned = type.flags() & QMetaType::IsUnsignedEnumeration;
    switch (type.sizeOf()) {
    case 1: {
        quint8 v;
        std::memcpy(&v, Value.constData(), 1);
        *Result = isUnsigned ? qint64(v) : qint64(qint8(v));
        return true;
    }
    case 2: {
        quint16 v;
        std::memcpy(&v, Value.constData(), 2);
        *Result = isUnsigned ? qint64(v) : qint64(qint16(v));
        return true;
    }
    case 4: {
        quint32 v;
        std::memcpy(&v, Value.constData(), 4);
        *Result = isUnsigned ? qint64(v) : qint64(qint32(v));
        return true;
    }
    case 8:
        std::memcpy(Result, Value.constData(), 8);
        return true;
    default:
        return false;
    }
}

namespace {

template <typename T>
bool Store(QMetaType Type, qint64 Value, QVariant* Result)
{
    if (Value < qint64(std::numeric_limits<T>::min()) || (Value > 0 && quint64(Value) > quint64(std::numeric_limits<T>::max())))
        return false;
    T v = T(Value);
    *Result = QVariant(Type, &v);
    return true;
}

} // namespace

bool IntegerToVariant(QMetaType Type, qint64 Value, QVariant* Result)
{
    switch (Type.id()) {
    case QMetaType::Int:
        return Store<int>(Type, Value, Result);
    case QMetaType::UInt:
        return Store<uint>(Type, Value, Result);
    case QMetaType::LongLong:
        return Store<qlonglong>(Type, Value, Result);
    case QMetaType::ULongLong:
        return Store<qulonglong>(Type, Value, Result);
    case QMetaType::Long:
        return Store<long>(Type, Value, Result);
    case QMetaType::ULong:
        return Store<ulong>(Type, Value, Result);
    case QMetaType::Short:
        return Store<short>(Type, Value, Result);
    case QMetaType::UShort:
        return Store<ushort>(Type, Value, Result);
    case QMetaType::SChar:
        return Store<signed char>(Type, Value, Result);
    case QMetaType::UChar:
        return Store<uchar>(Type, Value, Result);
    default:
        break;
    }
    if (!IsRawInteger(Type))
        return false;
    const bool isUnsigned = Type.flags() & QMetaType::IsUnsignedEnumeration;
    switch (Type.sizeOf()) {
    case 1:
        return isUnsigned ? Store<quint8>(Type, Value, Result) : Store<qint8>(Type, Value, Result);
    case 2:
        return isUnsigned ? Store<quint16>(Type, Value, Result) : Store<qint16>(Type, Value, Result);
    case 4:
        return isUnsigned ? Store<quint32>(Type, Value, Result) : Store<qint32>(Type, Value, Result);
    case 8:
        return Store<qint64>(Type, Value, Result);
    default:
        return false;
    }
}

// ---------------------------------------------------------------- parsed values to properties

namespace {

QString KindName(TValue::TKind Kind)
{
    switch (Kind) {
    case TValue::vkInteger:
        return QStringLiteral("an integer");
    case TValue::vkFloat:
        return QStringLiteral("a float");
    case TValue::vkString:
        return QStringLiteral("a string");
    case TValue::vkIdent:
        return QStringLiteral("an identifier");
    case TValue::vkSet:
        return QStringLiteral("a set");
    case TValue::vkList:
        return QStringLiteral("a list");
    case TValue::vkBinary:
        return QStringLiteral("binary data");
    }
    return {};
}

// An integer literal; hex literals of up to 32 bits wrap into 32-bit signed
// types, as the classic format writes negative colours.
bool ParseIntegerLiteral(const QString& Text, qint64* Result)
{
    QByteArray t = Text.toLatin1();
    bool negative = t.startsWith('-');
    if (negative)
        t.remove(0, 1);
    bool ok = false;
    quint64 magnitude = t.startsWith('$') ? t.mid(1).toULongLong(&ok, 16) : t.toULongLong(&ok, 10);
    if (!ok)
        return false;
    if (negative) {
        if (magnitude > quint64(std::numeric_limits<qint64>::max()) + 1)
            return false;
        *Result = qint64(0 - magnitude);
    } else {
        if (magnitude > quint64(std::numeric_limits<qint64>::max()))
            return false;
        *Result = qint64(magnitude);
    }
    return true;
}

bool IsHexLiteral(const QString& Text)
{
    return Text.startsWith(QLatin1Char('$')) || Text.startsWith(QLatin1String("-$"));
}

bool ParseFloatLiteral(const TValue& Value, bool Single, double* Result)
{
    QString text = Value.Text;
    if (Value.Kind == TValue::vkIdent || Value.Kind == TValue::vkFloat) {
        if (text.compare(QLatin1String("NAN"), Qt::CaseInsensitive) == 0) {
            *Result = std::numeric_limits<double>::quiet_NaN();
            return true;
        }
        if (text.compare(QLatin1String("INF"), Qt::CaseInsensitive) == 0) {
            *Result = std::numeric_limits<double>::infinity();
            return true;
        }
        if (text.compare(QLatin1String("-INF"), Qt::CaseInsensitive) == 0) {
            *Result = -std::numeric_limits<double>::infinity();
            return true;
        }
        if (Value.Kind == TValue::vkIdent)
            return false;
    }
    if (Value.Kind == TValue::vkInteger && IsHexLiteral(text)) {
        qint64 i;
        if (!ParseIntegerLiteral(text, &i))
            return false;
        *Result = double(i);
        return true;
    }
    if (Value.Kind != TValue::vkInteger && Value.Kind != TValue::vkFloat)
        return false;
    QByteArray latin = text.toLatin1();
    const char* first = latin.constData();
    const char* last = first + latin.size();
    std::from_chars_result r;
    if (Single) {
        float f;
        r = std::from_chars(first, last, f);
        *Result = f;
    } else {
        r = std::from_chars(first, last, *Result);
    }
    return r.ec == std::errc() && r.ptr == last;
}

} // namespace

bool ConvertList(const TValue& Value, QVariantList* Result, QString* Error)
{
    if (Value.Kind != TValue::vkList) {
        *Error = QStringLiteral("a list ( ... ) expected, found %1").arg(KindName(Value.Kind));
        return false;
    }
    Result->clear();
    for (const TValue& item : Value.Items) {
        switch (item.Kind) {
        case TValue::vkInteger: {
            qint64 i;
            if (!ParseIntegerLiteral(item.Text, &i)) {
                *Error = QStringLiteral("integer %1 out of range").arg(item.Text);
                return false;
            }
            Result->append(QVariant(qlonglong(i)));
            break;
        }
        case TValue::vkFloat: {
            double d;
            if (!ParseFloatLiteral(item, false, &d)) {
                *Error = QStringLiteral("malformed number %1").arg(item.Text);
                return false;
            }
            Result->append(QVariant(d));
            break;
        }
        case TValue::vkString:
            Result->append(QVariant(item.Text));
            break;
        case TValue::vkBinary:
            Result->append(QVariant(item.Bytes));
            break;
        case TValue::vkIdent: {
            qint64 i;
            double d;
            if (item.Text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                Result->append(QVariant(true));
            else if (item.Text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                Result->append(QVariant(false));
            else if (ParseFloatLiteral(item, false, &d))
                Result->append(QVariant(d));
            else if (LookupIntegerIdent(QMetaType(), item.Text, &i))
                Result->append(QVariant(qlonglong(i)));
            else {
                *Error = QStringLiteral("unknown identifier \"%1\" in a list").arg(item.Text);
                return false;
            }
            break;
        }
        case TValue::vkList: {
            QVariantList nested;
            if (!ConvertList(item, &nested, Error))
                return false;
            Result->append(QVariant(nested));
            break;
        }
        case TValue::vkSet:
            *Error = QStringLiteral("a set cannot stand in a list");
            return false;
        }
    }
    return true;
}

bool ConvertValue(const TValue& Value, const QMetaProperty& Property, QVariant* Result, QString* Error)
{
    const QMetaType type = Property.metaType();
    const QString name = QString::fromLatin1(Property.name());
    auto mismatch = [&](const QString& expected) {
        *Error = QStringLiteral("%1 expected for \"%2\", found %3").arg(expected, name, KindName(Value.Kind));
        return false;
    };
    auto integer = [&](qint64 v) {
        if (!IntegerToVariant(type, v, Result)) {
            *Error = QStringLiteral("value %1 out of range for \"%2\"").arg(v).arg(name);
            return false;
        }
        return true;
    };
    auto literal = [&](qint64* v) {
        if (!ParseIntegerLiteral(Value.Text, v)) {
            *Error = QStringLiteral("value %1 out of range for \"%2\"").arg(Value.Text, name);
            return false;
        }
        if (IsHexLiteral(Value.Text) && type.sizeOf() == 4 && *v > std::numeric_limits<qint32>::max()
            && *v <= qint64(std::numeric_limits<quint32>::max())) {
            QVariant probe;
            if (!IntegerToVariant(type, *v, &probe))
                *v = qint32(quint32(*v));
        }
        return true;
    };

    switch (ClassifyProperty(Property)) {
    case TPropertyKind::Bool:
        if (Value.Kind == TValue::vkIdent) {
            if (Value.Text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
                *Result = QVariant(true);
                return true;
            }
            if (Value.Text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
                *Result = QVariant(false);
                return true;
            }
            *Error = QStringLiteral("True or False expected for \"%1\", found \"%2\"").arg(name, Value.Text);
            return false;
        }
        return mismatch(QStringLiteral("True or False"));

    case TPropertyKind::Enum: {
        // A closed enumeration takes its named values only: any other value
        // would be undefined once stored.
        const QMetaEnum e = EnumeratorOf(Property);
        auto named = [&](qint64 v) {
            if (IsOpenEnumeration(type) || (v >= INT_MIN && v <= INT_MAX && e.valueToKey(int(v)))
                || !IntegerIdentOf(type, v).isEmpty())
                return integer(v);
            *Error = QStringLiteral("%1 is not a value of \"%2\" (%3)").arg(v).arg(name, QString::fromLatin1(e.name()));
            return false;
        };
        qint64 v;
        if (Value.Kind == TValue::vkIdent) {
            if (LookupEnumKey(e, Value.Text, &v) || LookupIntegerIdent(type, Value.Text, &v))
                return named(v);
            *Error = QStringLiteral("unknown value \"%1\" for \"%2\" (%3)")
                         .arg(Value.Text, name, QString::fromLatin1(EnumeratorOf(Property).name()));
            return false;
        }
        if (Value.Kind == TValue::vkInteger)
            return literal(&v) && named(v);
        return mismatch(QStringLiteral("an enumeration value"));
    }

    case TPropertyKind::Flags: {
        qint64 v = 0;
        const QMetaEnum e = EnumeratorOf(Property);
        if (Value.Kind == TValue::vkSet) {
            for (const TValue& item : Value.Items) {
                qint64 bit;
                if (!LookupEnumKey(e, item.Text, &bit)) {
                    *Error = QStringLiteral("unknown element \"%1\" of \"%2\" (%3)")
                                 .arg(item.Text, name, QString::fromLatin1(e.name()));
                    return false;
                }
                v |= bit;
            }
            return integer(v);
        }
        if (Value.Kind == TValue::vkInteger)  // a set may hold unnamed bits: QFlags stores any integer
            return literal(&v) && integer(v);
        return mismatch(QStringLiteral("a set [ ... ]"));
    }

    case TPropertyKind::Integer: {
        qint64 v;
        if (Value.Kind == TValue::vkIdent) {
            if (LookupIntegerIdent(type, Value.Text, &v))
                return integer(v);
            *Error = QStringLiteral("unknown value \"%1\" for \"%2\"").arg(Value.Text, name);
            return false;
        }
        if (Value.Kind == TValue::vkInteger)
            return literal(&v) && integer(v);
        return mismatch(QStringLiteral("an integer"));
    }

    case TPropertyKind::Float:
    case TPropertyKind::Double: {
        const bool single = ClassifyProperty(Property) == TPropertyKind::Float;
        double d;
        if (Value.Kind != TValue::vkInteger && Value.Kind != TValue::vkFloat && Value.Kind != TValue::vkIdent)
            return mismatch(QStringLiteral("a number"));
        if (!ParseFloatLiteral(Value, single, &d)) {
            if (Value.Kind == TValue::vkIdent)
                *Error = QStringLiteral("unknown value \"%1\" for \"%2\"").arg(Value.Text, name);
            else
                *Error = QStringLiteral("number %1 out of range for \"%2\"").arg(Value.Text, name);
            return false;
        }
        *Result = single ? QVariant(float(d)) : QVariant(d);
        return true;
    }

    case TPropertyKind::String:
        if (Value.Kind != TValue::vkString)
            return mismatch(QStringLiteral("a string"));
        *Result = QVariant(Value.Text);
        return true;

    case TPropertyKind::Bytes:
        if (Value.Kind != TValue::vkBinary)
            return mismatch(QStringLiteral("binary data { ... }"));
        *Result = QVariant(Value.Bytes);
        return true;

    case TPropertyKind::StringList: {
        if (Value.Kind != TValue::vkList)
            return mismatch(QStringLiteral("a list of strings"));
        QStringList list;
        for (const TValue& item : Value.Items) {
            if (item.Kind != TValue::vkString) {
                *Error = QStringLiteral("\"%1\" takes strings only, found %2").arg(name, KindName(item.Kind));
                return false;
            }
            list.append(item.Text);
        }
        *Result = QVariant(list);
        return true;
    }

    case TPropertyKind::VariantList: {
        QVariantList list;
        if (!ConvertList(Value, &list, Error))
            return false;
        *Result = QVariant(list);
        return true;
    }

    case TPropertyKind::Event:
    case TPropertyKind::SubObject:
    case TPropertyKind::Reference:
    case TPropertyKind::Unsupported:
        break;
    }
    *Error = UnsupportedTypeMessage(name, StreamClassName(Property.enclosingMetaObject()), type);
    return false;
}

// ---------------------------------------------------------------- values to text

namespace {

constexpr int StringChunk = 64;   // characters of a string per line
constexpr int BinaryChunk = 32;   // bytes of binary data per line
constexpr int ListWidth = 100;    // characters of a list per line

QString FormatInteger(qint64 Value)
{
    return QString::number(Value);
}

template <typename T>
QString FormatFloat(T Value)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof(buffer), Value);
    QString text = QString::fromLatin1(buffer, int(r.ptr - buffer));
    // A float keeps a decimal point or an exponent, so that it reads back as a float.
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')))
        text += QLatin1String(".0");
    return text;
}

QString QuoteChunk(QStringView Chunk)
{
    QString out;
    bool open = false;
    for (QChar c : Chunk) {
        if (c.unicode() < 32 || c.unicode() == 127) {
            if (open) {
                out += QLatin1Char('\'');
                open = false;
            }
            out += QLatin1Char('#') + QString::number(c.unicode());
            continue;
        }
        if (!open) {
            out += QLatin1Char('\'');
            open = true;
        }
        if (c == QLatin1Char('\''))
            out += QLatin1String("''");
        else
            out += c;
    }
    if (open)
        out += QLatin1Char('\'');
    if (out.isEmpty())
        out = QStringLiteral("''");
    return out;
}

QString FormatString(const QString& Value, const QString& Indent)
{
    if (Value.size() <= StringChunk)
        return QuoteChunk(Value);
    QString out;
    int pos = 0;
    while (pos < Value.size()) {
        int n = std::min(StringChunk, int(Value.size()) - pos);
        // Never split a surrogate pair.
        if (pos + n < Value.size() && Value.at(pos + n - 1).isHighSurrogate())
            --n;
        if (!out.isEmpty())
            out += QLatin1String(" +\n") + Indent;
        out += QuoteChunk(QStringView(Value).mid(pos, n));
        pos += n;
    }
    return out;
}

void AppendHex(QString& Out, const char* Data, qsizetype Size)
{
    static const char digits[] = "0123456789ABCDEF";
    for (qsizetype i = 0; i < Size; ++i) {
        const uchar b = uchar(Data[i]);
        Out += QLatin1Char(digits[b >> 4]);
        Out += QLatin1Char(digits[b & 15]);
    }
}

QString FormatBytes(const QByteArray& Value, const QString& Indent)
{
    QString out;
    if (Value.size() <= BinaryChunk) {
        out += QLatin1Char('{');
        AppendHex(out, Value.constData(), Value.size());
        out += QLatin1Char('}');
        return out;
    }
    const qsizetype lines = (Value.size() + BinaryChunk - 1) / BinaryChunk;
    out.reserve(2 * Value.size() + lines * (Indent.size() + 1) + 2);
    out += QLatin1Char('{');
    for (qsizetype pos = 0; pos < Value.size(); pos += BinaryChunk) {
        out += QLatin1Char('\n');
        out += Indent;
        AppendHex(out, Value.constData() + pos, std::min<qsizetype>(BinaryChunk, Value.size() - pos));
    }
    out += QLatin1Char('}');
    return out;
}

void ListTokens(const QVariantList& List, QStringList* Tokens)
{
    Tokens->append(QStringLiteral("("));
    for (const QVariant& item : List) {
        switch (item.metaType().id()) {
        case QMetaType::Bool:
            Tokens->append(item.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
            break;
        case QMetaType::Double:
            Tokens->append(FormatFloat(item.toDouble()));
            break;
        case QMetaType::Float:
            Tokens->append(FormatFloat(item.toFloat()));
            break;
        case QMetaType::QString:
            Tokens->append(QuoteChunk(item.toString()));
            break;
        case QMetaType::QByteArray: {
            QString hex = QStringLiteral("{");
            const QByteArray bytes = item.toByteArray();
            AppendHex(hex, bytes.constData(), bytes.size());
            Tokens->append(hex + QLatin1Char('}'));
            break;
        }
        case QMetaType::QVariantList:
            ListTokens(item.toList(), Tokens);
            break;
        case QMetaType::QStringList: {
            QVariantList strings;
            for (const QString& s : item.toStringList())
                strings.append(s);
            ListTokens(strings, Tokens);
            break;
        }
        default: {
            qint64 v;
            if (!VariantToInteger(item, &v))
                throw EWriteError(QStringLiteral("a list item of type %1 cannot be written")
                                      .arg(QString::fromLatin1(item.metaType().name())));
            Tokens->append(FormatInteger(v));
            break;
        }
        }
    }
    Tokens->append(QStringLiteral(")"));
}

} // namespace

QString FormatList(const QVariantList& List, const QString& Indent)
{
    QStringList tokens;
    ListTokens(List, &tokens);
    // Glue "(" to the item after it and ")" to the item before it, then fill
    // lines of about ListWidth characters.
    QStringList words;
    bool glueNext = false;
    for (const QString& t : tokens) {
        if (t == QLatin1String(")") && !words.isEmpty())
            words.last() += t;
        else if (glueNext)
            words.last() += t;
        else
            words.append(t);
        glueNext = t == QLatin1String("(");
    }
    QString out;
    int lineLength = 0;
    for (const QString& w : words) {
        if (out.isEmpty()) {
            out = w;
            lineLength = int(w.size());
        } else if (lineLength + 1 + w.size() > ListWidth) {
            out += QLatin1Char('\n') + Indent + w;
            lineLength = int(Indent.size() + w.size());
        } else {
            out += QLatin1Char(' ') + w;
            lineLength += int(1 + w.size());
        }
    }
    return out;
}

QString FormatValue(const QMetaProperty& Property, const QVariant& Value, const QString& Indent)
{
    const QMetaType type = Property.metaType();
    auto cannot = [&]() {
        return EWriteError(UnsupportedTypeMessage(
            QString::fromLatin1(Property.name()), StreamClassName(Property.enclosingMetaObject()), type));
    };
    switch (ClassifyProperty(Property)) {
    case TPropertyKind::Bool:
        return Value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case TPropertyKind::Enum: {
        qint64 v;
        if (!VariantToInteger(Value, &v))
            throw cannot();
        QMetaEnum e = EnumeratorOf(Property);
        for (int i = 0; i < e.keyCount(); ++i)
            if (e.value(i) == v)
                return QString::fromLatin1(e.key(i));
        QString ident = IntegerIdentOf(type, v);
        return ident.isEmpty() ? FormatInteger(v) : ident;
    }
    case TPropertyKind::Flags: {
        qint64 v;
        if (!VariantToInteger(Value, &v))
            throw cannot();
        QMetaEnum e = EnumeratorOf(Property);
        QStringList keys;
        qint64 covered = 0;
        for (int i = 0; i < e.keyCount(); ++i) {
            const qint64 bit = quint32(e.value(i));
            if (bit != 0 && (bit & (bit - 1)) == 0 && (v & bit) && !(covered & bit)) {
                keys.append(QString::fromLatin1(e.key(i)));
                covered |= bit;
            }
        }
        // Bits without an element name keep the value as a plain number.
        if ((quint64(v) & 0xFFFFFFFFu) != quint64(covered))
            return FormatInteger(v);
        return QLatin1Char('[') + keys.join(QLatin1String(", ")) + QLatin1Char(']');
    }
    case TPropertyKind::Integer: {
        qint64 v;
        if (!VariantToInteger(Value, &v))
            throw cannot();
        QString ident = IntegerIdentOf(type, v);
        return ident.isEmpty() ? FormatInteger(v) : ident;
    }
    case TPropertyKind::Float:
        return FormatFloat(Value.toFloat());
    case TPropertyKind::Double:
        return FormatFloat(Value.toDouble());
    case TPropertyKind::String:
        return FormatString(Value.toString(), Indent);
    case TPropertyKind::Bytes:
        return FormatBytes(Value.toByteArray(), Indent);
    case TPropertyKind::StringList: {
        QVariantList strings;
        for (const QString& s : Value.toStringList())
            strings.append(s);
        return FormatList(strings, Indent);
    }
    case TPropertyKind::VariantList:
        return FormatList(Value.toList(), Indent);
    case TPropertyKind::Event:
    case TPropertyKind::SubObject:
    case TPropertyKind::Reference:
    case TPropertyKind::Unsupported:
        break;
    }
    throw cannot();
}

} // namespace StreamingDetail

} // namespace Tessaron
