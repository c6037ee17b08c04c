#pragma once
// The component model: named components owned by other components, with the
// three situations every component distinguishes (designing, loading, after
// loading), events as assignable callables, and one extra list property that a
// component reads and writes itself in its stored description.

#include <QFlags>
#include <QMetaEnum>
#include <QPointer>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <exception>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

namespace Tessaron {

// A control's text ends at its first #0 character, as window texts always
// have: what follows it is neither kept nor drawn nor measured. (Qt measures a
// #0 as wide or as empty depending on which fallback faces it has loaded, so a
// label sized to such a text would change its width from one read to the next.)
inline QString WindowText(const QString& Text)
{
    const qsizetype end = Text.indexOf(QChar(0));
    return end < 0 ? Text : Text.left(end);
}

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

class TComponent;

namespace EventDetail {

// The Qt side of one event member of a component: the component that raises
// it, the event's published name, and the functions connected to it.
class TEventTapBase {
public:
    virtual ~TEventTapBase() = default;
    QPointer<QObject> Sender;
    QString Name;
    // Whether the sender's EventRaised signal has receivers.
    bool SignalConnected() const;
    static void Emit(QObject* Sender, const QString& Name, const QVariantList& Args);
};

// A connected function; Connected turns false when it is disconnected, and a
// context object that goes away disconnects it too.
struct TListenerBase {
    QPointer<const QObject> Context;
    bool HasContext = false;
    bool Connected = true;
    bool Alive() const { return Connected && (!HasContext || Context); }
};

template <typename... Args>
class TEventTap final : public TEventTapBase {
public:
    struct TListener : TListenerBase {
        std::function<void(Args...)> Fn;
    };
    using TListeners = std::vector<std::shared_ptr<TListener>>;

    bool Active() const
    {
        for (const auto& l : FListeners)
            if (l->Alive())
                return true;
        return SignalConnected();
    }
    std::shared_ptr<TListener> Add(const QObject* Context, std::function<void(Args...)> Fn)
    {
        Prune();
        auto l = std::make_shared<TListener>();
        l->Context = Context;
        l->HasContext = Context != nullptr;
        l->Fn = std::move(Fn);
        FListeners.push_back(l);
        return l;
    }
    // A copy, so that a function may connect or disconnect while it runs.
    TListeners Snapshot()
    {
        Prune();
        return FListeners;
    }

private:
    void Prune()
    {
        std::erase_if(FListeners, [](const auto& l) { return !l->Alive(); });
    }
    TListeners FListeners;
};

// Finding the event member behind a published event property: a property read
// copies the member into a probe value, and the probe's assignment hands back
// the member's tap instead of copying (see TComponent::EventTap).
struct TProbe {
    const void* Target = nullptr;
    TEventTapBase* Tap = nullptr;
};
TProbe& CurrentProbe();

template <typename T>
QVariant ToVariant(const T& Value)
{
    return QVariant::fromValue(Value);
}

} // namespace EventDetail

// An event: a callable that may be empty; an empty event is never called.
// Events are published as properties (MEMBER), so they need equality: two
// events are equal only when both are empty, so every assignment counts.
//
// Besides the handler that the component's owner assigns, functions connected
// from Qt code (Tessaron::Connect, or the component's EventRaised signal) run
// after it. They belong to the event member: assigning or copying an event
// copies only its handler, so an assignment never drops a connection.
template <typename Signature>
class TEvent;

template <typename... Args>
class TEvent<void(Args...)> : public std::function<void(Args...)> {
    using Base = std::function<void(Args...)>;
    // Callables other than events: copying an event copies its callable
    // instead of wrapping the event in a new one.
    template <typename F>
    static constexpr bool IsCallable =
        !std::is_base_of_v<Base, std::decay_t<F>> && std::is_constructible_v<Base, F>;

public:
    using Tap = EventDetail::TEventTap<Args...>;

    TEvent() = default;
    TEvent(std::nullptr_t) {}
    TEvent(const Base& F) : Base(F) {}
    TEvent(const TEvent& Other) : Base(static_cast<const Base&>(Other)) {}
    TEvent(TEvent&& Other) noexcept : Base(std::move(static_cast<Base&>(Other))) {}
    template <typename F, typename = std::enable_if_t<IsCallable<F>>>
    TEvent(F&& Fn) : Base(std::forward<F>(Fn)) {}
    ~TEvent() = default;

    TEvent& operator=(const TEvent& Other)
    {
        if (EventDetail::CurrentProbe().Target == this) {
            EventDetail::CurrentProbe().Tap = &const_cast<TEvent&>(Other).EnsureTap();
            return *this;
        }
        Base::operator=(static_cast<const Base&>(Other));
        return *this;
    }
    TEvent& operator=(TEvent&& Other) noexcept
    {
        Base::operator=(std::move(static_cast<Base&>(Other)));
        return *this;
    }
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
    friend bool operator==(const TEvent& A, const TEvent& B) { return !A.HasHandler() && !B.HasHandler(); }

    // Whether the owner assigned a handler.
    bool HasHandler() const { return static_cast<bool>(static_cast<const Base&>(*this)); }
    // Assigned: a handler, a connected function or a receiver of the
    // component's EventRaised signal is waiting for this event.
    explicit operator bool() const { return HasHandler() || (FTap && FTap->Active()); }

    // Calls the handler, then the connected functions, then raises the
    // component's EventRaised signal. Reference parameters changed by the
    // handler reach the functions and the signal changed.
    void operator()(Args... args) const
    {
        if (!FTap) {
            Base::operator()(args...);
            return;
        }
        // The handler may destroy the component and with it this event.
        const auto listeners = FTap->Snapshot();
        const QPointer<QObject> sender = FTap->Sender;
        const QString name = FTap->Name;
        const bool signal = FTap->SignalConnected();
        if (HasHandler())
            Base::operator()(args...);
        for (const auto& l : listeners)
            if (l->Alive())
                l->Fn(args...);
        if (signal && sender)
            EventDetail::TEventTapBase::Emit(
                sender, name, QVariantList{EventDetail::ToVariant<std::remove_cvref_t<Args>>(args)...});
    }

    // The connections of this event member (created on first use).
    Tap& EnsureTap()
    {
        if (!FTap)
            FTap = std::make_unique<Tap>();
        return *FTap;
    }

private:
    std::unique_ptr<Tap> FTap;
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

    // The connections of the published event EventName ("OnValueChange"),
    // or nullptr when this component publishes no such event.
    EventDetail::TEventTapBase* EventTap(const char* EventName);
    // Gives every published event its tap, so that it raises EventRaised and
    // knows its name (done when the first receiver connects).
    void TapEvents();

Q_SIGNALS:
    // Raised after every published event of this component, once its handler
    // and connected functions ran: the event's name ("OnValueChange") and all
    // its parameters (the sender first) as values.
    void EventRaised(const QString& Name, const QVariantList& Args);

protected:
    void connectNotify(const QMetaMethod& Signal) override;

private:
    friend class EventDetail::TEventTapBase;

    QString FName;
    int FTag = 0;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    TComponentState FComponentState;
    bool FEventsTapped = false;
};

// A connection made by Connect. Disconnect() ends it; it ends by itself when
// its context object or the component goes away.
class TEventConnection {
public:
    TEventConnection() = default;
    explicit TEventConnection(std::weak_ptr<EventDetail::TListenerBase> Listener) : FListener(std::move(Listener)) {}
    bool Connected() const
    {
        const auto l = FListener.lock();
        return l && l->Alive();
    }
    void Disconnect()
    {
        if (const auto l = FListener.lock())
            l->Connected = false;
    }

private:
    std::weak_ptr<EventDetail::TListenerBase> FListener;
};

// Connects Fn to an event of Component, e.g.
//   Tessaron::Connect(meter, &TMeter::OnRangeCheck, this, [](TObject*, int Range) { ... });
// Fn takes the event's parameters (checked at compile time) or none. It runs
// after the handler the component's owner assigned, which stays in place, as
// long as Context (if given) exists.
template <typename C, typename Owner, typename... Args, typename F>
TEventConnection Connect(C* Component, TEvent<void(Args...)> Owner::*Event, const QObject* Context, F&& Fn)
{
    static_assert(std::is_base_of_v<Owner, C>, "the event is not a member of this component");
    static_assert(std::is_invocable_v<std::decay_t<F>&, Args...> || std::is_invocable_v<std::decay_t<F>&>,
        "the function takes neither the event's parameters nor none");
    Component->TapEvents();
    std::function<void(Args...)> fn;
    if constexpr (std::is_invocable_v<std::decay_t<F>&, Args...>)
        fn = std::forward<F>(Fn);
    else
        fn = [f = std::forward<F>(Fn)](Args...) mutable { f(); };
    return TEventConnection((Component->*Event).EnsureTap().Add(Context, std::move(fn)));
}

template <typename C, typename Owner, typename... Args, typename F>
TEventConnection Connect(C* Component, TEvent<void(Args...)> Owner::*Event, F&& Fn)
{
    return Connect(Component, Event, static_cast<const QObject*>(nullptr), std::forward<F>(Fn));
}

} // namespace Tessaron

Q_DECLARE_METATYPE(Tessaron::TNotifyEvent)
