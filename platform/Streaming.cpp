// Registries of classes, identifiers and event types; binding handlers.

#include "platform/Streaming.h"
#include "platform/StreamingPrivate.h"
#include "platform/Types.h"

#include <QHash>
#include <QSet>
#include <QMetaObject>

#include <vector>

namespace Tessaron {

// ---------------------------------------------------------------- errors

EStreamError::~EStreamError() = default;
EWriteError::~EWriteError() = default;
EReadError::~EReadError() = default;

EReadError::EReadError(const QString& Source, int Line, const QString& Reason)
    : EStreamError(QStringLiteral("%1, line %2: %3").arg(Source).arg(Line).arg(Reason)),
      FSource(Source), FLine(Line), FReason(Reason)
{
}

// ---------------------------------------------------------------- registries

namespace {

struct TIdentTable {
    std::vector<std::pair<QString, qint64>> Entries;  // in registration order
};

struct TRegistry {
    QHash<QString, std::pair<const QMetaObject*, TComponentFactory>> Classes;
    TIdentTable GlobalIdents;
    QHash<int, TIdentTable> TypedIdents;
    QHash<int, TEventTypeInfo> Events;
    QSet<int> OpenEnumerations;
};

TEventTypeInfo NotifyEventInfo();

TRegistry& Registry()
{
    static TRegistry registry = [] {
        TRegistry r;
        r.Events.insert(QMetaType::fromType<TNotifyEvent>().id(), NotifyEventInfo());
        r.OpenEnumerations.insert(QMetaType::fromType<TColor>().id());  // RGB values have no names
        return r;
    }();
    return registry;
}

bool LookupIn(const TIdentTable& Table, const QString& Name, qint64* Value)
{
    for (const auto& [name, value] : Table.Entries)
        if (name == Name) {
            *Value = value;
            return true;
        }
    for (const auto& [name, value] : Table.Entries)
        if (name.compare(Name, Qt::CaseInsensitive) == 0) {
            *Value = value;
            return true;
        }
    return false;
}

} // namespace

QString StreamClassName(const QMetaObject* Meta)
{
    if (!Meta)
        return {};
    QString name = QString::fromLatin1(Meta->className());
    int colon = name.lastIndexOf(QLatin1String("::"));
    return colon >= 0 ? name.mid(colon + 2) : name;
}

void RegisterClassFactory(const QMetaObject& Meta, TComponentFactory Factory)
{
    Registry().Classes.insert(StreamClassName(&Meta), {&Meta, std::move(Factory)});
}

namespace {

const std::pair<const QMetaObject*, TComponentFactory>* FindClassEntry(const QString& ClassName)
{
    const auto& classes = Registry().Classes;
    auto it = classes.constFind(ClassName);
    if (it != classes.constEnd())
        return &it.value();
    for (auto i = classes.constBegin(); i != classes.constEnd(); ++i)
        if (i.key().compare(ClassName, Qt::CaseInsensitive) == 0)
            return &i.value();
    return nullptr;
}

} // namespace

const QMetaObject* FindClass(const QString& ClassName)
{
    const auto* entry = FindClassEntry(ClassName);
    return entry ? entry->first : nullptr;
}

TComponent* CreateComponent(const QString& ClassName, TComponent* AOwner)
{
    const auto* entry = FindClassEntry(ClassName);
    return entry ? entry->second(AOwner) : nullptr;
}

void RegisterIntegerIdent(const char* Name, qint64 Value)
{
    Registry().GlobalIdents.Entries.emplace_back(QString::fromLatin1(Name), Value);
}

void RegisterIntegerIdent(QMetaType Type, const char* Name, qint64 Value)
{
    Registry().TypedIdents[Type.id()].Entries.emplace_back(QString::fromLatin1(Name), Value);
}

void RegisterOpenEnumeration(QMetaType Type)
{
    Registry().OpenEnumerations.insert(Type.id());
}

void RegisterEventTypeInfo(QMetaType Type, TEventTypeInfo Info)
{
    Registry().Events.insert(Type.id(), std::move(Info));
}

const TEventTypeInfo* FindEventTypeInfo(QMetaType Type)
{
    if (!Type.isValid())
        return nullptr;
    const auto& events = Registry().Events;
    auto it = events.constFind(Type.id());
    return it == events.constEnd() ? nullptr : &it.value();
}

namespace {

TEventTypeInfo NotifyEventInfo()
{
    return StreamingDetail::MakeEventTypeInfo<TNotifyEvent>();
}

} // namespace

namespace StreamingDetail {

// ---------------------------------------------------------------- identifiers

bool LookupIntegerIdent(QMetaType Type, const QString& Name, qint64* Value)
{
    const auto& typed = Registry().TypedIdents;
    auto it = typed.constFind(Type.id());
    if (it != typed.constEnd() && LookupIn(it.value(), Name, Value))
        return true;
    return LookupIn(Registry().GlobalIdents, Name, Value);
}

bool IsOpenEnumeration(QMetaType Type)
{
    return Registry().OpenEnumerations.contains(Type.id());
}

QString IntegerIdentOf(QMetaType Type, qint64 Value)
{
    const auto& typed = Registry().TypedIdents;
    auto it = typed.constFind(Type.id());
    if (it == typed.constEnd())
        return {};
    for (const auto& [name, value] : it.value().Entries)
        if (value == Value)
            return name;
    return {};
}

// ---------------------------------------------------------------- binding handlers

bool FindHandler(const QObject* Target, const QString& Name, const TEventTypeInfo& Info, QMetaMethod* Method, bool* Found)
{
    const QMetaObject* meta = Target->metaObject();
    *Found = false;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < meta->methodCount(); ++i) {
            QMetaMethod m = meta->method(i);
            if (m.methodType() != QMetaMethod::Slot && m.methodType() != QMetaMethod::Method)
                continue;
            const QString methodName = QString::fromLatin1(m.name());
            if (pass == 0 ? methodName != Name : methodName.compare(Name, Qt::CaseInsensitive) != 0)
                continue;
            *Found = true;
            if (Info.Accepts(m)) {
                *Method = m;
                return true;
            }
        }
    return false;
}

} // namespace StreamingDetail

bool BindEvent(QObject* Component, const char* EventName, QObject* Target, const char* MethodName)
{
    if (!Component || !Target)
        return false;
    int index = StreamingDetail::FindProperty(Component->metaObject(), QString::fromLatin1(EventName));
    if (index < 0)
        return false;
    QMetaProperty property = Component->metaObject()->property(index);
    const TEventTypeInfo* info = FindEventTypeInfo(property.metaType());
    if (!info)
        return false;
    QMetaMethod method;
    bool found;
    if (!StreamingDetail::FindHandler(Target, QString::fromLatin1(MethodName), *info, &method, &found))
        return false;
    return property.write(Component, info->Bind(Target, method));
}

} // namespace Tessaron
