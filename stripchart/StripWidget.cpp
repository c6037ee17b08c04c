#include "stripchart/StripWidget.h"

namespace Tessaron {

TStripChartWidget::TStripChartWidget(QWidget* Parent, TComponent* DesignOwner)
    : TComponentWidget(new TStripChart(DesignOwner), Parent)
{
}

} // namespace Tessaron
