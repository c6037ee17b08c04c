#include "platform/Classes.h"

#include <QDebug>

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
