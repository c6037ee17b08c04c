#pragma once
// TFormGridStrip: the strip chart's "Gitter" dialog. Its scale list offers the
// chart's two scales only ("linear/linear" = strpLin, "linear/logarithmisch" =
// strpLog): the logarithmic time axis entries have no strip chart scale.

#include <histograph/_Efg.h>

namespace Tessaron {

class TStripChart;

class TFormGridStrip : public TFormGrid {
    Q_OBJECT
public:
    explicit TFormGridStrip(TComponent* AOwner = nullptr);
    void SetChart(TStripChart* Chart);
};

} // namespace Tessaron
