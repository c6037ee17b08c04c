#pragma once
// The component model: named components owned by other components, with the
// three situations every component distinguishes (designing, loading, after
// loading), events as assignable callables, and one extra list property that a
// component reads and writes itself in its stored description.

#include <QFlags>
#include <QMetaEnum>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <exception>
#include <functional>
#include <type_traits>
#include <vector>

namespace Tessaron {

// Whether Value is a named value of its enumeration (declared with Q_ENUM or
// Q_ENUM_NS, with a fixed underlying type so that any integer is defined).
// Setters of such properties ignore other values: a value set by name
// (setProperty) is not checked before it reaches them.
template <typename E>
bool IsEnumValue(E Value)
{
    static_assert(std::is_enum_v<E>, "an enumeration expected");
    return QMetaEnum::fromType<E>().valueToKey(int(Value)) != nullptr;
}


using TObject = QObject;

// An event: a callable that may be empty; an empty event is never called.
// Events are published as properties (MEMBER), so they need equality: two
// events are equal only when both are empty, so every assignment counts.
template <typename Signature>
class TEvent : public std::function<Signature> {
    using Base = std::function<Signature>;
    // Callables other than events: copying an event copies its callable
    // instead of wrapping the event in a new one.
    template <typename F>
    static constexpr bool IsCallable =
        !std::is_base_of_v<Base, std::decay_t<F>> && std::is_constructible_v<Base, F>;

public:
    TEvent() = default;
    TEvent(std::nullptr_t) {}
    TEvent(const Base& F) : Base(F) {}
    template <typename F, typename = std::enable_if_t<IsCallable<F>>>
    TEvent(F&& Fn) : Base(std::forward<F>(Fn)) {}
    template <typename F, typename = std::enable_if_t<IsCallable<F>>>
    TEvent& operator=(F&& Fn)
    {
        Base::operator=(std::forward<F>(Fn));
        return *this;
    }
    TEvent& operator=(std::nullptr_t)
    {
        Base::operator=(nullptr);
        return *this;
    }
    friend bool operator==(const TEvent& A, const TEvent& B) { return !A && !B; }
};

// A notify event takes the sender.
using TNotifyEvent = TEvent<void(TObject* Sender)>;

// Calls an event if a handler is assigned.
template <typename Event, typename... Args>
inline void CallEvent(const Event& event, Args&&... args)
{
    if (event)
        event(std::forward<Args>(args)...);
}

// Where an exception that escapes an event handler goes: the application's
// standard error handler once there is one. Qt calls our code from its own
// event dispatch, which exceptions must not cross, so every place where Qt
// calls into handlers runs them through GuardedCall.
using TExceptionHandler = void (*)(const std::exception* E);
void SetExceptionHandler(TExceptionHandler Handler);
void ReportException(const std::exception* E);

template <typename F>
void GuardedCall(F&& Fn)
{
    try {
        Fn();
    } catch (const std::exception& e) {
        ReportException(&e);
    } catch (...) {
        ReportException(nullptr);
    }
}

enum TComponentStateItem : int {
    csLoading = 0x01,    // the stored description is being read
    csReading = 0x02,
    csDesigning = 0x04,  // inside a form designer
    csDestroying = 0x08,
};
Q_DECLARE_FLAGS(TComponentState, TComponentStateItem)
Q_DECLARE_OPERATORS_FOR_FLAGS(TComponentState)

// A value object published as a property of a component (font, pen, brush,
// picture). Its own published properties are Q_PROPERTYs, so a description can
// set them as sub-properties ("Font.Height = -11"). Assign copies attributes.
class TPersistent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void Assign(const TPersistent* Source);
};

class TComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;

    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    QString Name() const { return FName; }
    void SetName(const QString& Value);
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    // The owner destroys the components it owns, the last created first.
    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int Index) const;
    TComponent* FindComponent(const QString& AName) const;
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();

    TComponentState ComponentState() const { return FComponentState; }
    bool IsDesigning() const { return FComponentState.testFlag(csDesigning); }
    bool IsLoading() const { return FComponentState.testFlag(csLoading); }
    bool IsDestroying() const { return FComponentState.testFlag(csDestroying); }

    // Puts this component and the components it owns into (or out of) the
    // designing state, as a form designer does.
    void SetDesigning(bool Value, bool SetChildren = true);

    // The component a description nests this one in: for controls, the parent
    // control; for other components, the owner.
    virtual TComponent* GetParentComponent() const { return FOwner; }
    virtual void SetParentComponent(TComponent*) {}
    // The components a description writes nested inside this one, in order.
    virtual std::vector<TComponent*> ChildComponents() const;

    // Marks the start of reading a stored description: setters skip their side
    // effects until Loaded() runs.
    virtual void BeginLoading();
    // The after-loading step: ends the loading state. Overrides call the
    // inherited step first and then start what the loaded values require.
    virtual void Loaded();

    // The extra list property of the stored description ("Range", "Series",
    // "Floats"): its name, or empty when the component has none.
    virtual QString ListPropertyName() const { return {}; }
    // Reads the list (numbers as qlonglong or double, nested lists as
    // QVariantList). Returns false and sets Error for a list it cannot take.
    virtual bool ReadListProperty(const QVariantList& List, QString* Error);
    // The list as it is written after the published properties.
    virtual QVariantList WriteListProperty() const { return {}; }

private:
    QString FName;
    int FTag = 0;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    TComponentState FComponentState;
};

} // namespace Tessaron

Q_DECLARE_METATYPE(Tessaron::TNotifyEvent)
