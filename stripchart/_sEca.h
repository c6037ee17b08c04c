#pragma once
// TFormCalculateBarStrip: the strip chart's value bar. The histograph's value
// bar with time read-outs ("T:", "1/Dt:"); the chart writes its labels.

#include <histograph/_Eca.h>

namespace Tessaron {

class TFormCalculateBarStrip : public TFormCalculateBar {
    Q_OBJECT
public:
    explicit TFormCalculateBarStrip(TComponent* AOwner = nullptr);
    // The second cross and the difference groups take part only in modeCalculate.
    void SetCalculateGroupsEnabled(bool Enabled);
};

} // namespace Tessaron
