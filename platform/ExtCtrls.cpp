#include "platform/ExtCtrls.h"

#include "platform/Streaming.h"

#include <QTimer>

#include <algorithm>

namespace Tessaron {

namespace {
const bool kRegistered = (RegisterClass<TTimer>(), true);
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FTimer(std::make_unique<QTimer>())
{
    FTimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(FTimer.get(), &QTimer::timeout, this, [this] {
        if (FEnabled && !IsDesigning() && !IsLoading())
            GuardedCall([this] { CallEvent(OnTimer, this); });
        else
            UpdateTimer();
    });
    UpdateTimer();
}

TTimer::~TTimer()
{
    FTimer->stop();
}

void TTimer::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(int Value)
{
    if (Value < 0 || FInterval == Value)
        return;
    FInterval = Value;
    UpdateTimer();
}

bool TTimer::Active() const
{
    return FTimer->isActive();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (FEnabled && FInterval > 0 && !IsDesigning() && !IsLoading())
        FTimer->start(std::max(FInterval, kMinTimerInterval));
    else
        FTimer->stop();
}

} // namespace Tessaron
