#pragma once
// Widgets that hold one component each, for Qt Designer forms and uic (see
// platform/ComponentWidget.h): "new Tessaron::TMeterWidget(parent)" makes a
// meter; Component() gives it.
#include <controls/led.h>
#include <controls/dial.h>
#include <controls/Meter.h>
#include <controls/Slider.h>
#include <controls/Bargraph.h>
#include <controls/PMeter.h>
#include <platform/ComponentWidget.h>

namespace Tessaron {

class TLedWidget : public TComponentWidget {
    Q_OBJECT
public:
    // DesignOwner, when given, lends the component its designing state.
    explicit TLedWidget(QWidget* Parent = nullptr, TComponent* DesignOwner = nullptr);
    TLed* Component() const { return static_cast<TLed*>(Control()); }
};

class TDialWidget : public TComponentWidget {
    Q_OBJECT
public:
    // DesignOwner, when given, lends the component its designing state.
    explicit TDialWidget(QWidget* Parent = nullptr, TComponent* DesignOwner = nullptr);
    TDial* Component() const { return static_cast<TDial*>(Control()); }
};

class TMeterWidget : public TComponentWidget {
    Q_OBJECT
public:
    // DesignOwner, when given, lends the component its designing state.
    explicit TMeterWidget(QWidget* Parent = nullptr, TComponent* DesignOwner = nullptr);
    TMeter* Component() const { return static_cast<TMeter*>(Control()); }
};

class TSliderWidget : public TComponentWidget {
    Q_OBJECT
public:
    // DesignOwner, when given, lends the component its designing state.
    explicit TSliderWidget(QWidget* Parent = nullptr, TComponent* DesignOwner = nullptr);
    TSlider* Component() const { return static_cast<TSlider*>(Control()); }
};

class TBarGraphWidget : public TComponentWidget {
    Q_OBJECT
public:
    // DesignOwner, when given, lends the component its designing state.
    explicit TBarGraphWidget(QWidget* Parent = nullptr, TComponent* DesignOwner = nullptr);
    TBarGraph* Component() const { return static_cast<TBarGraph*>(Control()); }
};

class TPanelMeterWidget : public TComponentWidget {
    Q_OBJECT
public:
    // DesignOwner, when given, lends the component its designing state.
    explicit TPanelMeterWidget(QWidget* Parent = nullptr, TComponent* DesignOwner = nullptr);
    TPanelMeter* Component() const { return static_cast<TPanelMeter*>(Control()); }
};

} // namespace Tessaron
