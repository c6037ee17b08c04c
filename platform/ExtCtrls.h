#pragma once
// Timers and other non-visual helpers of windows.

#include <platform/Classes.h>

#include <memory>

class QTimer;

namespace Tessaron {

// The shortest period of a message timer on the platform the programs were
// written for: a timer with a shorter Interval ticks at this pace, and the
// demonstration windows' sweeps are timed for it.
inline constexpr int kMinTimerInterval = 10;

// A window-message timer: ticks through the message loop (modal loops
// included) while Enabled, every Interval milliseconds, and calls OnTimer if
// assigned. A timer inside a form designer or still being loaded never ticks.
class TTimer : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(Tessaron::TNotifyEvent OnTimer MEMBER OnTimer)
    Q_CLASSINFO("Default:Enabled", "true")
    Q_CLASSINFO("Default:Interval", "1000")
public:
    explicit TTimer(TComponent* AOwner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Interval() const { return FInterval; }
    // Default 1000. Negative values are ignored; 0 stops the timer like the
    // classic one; 1 to 9 are kept but tick every kMinTimerInterval ms.
    void SetInterval(int Value);
    bool Active() const;
    void Loaded() override;

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();
    bool FEnabled = true;
    int FInterval = 1000;
    std::unique_ptr<QTimer> FTimer;
};

} // namespace Tessaron
