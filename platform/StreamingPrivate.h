#pragma once
// Pieces shared by the description reader and writer: the parsed value, the
// kinds of properties a description can hold, and the conversions between
// parsed values, property values and text.

#include <platform/Streaming.h>

#include <QMetaProperty>
#include <QString>
#include <QVariant>

#include <vector>

namespace Tessaron::StreamingDetail {

// One value as it stands in a description.
struct TValue {
    enum TKind : int { vkInteger, vkFloat, vkString, vkIdent, vkSet, vkList, vkBinary };
    TKind Kind = vkInteger;
    int Line = 0;
    QString Text;            // number text, identifier or string contents
    QByteArray Bytes;        // binary data
    std::vector<TValue> Items;  // set elements (identifiers) or list items
};

enum class TPropertyKind {
    Unsupported,
    Event,         // a registered event type
    SubObject,     // pointer to a QObject that is not a component: its properties are set
    Reference,     // pointer to a component: written as the component's name
    Bool,
    Enum,          // Q_ENUM
    Flags,         // Q_FLAG: a set
    Integer,       // integer types and other enumerations
    Float,
    Double,
    String,
    Bytes,
    StringList,
    VariantList,
};

TPropertyKind ClassifyProperty(const QMetaProperty& Property);
// The meta-object a pointer property points to (sub-objects and references).
const QMetaObject* PointeeMetaObject(const QMetaProperty& Property);
// The object a pointer-typed property value holds.
QObject* VariantToObject(const QVariant& Value);
// A value of a pointer-to-QObject type holding Object.
QVariant ObjectToVariant(QMetaType Type, QObject* Object);

// Integer storage of integer, enumeration and flag values.
bool VariantToInteger(const QVariant& Value, qint64* Result);
// A value of Type holding Result; false when it does not fit.
bool IntegerToVariant(QMetaType Type, qint64 Value, QVariant* Result);

bool LookupIntegerIdent(QMetaType Type, const QString& Name, qint64* Value);
QString IntegerIdentOf(QMetaType Type, qint64 Value);
bool IsOpenEnumeration(QMetaType Type);

// Converts a parsed value for a property of the simple kinds (everything but
// events, sub-objects and references). Returns false with Error set.
bool ConvertValue(const TValue& Value, const QMetaProperty& Property, QVariant* Result, QString* Error);
// Converts a parsed list into the numbers/strings/nested lists of a list property.
bool ConvertList(const TValue& Value, QVariantList* Result, QString* Error);

// Parses a single value written alone (a stored default).
bool ParseSingleValue(const QString& Text, TValue* Result, QString* Error);

// Text of a simple property value. Continuation lines (long strings, binary
// data, long lists) start with Indent. Throws EWriteError for a value a
// description cannot hold.
QString FormatValue(const QMetaProperty& Property, const QVariant& Value, const QString& Indent);
QString FormatList(const QVariantList& List, const QString& Indent);

// The handler method of Target named Name that takes the event's parameters;
// Found tells whether a method of that name exists at all.
bool FindHandler(const QObject* Target, const QString& Name, const TEventTypeInfo& Info, QMetaMethod* Method,
    bool* Found);

// The error text for a property of a type descriptions cannot hold.
QString UnsupportedTypeMessage(const QString& Property, const QString& ClassName, QMetaType Type);

// The property of a meta-object with the given name: exact spelling first,
// then ignoring case.
int FindProperty(const QMetaObject* Meta, const QString& Name);

} // namespace Tessaron::StreamingDetail
