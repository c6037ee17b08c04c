#pragma once
// The Qt Designer plugin: every visual component in a "Tessaron" group of the
// widget box. Designer creates the component widgets of controls/ControlWidgets.h,
// histograph/HistoWidget.h and stripchart/StripWidget.h with the components in
// their designing state, and lists the mirrored properties in its property editor.

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QIcon>
#include <QObject>

#include <functional>
#include <memory>

namespace Tessaron {

class TComponent;

class TDesignerWidget : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    using TFactory = std::function<QWidget*(QWidget* Parent, TComponent* DesignOwner)>;
    TDesignerWidget(const QString& ClassName, const QString& Header, const QString& ToolTip, TFactory Factory,
        TComponent* DesignOwner, QObject* Parent);

    QString name() const override { return FClassName; }
    QString group() const override { return QStringLiteral("Tessaron"); }
    QString toolTip() const override { return FToolTip; }
    QString whatsThis() const override { return FToolTip; }
    QString includeFile() const override { return FHeader; }
    QIcon icon() const override { return FIcon; }
    bool isContainer() const override { return false; }
    bool isInitialized() const override { return FInitialized; }
    void initialize(QDesignerFormEditorInterface* Core) override;
    QWidget* createWidget(QWidget* Parent) override;
    QString domXml() const override;

private:
    QString FClassName;
    QString FHeader;
    QString FToolTip;
    TFactory FFactory;
    TComponent* FDesignOwner;
    QIcon FIcon;
    QDesignerFormEditorInterface* FCore = nullptr;
    bool FInitialized = false;
};

class TDesignerCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
public:
    explicit TDesignerCollection(QObject* Parent = nullptr);
    ~TDesignerCollection() override;
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return FWidgets; }

private:
    // The root that lends created components the designing state.
    std::unique_ptr<TComponent> FDesignOwner;
    QList<QDesignerCustomWidgetInterface*> FWidgets;
};

} // namespace Tessaron
