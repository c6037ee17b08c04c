// The components inside an ordinary Qt program: widgets in Qt layouts with no
// form around them, ownership in both directions, and events reaching Qt code.
#include <controls/Bargraph.h>
#include <controls/Meter.h>
#include <controls/PMeter.h>
#include <controls/Slider.h>
#include <controls/dial.h>
#include <controls/led.h>
#include <histograph/Histo.h>
#include <platform/ExtPanels.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QVBoxLayout>

#include <functional>
#include <memory>
#include <vector>

using namespace Tessaron;

namespace {

struct TKind {
    const char* Name;
    std::function<TControl*(TComponent* Owner)> Create;
};

const std::vector<TKind>& Kinds()
{
    static const std::vector<TKind> kinds = {
        {"TLed", [](TComponent* o) { return new TLed(o); }},
        {"TDial", [](TComponent* o) { return new TDial(o); }},
        {"TMeter", [](TComponent* o) { return new TMeter(o); }},
        {"TSlider", [](TComponent* o) { return new TSlider(o); }},
        {"TBarGraph", [](TComponent* o) { return new TBarGraph(o); }},
        {"TPanelMeter", [](TComponent* o) { return new TPanelMeter(o); }},
        {"THistograph", [](TComponent* o) { return new THistograph(o); }},
    };
    return kinds;
}

int DistinctColors(const QImage& Image, const QRect& Area)
{
    QSet<QRgb> colors;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            colors.insert(Image.pixel(x, y));
    return int(colors.size());
}

// A main window with the control's widget in a vertical layout, shown.
struct TPanelWindow {
    std::unique_ptr<QMainWindow> Window = std::make_unique<QMainWindow>();
    QVBoxLayout* Layout = nullptr;
    explicit TPanelWindow(QWidget* W)
    {
        auto* central = new QWidget;
        Layout = new QVBoxLayout(central);
        Layout->addWidget(W);
        Window->setCentralWidget(central);
        Window->resize(420, 300);
        Window->show();
        QApplication::processEvents();
    }
};

} // namespace

TEST(QtEmbedding, EveryControlFollowsItsLayoutAndPaintsAtItsSize)
{
    for (const TKind& kind : Kinds()) {
        SCOPED_TRACE(kind.Name);
        TControl* c = kind.Create(nullptr);
        QPointer<TControl> alive(c);
        QWidget* w = c->Widget();
        const QSize preferred = c->DefaultSize();
        ASSERT_TRUE(preferred.isValid());
        EXPECT_EQ(std::pair(w->sizeHint(), w->minimumSizeHint()), std::pair(preferred, preferred / 2));

        TPanelWindow panel(w);
        for (const QSize size : {QSize(420, 300), QSize(600, 500)}) {
            panel.Window->resize(size);
            QApplication::processEvents();
            ASSERT_GT(w->width(), 0);
            EXPECT_EQ(QRect(c->Left(), c->Top(), c->Width(), c->Height()), w->geometry());
            const QImage& image = c->BackingImage();
            ASSERT_EQ(image.size(), w->size());
            // Drawn across the new area, not only where the old bounds were.
            const QRect lowerRight(w->width() / 2, w->height() / 2, w->width() / 2, w->height() / 2);
            EXPECT_GT(DistinctColors(image, lowerRight), 1);
        }
        // Deleting the Qt parent deletes the component it holds, once.
        panel.Window.reset();
        EXPECT_TRUE(alive.isNull());
    }
}

TEST(QtEmbedding, OwnershipHoldsInBothDirectionsAndChildControlsGoWithTheirWindowOnce)
{
    // Deleting the component takes its widget out of the layout.
    auto* meter = new TMeter;
    TPanelWindow panel(meter->Widget());
    QPointer<QWidget> widget(meter->Widget());
    ASSERT_EQ(panel.Layout->count(), 1);
    delete meter;
    EXPECT_EQ(std::pair(widget.isNull(), panel.Layout->count()), std::pair(true, 0));

    // An owned component outlives a widget Qt deleted and makes a new one.
    TComponent owner;
    auto* led = new TLed(&owner);
    QPointer<TLed> ledAlive(led);
    delete led->Widget();
    ASSERT_FALSE(ledAlive.isNull());
    EXPECT_EQ(std::pair(led->Widget() != nullptr, owner.ComponentCount()), std::pair(true, 1));

    // A panel with one LED owned by it and one only placed on it: all go
    // with the window, once.
    auto* box = new TPanel;
    box->SetBounds(0, 0, 120, 60);
    auto* owned = new TLed(box);
    owned->SetParent(box);
    auto* placed = new TLed;
    placed->SetParent(box);
    QPointer<TControl> alive[] = {box, owned, placed};
    TPanelWindow(box->Widget()).Window.reset();
    for (const auto& c : alive)
        EXPECT_TRUE(c.isNull());
}

TEST(QtEmbedding, SizeTheProgramSetsBecomesTheSizeHint)
{
    TSlider slider;
    slider.SetBounds(0, 0, 50, 180);
    EXPECT_EQ(slider.Widget()->sizeHint(), QSize(50, 180));
    // Qt sizing the widget (here as a window of its own) does not change what
    // it asks for.
    slider.Widget()->show();
    slider.Widget()->resize(90, 300);
    EXPECT_EQ(std::pair(slider.Width(), slider.Widget()->sizeHint()), std::pair(90, QSize(50, 180)));
}

TEST(QtEvents, ConnectedFunctionsAndTheSignalRunAfterTheOwnersHandler)
{
    TSlider slider;
    std::vector<QString> calls;
    slider.OnValueChange = [&](TObject*) { calls.push_back("handler"); };
    auto connection = Connect(&slider, &TSlider::OnValueChange, [&](TObject* Sender) {
        EXPECT_EQ(Sender, &slider);
        calls.push_back("typed");
    });
    Connect(&slider, &TSlider::OnValueChange, [&] { calls.push_back("no-args"); });
    QObject::connect(&slider, &TComponent::EventRaised, [&](const QString& Name, const QVariantList& Args) {
        calls.push_back("signal " + Name);
        ASSERT_EQ(Args.size(), 1);
        EXPECT_EQ(Args[0].value<QObject*>(), &slider);
    });

    slider.SetValue(slider.ValueMin() + 1);
    EXPECT_EQ(calls, (std::vector<QString>{"handler", "typed", "no-args", "signal OnValueChange"}));

    // Assigning a new handler (as a description does) keeps the connections;
    // a disconnected function is not called again; no change, no event.
    calls.clear();
    ASSERT_TRUE(slider.setProperty("OnValueChange", QVariant::fromValue(TNotifyEvent(nullptr))));
    connection.Disconnect();
    EXPECT_FALSE(connection.Connected());
    slider.SetValue(slider.ValueMin() + 2);
    slider.SetValue(slider.ValueMin() + 2);
    EXPECT_EQ(calls, (std::vector<QString>{"no-args", "signal OnValueChange"}));
}

TEST(QtEvents, AConnectionAloneMakesTheEventAssigned)
{
    // The meter only checks ranges when someone listens to OnRangeCheck.
    TMeter meter;
    std::vector<int> ranges;
    QObject receiver;
    Connect(&meter, &TMeter::OnRangeCheck, &receiver, [&](TObject*, int Range) { ranges.push_back(Range); });
    meter.SetValue(meter.ValueMin() - 1);
    EXPECT_EQ(ranges, std::vector<int>{-1});

    // A context that goes away ends the connection; the signal alone counts too.
    int signalled = 0;
    {
        QObject context;
        QObject::connect(&meter, &TComponent::EventRaised, &context,
            [&](const QString& Name, const QVariantList& Args) {
                EXPECT_EQ(std::pair(Name, Args.value(1).toInt()), std::pair(QString("OnRangeCheck"), 0));
                ++signalled;
            });
        meter.SetValue(meter.ValueMin());
    }
    EXPECT_EQ(std::pair(signalled, ranges), std::pair(1, std::vector<int>{-1, 0}));
}
