#pragma once
// TFormTitleStrip: the strip chart's "Beschriftung" dialog, the recorders'
// titles dialog bound to a strip chart.

#include <histograph/_Eft.h>

namespace Tessaron {

class TStripChart;

class TFormTitleStrip : public TFormTitle {
    Q_OBJECT
public:
    explicit TFormTitleStrip(TComponent* AOwner = nullptr) : TFormTitle(AOwner) {}
    void SetChart(TStripChart* Chart);
};

} // namespace Tessaron
