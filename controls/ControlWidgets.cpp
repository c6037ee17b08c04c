#include "controls/ControlWidgets.h"

namespace Tessaron {

TLedWidget::TLedWidget(QWidget* Parent, TComponent* DesignOwner) : TComponentWidget(new TLed(DesignOwner), Parent)
{
}

TDialWidget::TDialWidget(QWidget* Parent, TComponent* DesignOwner) : TComponentWidget(new TDial(DesignOwner), Parent)
{
}

TMeterWidget::TMeterWidget(QWidget* Parent, TComponent* DesignOwner) : TComponentWidget(new TMeter(DesignOwner), Parent)
{
}

TSliderWidget::TSliderWidget(QWidget* Parent, TComponent* DesignOwner) : TComponentWidget(new TSlider(DesignOwner), Parent)
{
}

TBarGraphWidget::TBarGraphWidget(QWidget* Parent, TComponent* DesignOwner) : TComponentWidget(new TBarGraph(DesignOwner), Parent)
{
}

TPanelMeterWidget::TPanelMeterWidget(QWidget* Parent, TComponent* DesignOwner) : TComponentWidget(new TPanelMeter(DesignOwner), Parent)
{
}

} // namespace Tessaron
