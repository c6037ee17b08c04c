#pragma once
// The strip chart as a widget of its own, for Qt Designer forms and uic (see
// platform/ComponentWidget.h).
#include <platform/ComponentWidget.h>
#include <stripchart/StrpChrt.h>

namespace Tessaron {

class TStripChartWidget : public TComponentWidget {
    Q_OBJECT
public:
    // DesignOwner, when given, lends the component its designing state.
    explicit TStripChartWidget(QWidget* Parent = nullptr, TComponent* DesignOwner = nullptr);
    TStripChart* Component() const { return static_cast<TStripChart*>(Control()); }
};

} // namespace Tessaron
