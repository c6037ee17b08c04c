#include "histograph/HistoWidget.h"

namespace Tessaron {

THistographWidget::THistographWidget(QWidget* Parent, TComponent* DesignOwner) : TComponentWidget(new THistograph(DesignOwner), Parent)
{
}

} // namespace Tessaron
