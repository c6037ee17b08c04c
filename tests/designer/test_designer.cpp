// The Designer plugin as Designer loads it, and a form that uic compiled.
#include <controls/ControlWidgets.h>
#include <histograph/HistoWidget.h>

#include "ui_panel.h"

#include <gtest/gtest.h>

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include <QtUiTools/QUiLoader>

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QPointer>

using namespace Tessaron;

namespace {

// The component widgets of a shown panel.ui: named as in the file, visible,
// each control's widget filling its holder and painted at that size.
void ExpectPanelShown(QWidget* Form)
{
    QStringList names;
    for (TComponentWidget* w : Form->findChildren<TComponentWidget*>()) {
        names << w->objectName();
        SCOPED_TRACE(w->objectName().toStdString());
        QWidget* inner = w->Control()->Widget();
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(inner->isVisible());
        EXPECT_FALSE(w->rect().isEmpty());
        EXPECT_EQ(inner->geometry(), w->rect());
        if (w->Control()->HasCanvas())
            EXPECT_EQ(w->Control()->BackingImage().size(), inner->size());
    }
    names.sort();
    EXPECT_EQ(names, QStringList({"meter", "plot", "slider"}));
}

} // namespace

TEST(DesignerPlugin, CreatesEveryComponentInTheDesigningStateWithEditableProperties)
{
    QPluginLoader loader(QStringLiteral(TESSARON_DESIGNER_PLUGIN));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr) << loader.errorString().toStdString();
    const auto widgets = collection->customWidgets();
    ASSERT_EQ(widgets.size(), 8);
    for (QDesignerCustomWidgetInterface* w : widgets) {
        SCOPED_TRACE(w->name().toStdString());
        EXPECT_EQ(w->group(), "Tessaron");
        EXPECT_FALSE(w->icon().isNull());
        EXPECT_TRUE(w->domXml().contains(w->name()));
        QWidget parent;
        auto* created = qobject_cast<TComponentWidget*>(w->createWidget(&parent));
        ASSERT_NE(created, nullptr);
        EXPECT_EQ(created->metaObject()->className(), w->name());
        TControl* control = created->Control();
        EXPECT_TRUE(control->IsDesigning());
        EXPECT_EQ(created->sizeHint(), control->DefaultSize());

        // Every component publishes its colour; set by name, read back, and
        // reaching the component.
        ASSERT_TRUE(created->DesignableProperties().contains("Color"));
        created->setProperty("Color", QColor(0x12, 0x34, 0x56));
        EXPECT_EQ(created->property("Color").value<QColor>(), QColor(0x12, 0x34, 0x56));
        EXPECT_EQ(control->Color(), TColor(0x563412));

        // Deleting the widget (as Designer does) deletes the component.
        QPointer<TControl> alive(control);
        delete created;
        EXPECT_TRUE(alive.isNull());
    }
}

TEST(DesignerPlugin, MirroredPropertiesShowWhatTheComponentKept)
{
    TMeterWidget w;
    // Table: property, value to set, value read back afterwards.
    const struct {
        const char* Name;
        QVariant Set;
        QVariant Expected;
    } cases[] = {
        {"ValueMax", 50.0, 50.0},
        {"MeterAngle2", 400.0, 90.0},         // beyond 360 degrees: ignored
        {"ValueMax", QString("abc"), 50.0},   // no number: ignored
        {"LabelingStyle", QString("labInside"), QString("labInside")},
        {"LabelingStyle", QString("grdBoth"), QString("labInside")}, // another type's name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(w.DesignableProperties().contains(c.Name));
        w.setProperty(c.Name, c.Set);
        EXPECT_EQ(w.property(c.Name), c.Expected);
    }
    EXPECT_EQ(w.Component()->ValueMax(), 50.0);

    // The range list as description text: a malformed or misshaped text is
    // refused whole; a changed one reaches the meter.
    const QString range = w.property("Range").toString();
    ASSERT_TRUE(range.startsWith("(("));
    QVariantList parsed;
    QString error;
    ASSERT_TRUE(TComponentWidget::ParseList(range, &parsed, &error)) << error.toStdString();
    EXPECT_EQ(TComponentWidget::FormatList(parsed), range);
    for (const char* bad : {"", "(", "((1 2)", "(1 2) x", "(abc)", "((((((((((((1))))))))))))", "(1 2 3)"}) {
        SCOPED_TRACE(bad);
        w.setProperty("Range", QString(bad));
        EXPECT_EQ(w.property("Range").toString(), range);
    }
    QVariantList broken;
    EXPECT_FALSE(TComponentWidget::ParseList("((1 2) x)", &broken, &error));
    EXPECT_EQ(error, "a number, True or False expected at character 8");
    // The last number changed (the scale's last value) goes through the meter.
    QVariantList changed = parsed;
    ASSERT_FALSE(changed.isEmpty());
    changed.back() = changed.back().toDouble() + 1.5;
    const QString text = TComponentWidget::FormatList(changed);
    ASSERT_NE(text, range);
    w.setProperty("Range", text);
    EXPECT_EQ(w.property("Range").toString(), text);

    // Fonts are QFonts in Designer.
    QFont font(QStringLiteral("DejaVu Sans"), 14);
    font.setBold(true);
    w.setProperty("Font", font);
    EXPECT_EQ(w.Component()->Font()->Size(), 14);
    EXPECT_TRUE(w.Component()->Font()->Style().testFlag(fsBold));
}

TEST(DesignerForm, UicOutputBuildsAWorkingPanel)
{
    QWidget form;
    Ui::Panel ui;
    ui.setupUi(&form);
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(ui.meter->Component()->ValueMax(), 50.0);
    EXPECT_EQ(ui.meter->Component()->Color(), TColor(0x00FFFF));
    EXPECT_EQ(ui.slider->Component()->Value(), 30.0);
    EXPECT_EQ(ui.plot->Component()->GridVisible(), grdBoth);
    EXPECT_EQ(ui.plot->Component()->TitleTop(), "Spannung");
    EXPECT_FALSE(ui.meter->Component()->IsDesigning());
    // Laid out by the form's layout, painted at that size; the names that
    // uic gave survive the properties set after them.
    ExpectPanelShown(&form);
}

// As Designer opens a form: the plugin makes each widget in the designing
// state, names it, then sets the form's dynamic properties.
TEST(DesignerForm, FormLoadedThroughThePluginKeepsNamesAndShowsEveryComponent)
{
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(QStringLiteral(TESSARON_DESIGNER_PLUGIN)).absolutePath());
    QFile file(QStringLiteral(TESSARON_PANEL_UI));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&file));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
    auto* meter = form->findChild<TMeterWidget*>(QStringLiteral("meter"));
    ASSERT_NE(meter, nullptr);
    EXPECT_TRUE(meter->Component()->IsDesigning());
    EXPECT_EQ(meter->Component()->ValueMax(), 50.0);
    form->show();
    QApplication::processEvents();
    ExpectPanelShown(form.get());
}
