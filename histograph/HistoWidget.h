#pragma once
// The histograph as a widget of its own, for Qt Designer forms and uic (see
// platform/ComponentWidget.h).
#include <histograph/Histo.h>
#include <platform/ComponentWidget.h>

namespace Tessaron {

class THistographWidget : public TComponentWidget {
    Q_OBJECT
public:
    // DesignOwner, when given, lends the component its designing state.
    explicit THistographWidget(QWidget* Parent = nullptr, TComponent* DesignOwner = nullptr);
    THistograph* Component() const { return static_cast<THistograph*>(Control()); }
};

} // namespace Tessaron
