// The three information windows: manufacturer, GPIB and RS-232 communication.
#include "app/Comm1_Unit.h"
#include "app/Comm2_Unit.h"
#include "app/Contact.h"
#include "app/Hersteller_Unit.h"

#include <platform/FormRegistry.h>
#include <controls/led.h>
#include <platform/ExtCtrls.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>
#include <QTimer>

#include <vector>

using namespace Tessaron;

namespace {

// The image shows the bitmap file unscaled from its top left corner.
void CheckBitmapImage(TImage* Image, TForm& Form, QRect Bounds, const char* File)
{
    SCOPED_TRACE(File);
    ASSERT_NE(Image, nullptr);
    EXPECT_EQ(Image->Parent(), &Form);
    EXPECT_EQ(QRect(Image->Left(), Image->Top(), Image->Width(), Image->Height()), Bounds);
    ASSERT_NE(qobject_cast<TBitmap*>(Image->Picture()->Graphic()), nullptr);
    const QImage expected(QStringLiteral(TESSARON_SOURCE_DIR "/app/data/") + File);
    ASSERT_FALSE(expected.isNull());
    ASSERT_EQ(expected.size(), Bounds.size());
    EXPECT_EQ(Image->BackingImage().copy(QRect(QPoint(0, 0), Bounds.size())).convertToFormat(QImage::Format_RGB32),
        expected.convertToFormat(QImage::Format_RGB32));
}

// Registered for the main window's menu; OK ends a modal showing with mrOk.
// (Showing again and the window's visibility are the form's own rules:
// Form.ShowModalReturnsOnlyAfterCloseAndKeepsTheInstance; the stored pictures
// are in the descriptions' fixed point.)
template <typename Form>
void CheckWindow(const char* ClassName)
{
    SCOPED_TRACE(ClassName);
    EXPECT_TRUE(IsFormRegistered(ClassName));
    Form form;
    form.InitializeForm();
    QTimer::singleShot(50, [&] { form.BitBtn1->Click(); });
    EXPECT_EQ(form.ShowModal(), mrOk);
}

} // namespace

TEST(InfoWindows, RegisteredAndEndedByOk)
{
    CheckWindow<THersteller_Demo>("THersteller_Demo");
    CheckWindow<VAzaz1_Demo>("VAzaz1_Demo");
    CheckWindow<VAzaz2_Demo>("VAzaz2_Demo");
}

// The logo is drawn (its picture has more than one colour) and the labels
// show the contact data that the banner and the manual repeat.
TEST(InfoWindows, ManufacturerWindowShowsLogoContactDataAndFlashingLamps)
{
    THersteller_Demo form;
    form.InitializeForm();
    ASSERT_NE(qobject_cast<TMetafile*>(form.Image1->Picture()->Graphic()), nullptr);
    const QImage logo = form.Image1->BackingImage();
    QSet<QRgb> colours;
    for (int y = 0; y < logo.height(); y += 4)
        for (int x = 0; x < logo.width(); x += 4)
            colours.insert(logo.pixel(x, y));
    EXPECT_GT(colours.size(), 3);

    QString shown;
    for (TLabel* label : {form.Label3, form.Label4, form.Label5, form.Label6, form.Label7, form.Label8, form.Label9})
        shown += label->Caption() + '\n';
    for (const char* value : {Demo::kCompany, Demo::kStreet, Demo::kTown, Demo::kPhone, Demo::kFax, Demo::kCompuServe,
             Demo::kEmail})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(value))) << value;

    // The lamps flash out of step on their own timers, the window still hidden.
    struct {
        TLed* Led;
        TColor Colour;
        int Interval;
    } const lamps[] = {
        {form.Led1, clRed, 200},
        {form.Led2, clLime, 300},
        {form.Led3, clYellow, 500},
    };
    for (const auto& l : lamps) {
        SCOPED_TRACE(l.Interval);
        EXPECT_EQ(l.Led->ColorActive(), l.Colour);
        EXPECT_TRUE(l.Led->FlashTimer()->Enabled());
        EXPECT_TRUE(l.Led->FlashTimer()->Active());
        EXPECT_EQ(l.Led->FlashTimer()->Interval(), l.Interval);
    }
    EXPECT_FALSE(form.Visible());
}

TEST(InfoWindows, CommunicationWindowsShowTheirBitmapsInCreationOrder)
{
    VAzaz1_Demo form;
    form.InitializeForm();
    CheckBitmapImage(form.Image1, form, {24, 232, 320, 100}, "gpib_card.bmp");
    CheckBitmapImage(form.Image2, form, {8, 14, 320, 200}, "gpib_bus.bmp");
    CheckBitmapImage(form.Image3, form, {232, 62, 320, 100}, "gpib_instrument.bmp");
    // Created in the order Image1, Image2, Image3: later ones lie on top.
    std::vector<TControl*> order;
    for (int i = 0; i < form.ControlCount(); ++i)
        order.push_back(form.Controls(i));
    EXPECT_EQ(order, (std::vector<TControl*>{form.Image1, form.Image2, form.Image3, form.Panel1, form.BitBtn1}));

    VAzaz2_Demo rs232;
    rs232.InitializeForm();
    CheckBitmapImage(rs232.Image1, rs232, {0, 0, 561, 302}, "rs232.bmp");
}
