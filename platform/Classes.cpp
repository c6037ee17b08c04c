#include "platform/Classes.h"

#include <QDebug>
#include <QMetaMethod>
#include <QMetaProperty>

#include <algorithm>

namespace Tessaron {

namespace {
TExceptionHandler GHandler = nullptr;
}

void SetExceptionHandler(TExceptionHandler Handler)
{
    GHandler = Handler;
}

void ReportException(const std::exception* E)
{
    if (GHandler)
        GHandler(E);
    else
        qWarning("Unhandled exception in an event handler: %s", E ? E->what() : "unknown");
}

EventDetail::TProbe& EventDetail::CurrentProbe()
{
    static TProbe probe;
    return probe;
}

bool EventDetail::TEventTapBase::SignalConnected() const
{
    auto* c = qobject_cast<TComponent*>(Sender.data());
    return c && c->isSignalConnected(QMetaMethod::fromSignal(&TComponent::EventRaised));
}

void EventDetail::TEventTapBase::Emit(QObject* Sender, const QString& Name, const QVariantList& Args)
{
    if (auto* c = qobject_cast<TComponent*>(Sender))
        Q_EMIT c->EventRaised(Name, Args);
}

namespace {

// The tap of the event member behind property P, or nullptr when P is no
// event. Reading the property into a probe of its own type makes the event's
// assignment hand over the member's tap; any other type just reads a copy.
EventDetail::TEventTapBase* ProbeEvent(TComponent* Component, const QMetaProperty& P)
{
    const QMetaType type = P.metaType();
    constexpr auto skipped = QMetaType::IsEnumeration | QMetaType::IsPointer | QMetaType::PointerToQObject;
    if (!P.isReadable() || !type.isValid() || type.id() < QMetaType::User || (type.flags() & skipped))
        return nullptr;
    void* probe = type.create();
    EventDetail::CurrentProbe() = {probe, nullptr};
    int status = -1;
    void* argv[] = {probe, nullptr, &status};
    QMetaObject::metacall(Component, QMetaObject::ReadProperty, P.propertyIndex(), argv);
    EventDetail::TEventTapBase* tap = EventDetail::CurrentProbe().Tap;
    EventDetail::CurrentProbe() = {};
    type.destroy(probe);
    if (tap) {
        tap->Sender = Component;
        tap->Name = QString::fromLatin1(P.name());
    }
    return tap;
}

} // namespace

EventDetail::TEventTapBase* TComponent::EventTap(const char* EventName)
{
    const int index = metaObject()->indexOfProperty(EventName);
    return index < 0 ? nullptr : ProbeEvent(this, metaObject()->property(index));
}

void TComponent::TapEvents()
{
    if (FEventsTapped)
        return;
    FEventsTapped = true;
    const QMetaObject* mo = metaObject();
    for (int i = 0; i < mo->propertyCount(); ++i)
        ProbeEvent(this, mo->property(i));
}

void TComponent::connectNotify(const QMetaMethod& Signal)
{
    if (Signal == QMetaMethod::fromSignal(&TComponent::EventRaised))
        TapEvents();
}

void TPersistent::Assign(const TPersistent*)
{
}

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FComponentState |= csDestroying;
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::SetName(const QString& Value)
{
    FName = Value;
    setObjectName(Value);
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        return nullptr;
    return FComponents[size_t(Index)];
}

TComponent* TComponent::FindComponent(const QString& AName) const
{
    if (AName.isEmpty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (c->FName.compare(AName, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->FOwner == this)
        return;
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    if (IsDesigning())
        AComponent->SetDesigning(true);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    // Searched from the end: components are mostly removed last first (a
    // failed read, DestroyComponents), which keeps that linear overall.
    auto it = std::find(FComponents.rbegin(), FComponents.rend(), AComponent);
    if (it == FComponents.rend())
        return;
    FComponents.erase(std::next(it).base());
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        FComponents.pop_back();
        last->FOwner = nullptr;
        delete last;
    }
}

void TComponent::SetDesigning(bool Value, bool SetChildren)
{
    if (Value)
        FComponentState |= csDesigning;
    else
        FComponentState &= ~TComponentState(csDesigning);
    if (SetChildren)
        for (TComponent* c : FComponents)
            c->SetDesigning(Value, true);
}

void TComponent::BeginLoading()
{
    FComponentState |= TComponentState(csLoading) | csReading;
}

void TComponent::Loaded()
{
    FComponentState &= ~(TComponentState(csLoading) | csReading);
}

std::vector<TComponent*> TComponent::ChildComponents() const
{
    std::vector<TComponent*> result;
    for (TComponent* c : FComponents)
        if (c->GetParentComponent() == this)
            result.push_back(c);
    return result;
}

bool TComponent::ReadListProperty(const QVariantList&, QString* Error)
{
    if (Error)
        *Error = QStringLiteral("%1 has no list property").arg(metaObject()->className());
    return false;
}

} // namespace Tessaron
