#include "TessaronDesigner.h"

#include <controls/ControlWidgets.h>
#include <histograph/HistoWidget.h>
#include <stripchart/StripWidget.h>

#include <QtDesigner/QDesignerDynamicPropertySheetExtension>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QExtensionManager>

#include <QPixmap>

namespace Tessaron {

namespace {

// The mirrored properties of a component widget, made known to Designer's
// property sheet so that its property editor lists and stores them.
void AddDesignProperties(QDesignerFormEditorInterface* Core, QWidget* Widget)
{
    auto* w = qobject_cast<TComponentWidget*>(Widget);
    if (!w)
        return;
    auto* sheet = qt_extension<QDesignerDynamicPropertySheetExtension*>(Core->extensionManager(), w);
    if (!sheet)
        return;
    for (const QByteArray& name : w->DesignableProperties())
        sheet->addDynamicProperty(QString::fromLatin1(name), w->property(name.constData()));
}

template <typename W>
TDesignerWidget::TFactory Factory()
{
    return [](QWidget* Parent, TComponent* DesignOwner) { return new W(Parent, DesignOwner); };
}

} // namespace

TDesignerWidget::TDesignerWidget(const QString& ClassName, const QString& Header, const QString& ToolTip,
    TFactory Factory, TComponent* DesignOwner, QObject* Parent)
    : QObject(Parent), FClassName(ClassName), FHeader(Header), FToolTip(ToolTip), FFactory(std::move(Factory)),
      FDesignOwner(DesignOwner)
{
    // The icon is the component itself at its default size.
    std::unique_ptr<QWidget> sample(FFactory(nullptr, FDesignOwner));
    auto* w = static_cast<TComponentWidget*>(sample.get());
    w->resize(w->sizeHint());
    const QPixmap picture = w->grab();
    FIcon = QIcon(picture.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TDesignerWidget::initialize(QDesignerFormEditorInterface* Core)
{
    if (FInitialized)
        return;
    FInitialized = true;
    FCore = Core;
    if (!Core || !Core->formWindowManager())
        return;
    // Once per Designer, not once per widget class.
    if (Core->property("tessaron.hooked").toBool())
        return;
    Core->setProperty("tessaron.hooked", true);
    auto hook = [Core](QDesignerFormWindowInterface* Form) {
        QObject::connect(Form, &QDesignerFormWindowInterface::widgetManaged, Core,
            [Core](QWidget* W) { AddDesignProperties(Core, W); });
    };
    QObject::connect(Core->formWindowManager(), &QDesignerFormWindowManagerInterface::formWindowAdded, Core, hook);
    for (int i = 0; i < Core->formWindowManager()->formWindowCount(); ++i)
        hook(Core->formWindowManager()->formWindow(i));
}

QWidget* TDesignerWidget::createWidget(QWidget* Parent)
{
    return FFactory(Parent, FDesignOwner);
}

QString TDesignerWidget::domXml() const
{
    QString object = FClassName.section(QLatin1String("::"), -1).mid(1);
    object.chop(int(qstrlen("Widget")));
    object[0] = object[0].toLower();
    return QStringLiteral("<ui language=\"c++\"><widget class=\"%1\" name=\"%2\"/></ui>").arg(FClassName, object);
}

TDesignerCollection::TDesignerCollection(QObject* Parent)
    : QObject(Parent), FDesignOwner(std::make_unique<TComponent>())
{
    FDesignOwner->SetDesigning(true);
    struct TEntry {
        const char* Name;
        const char* Header;
        const char* Tip;
        TDesignerWidget::TFactory Make;
    };
    const TEntry entries[] = {
        {"Tessaron::TLedWidget", "controls/ControlWidgets.h", "Status lamp (TLed)", Factory<TLedWidget>()},
        {"Tessaron::TDialWidget", "controls/ControlWidgets.h", "Rotary potentiometer (TDial)", Factory<TDialWidget>()},
        {"Tessaron::TMeterWidget", "controls/ControlWidgets.h", "Analog meter (TMeter)", Factory<TMeterWidget>()},
        {"Tessaron::TSliderWidget", "controls/ControlWidgets.h", "Slider (TSlider)", Factory<TSliderWidget>()},
        {"Tessaron::TBarGraphWidget", "controls/ControlWidgets.h", "Bar graph (TBarGraph)",
            Factory<TBarGraphWidget>()},
        {"Tessaron::TPanelMeterWidget", "controls/ControlWidgets.h", "Seven-segment panel meter (TPanelMeter)",
            Factory<TPanelMeterWidget>()},
        {"Tessaron::THistographWidget", "histograph/HistoWidget.h", "Plot of Yt and XY curves (THistograph)",
            Factory<THistographWidget>()},
        {"Tessaron::TStripChartWidget", "stripchart/StripWidget.h",
            "Eight-channel strip chart recorder with run files (TStripChart)", Factory<TStripChartWidget>()},
    };
    for (const TEntry& e : entries)
        FWidgets.push_back(new TDesignerWidget(QString::fromLatin1(e.Name), QString::fromLatin1(e.Header),
            QString::fromUtf8(e.Tip), e.Make, FDesignOwner.get(), this));
}

TDesignerCollection::~TDesignerCollection() = default;

} // namespace Tessaron
