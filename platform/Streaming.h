#pragma once
// Stored window descriptions: a text format in the spirit of the classic form
// text, a reader that builds (or fills) a component tree from it and a writer
// that produces it from a live tree.
//
//   object Led_Demo: TLed_Demo
//     Caption = 'TLed Demo'
//     Font.Style = [fsBold, fsItalic]
//     OnShow = FormShow
//     object Led1: TLed
//       ColorActive = clYellow
//       Range = ((65280 20.0) 0.0 5.0)
//     end
//   end
//
// Values: integers (decimal or $hex), floats (with "." or an exponent; NAN,
// INF, -INF), strings in single quotes ('' is a quote, #13 a character code,
// UTF-8 text, long strings joined with "+" across lines), identifiers
// (enumeration values, True/False, registered integer constants, handler
// names, component names), sets [a, b], lists ( ... ) of numbers, strings,
// identifiers and nested lists, and binary data { hex } spanning lines.
//
// Reading. The nesting gives the parent (child->SetParentComponent(parent));
// the owner of every nested component is the root. Every component is put in
// the loading state as it is created; the published properties are set by
// name through the meta-object (Q_PROPERTY WRITE); "A.B = v" sets property B
// of the sub-object that property A points to (a QObject that is not a
// component, such as a font); a component's extra list property
// (TComponent::ListPropertyName()) is handed to ReadListProperty() after all
// its published properties, wherever its line stands among them; a property
// of a pointer-to-component type takes the name of a component of the root
// (resolved after the whole description, so forward references work). When
// the root has a property named like a nested component, of a pointer type the
// component fits, it is set to the component (form fields). At the end
// Loaded() runs on every component in creation order, the root first.
//
// Errors throw EReadError naming the description and the line. Nothing is
// half-built: every component the read created is destroyed (the last created
// first), and a root given by the caller gets back the values of every
// property (also of sub-objects), list property and form field the read had
// assigned, is left without the components the read added and leaves the
// loading state without running Loaded(). A Loaded() override that throws a
// standard exception (running out of memory, say) fails the read too: every
// component still leaves the loading state, then the read is undone as above
// and the error names the line of the component. A read never holds more
// than 100 nested levels of objects and lists together.
//
// Writing. A stored property (Q_PROPERTY STORED, plus the run-time test
// below) is written when its value differs from its declared stored default,
// Q_CLASSINFO("Default:<Property>", "<value as written>"), or from the value of
// a freshly constructed instance of the class (made through the class
// registry, so every written class must be registered). The first rule writes
// everything the classic writer writes; the second also writes a value that
// equals a stored default the constructor does not set (a dial's
// IndicatorInner: stored default 75, constructor 70), which would otherwise
// read back as the constructor's value. Properties without a declared default
// are written when they differ from the fresh instance. Values are compared in
// their written form, so floats are compared bit for bit. Then comes the list
// property (always, when the component names one), then the components of
// ChildComponents() that the root owns. Event properties are written when
// they hold a handler bound to the root by a reader (or by BindEvent); other
// callables cannot be written and are left out. An enumeration or set value
// without a name (an RGB colour) is written as an integer, which the reader
// accepts for such properties.
//
// Run-time storing test: Q_CLASSINFO("Stored:<Property>", "<Method>") names a
// Q_INVOKABLE bool method of the class; the property is written only when it
// returns true (for example a font stored only while ParentFont is false).
// A class declaring Q_CLASSINFO("Defaults", "DeclaredOnly") is written whole
// but for the values equal to its declared defaults; the fresh instance is not
// consulted (a font: the control reading it starts from its parent's font).
//
// A form must not read its own description inside its constructor: the writer
// compares with freshly constructed instances, which must carry the
// constructor's values. Construct first, then ReadComponentRes().

#include <platform/Classes.h>
#include <platform/SysUtils.h>

#include <QByteArray>
#include <QMetaMethod>
#include <QMetaType>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <array>
#include <functional>
#include <memory>
#include <type_traits>

namespace Tessaron {

// ---------------------------------------------------------------- errors

// Base of the description errors; what() is the full message (UTF-8).
class EStreamError : public Exception {
public:
    using Exception::Exception;
    ~EStreamError() override;
};

// A description that cannot be read: "<source>, line <n>: <reason>".
class EReadError : public EStreamError {
public:
    EReadError(const QString& Source, int Line, const QString& Reason);
    ~EReadError() override;
    const QString& Source() const { return FSource; }
    int Line() const { return FLine; }
    const QString& Reason() const { return FReason; }

private:
    QString FSource;
    int FLine;
    QString FReason;
};

// A component tree that cannot be written (an unregistered class, a stored
// property of a type descriptions cannot hold).
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
    ~EWriteError() override;
};

// ---------------------------------------------------------------- classes

using TComponentFactory = std::function<TComponent*(TComponent* AOwner)>;

// Registers a class under its unqualified class name ("TLed"). Registering
// the same name again replaces the factory.
void RegisterClassFactory(const QMetaObject& Meta, TComponentFactory Factory);

template <typename T>
void RegisterClass()
{
    static_assert(std::is_base_of_v<TComponent, T>, "only components can be registered");
    RegisterClassFactory(T::staticMetaObject, [](TComponent* AOwner) -> TComponent* { return new T(AOwner); });
}

// The meta-object registered under a name, or nullptr.
const QMetaObject* FindClass(const QString& ClassName);
// A new component of a registered class, or nullptr for an unknown name.
TComponent* CreateComponent(const QString& ClassName, TComponent* AOwner);
// The name a description uses for a class: its class name without namespace.
QString StreamClassName(const QMetaObject* Meta);

// ---------------------------------------------------------------- identifiers

// A named integer constant accepted for every integer-typed property
// (including enumerations whose own keys do not have the name).
void RegisterIntegerIdent(const char* Name, qint64 Value);
// A named integer constant of one property type: accepted for properties of
// that type and used when writing them (the first name registered for a value
// wins). Enumerations declared with Q_ENUM need no registration.
void RegisterIntegerIdent(QMetaType Type, const char* Name, qint64 Value);
template <typename T>
void RegisterIntegerIdent(const char* Name, qint64 Value)
{
    RegisterIntegerIdent(QMetaType::fromType<T>(), Name, Value);
}

// An enumeration whose every value of its underlying type is valid, named or
// not (TColor: an RGB value). A description may give such a property any
// integer. Other enumerations (and sets) take only their named values (and
// the names registered for their type): an integer outside them is an error.
// Such an enumeration must be declared with a fixed underlying type.
void RegisterOpenEnumeration(QMetaType Type);
template <typename T>
void RegisterOpenEnumeration()
{
    static_assert(std::is_enum_v<T>, "only enumerations are open or closed");
    RegisterOpenEnumeration(QMetaType::fromType<T>());
}

// ---------------------------------------------------------------- events

// How a reader binds a handler name to an event property of one type, and how
// a writer recovers the name.
struct TEventTypeInfo {
    // Whether the method takes exactly the event's parameters.
    std::function<bool(const QMetaMethod& Method)> Accepts;
    // An event value that invokes Method on Target.
    std::function<QVariant(QObject* Target, const QMetaMethod& Method)> Bind;
    // For an event value: whether a handler is assigned, and if it was bound
    // by Bind, its target and method name.
    std::function<bool(const QVariant& Event, QObject** Target, QByteArray* MethodName)> Inspect;
};

void RegisterEventTypeInfo(QMetaType Type, TEventTypeInfo Info);
// The binding of an event type, or nullptr when the type is not an event type.
const TEventTypeInfo* FindEventTypeInfo(QMetaType Type);

namespace StreamingDetail {

template <typename T>
bool ParameterMatches(const QMetaMethod& Method, int Index)
{
    using Plain = std::remove_cvref_t<T>;
    if (Method.parameterMetaType(Index) == QMetaType::fromType<Plain>())
        return true;
    // Reference parameters ("bool&") carry the referenced type's name.
    QByteArray name = Method.parameterTypeName(Index);
    if (name.endsWith('&'))
        name.chop(1);
    return name == QMetaType::fromType<Plain>().name();
}

template <typename Signature>
struct TBoundMethod;

// The callable stored in an event bound by name: it invokes the handler
// method directly; once the target is gone it does nothing.
template <typename... Args>
struct TBoundMethod<void(Args...)> {
    static_assert(sizeof...(Args) <= 10, "an event takes at most ten parameters");
    QPointer<QObject> Target;
    QMetaMethod Method;

    void operator()(Args... args) const
    {
        if (!Target)
            return;
        std::array<QGenericArgument, 10> a{};
        size_t i = 0;
        ((a[i++] = QGenericArgument(QMetaType::fromType<std::remove_cvref_t<Args>>().name(),
              static_cast<const void*>(std::addressof(args)))),
            ...);
        (void)i;
        Method.invoke(Target.data(), Qt::DirectConnection, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8],
            a[9]);
    }
};

template <typename Event>
struct TEventSignature;
template <typename... Args>
struct TEventSignature<TEvent<void(Args...)>> : TEventSignature<std::function<void(Args...)>> {
};
template <typename... Args>
struct TEventSignature<std::function<void(Args...)>> {
    using Bound = TBoundMethod<void(Args...)>;
    using Function = std::function<void(Args...)>;
    static bool Accepts(const QMetaMethod& Method)
    {
        if (Method.parameterCount() != int(sizeof...(Args)))
            return false;
        int index = 0;
        return (ParameterMatches<Args>(Method, index++) && ...);
    }
};

} // namespace StreamingDetail

namespace StreamingDetail {

template <typename Event>
TEventTypeInfo MakeEventTypeInfo()
{
    using Sig = TEventSignature<Event>;
    using Bound = typename Sig::Bound;
    using Function = typename Sig::Function;
    TEventTypeInfo info;
    info.Accepts = &Sig::Accepts;
    info.Bind = [](QObject* Target, const QMetaMethod& Method) {
        return QVariant::fromValue(Event(Function(Bound{Target, Method})));
    };
    info.Inspect = [](const QVariant& Value, QObject** Target, QByteArray* MethodName) {
        const Event* event = static_cast<const Event*>(Value.constData());
        if (!event || !*event)
            return false;
        // An event assigned from another event may wrap it instead of copying
        // its callable: look through such wrappers.
        const Function* f = event;
        for (int depth = 0; f && depth < 64; ++depth) {
            if (const Bound* bound = f->template target<Bound>()) {
                *Target = bound->Target.data();
                *MethodName = bound->Method.name();
                break;
            }
            if (const Event* inner = f->template target<Event>())
                f = inner;
            else
                f = f->template target<Function>();
        }
        return true;
    };
    return info;
}

} // namespace StreamingDetail

// Makes an event type (a TEvent or std::function returning void) bindable by name:
//   RegisterEventType<TNotifyEvent>();   // done by the library itself
//   RegisterEventType<TMouseEvent>();
template <typename Event>
void RegisterEventType()
{
    RegisterEventTypeInfo(QMetaType::fromType<Event>(), StreamingDetail::MakeEventTypeInfo<Event>());
}

// Binds the event property EventName of Component to Target's method
// MethodName, exactly as a reader does. Returns false (and leaves the event
// unchanged) when there is no such event property or no fitting method.
bool BindEvent(QObject* Component, const char* EventName, QObject* Target, const char* MethodName);

// ---------------------------------------------------------------- reading

// Reads a description from a file or a Qt resource (":/forms/Led_Unit.tfm")
// into an existing root, as a form loads itself. The header's class must be
// the root's class or one of its base classes.
void ReadComponentRes(TComponent* Root, const QString& ResourceName);
// The same with the resource the root's class names in
// Q_CLASSINFO("Description", ":/forms/Led_Unit.tfm"); returns false (reading
// nothing) when the class names none.
bool ReadComponentRes(TComponent* Root);
// Reads description text; SourceName names it in error messages.
void ReadComponentText(TComponent* Root, const QByteArray& Text, const QString& SourceName);
// Creates the root from the class named in the header (owned by AOwner) and
// reads the description into it. The caller owns the result (unless AOwner).
TComponent* ReadComponent(const QByteArray& Text, const QString& SourceName, TComponent* AOwner = nullptr);

// ---------------------------------------------------------------- writing

// The description of Root and the components it owns (UTF-8, "\n" lines).
QByteArray WriteComponentText(const TComponent* Root);
// Writes the description to a file; throws EWriteError when it cannot.
void WriteComponentFile(const TComponent* Root, const QString& FileName);

} // namespace Tessaron
