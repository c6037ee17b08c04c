// The three information windows: manufacturer, GPIB and RS-232 communication.
#include "app/Comm1_Unit.h"
#include "app/Comm2_Unit.h"
#include "app/Contact.h"
#include "app/Hersteller_Unit.h"

#include <platform/FormRegistry.h>
#include <controls/led.h>
#include <platform/ExtCtrls.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QImage>
#include <QSet>
#include <QTimer>

#include <vector>

using namespace Tessaron;

namespace {

struct LabelCase {
    int Left, Top;
    QString Caption;
    bool Bold = false;
};

// Frame, font and OK button common to all three windows.
void CheckFrame(TForm& Form, const QString& Caption, int ClientWidth, int ClientHeight, TBitBtn* Ok, QPoint OkAt)
{
    EXPECT_EQ(Form.Caption(), Caption);
    EXPECT_EQ(Form.ClientWidth(), ClientWidth);
    EXPECT_EQ(Form.ClientHeight(), ClientHeight);
    EXPECT_EQ(Form.BorderStyle(), TForm::bsDialog);
    EXPECT_EQ(Form.BorderIcons(), TForm::TBorderIcons(TForm::biSystemMenu));
    EXPECT_EQ(Form.Position(), TForm::poScreenCenter);
    EXPECT_EQ(Form.Font()->Height(), -11);
    EXPECT_EQ(Form.Font()->Name(), "MS Sans Serif");
    EXPECT_FALSE(Form.Visible());
    ASSERT_NE(Ok, nullptr);
    EXPECT_EQ(Ok->Kind(), TBitBtn::bkOK);
    EXPECT_EQ(Ok->Parent(), &Form);
    EXPECT_EQ(QRect(Ok->Left(), Ok->Top(), Ok->Width(), Ok->Height()), QRect(OkAt, QSize(89, 25)));
}

void CheckPanel(TPanel* Panel, TForm& Form, QRect Bounds, const std::vector<TLabel*>& Labels,
    const std::vector<LabelCase>& Cases)
{
    ASSERT_NE(Panel, nullptr);
    EXPECT_EQ(Panel->Parent(), &Form);
    EXPECT_EQ(QRect(Panel->Left(), Panel->Top(), Panel->Width(), Panel->Height()), Bounds);
    EXPECT_EQ(Panel->BevelInner(), TPanel::bvRaised);
    EXPECT_EQ(Panel->BevelOuter(), TPanel::bvLowered);
    ASSERT_EQ(Labels.size(), Cases.size());
    for (size_t i = 0; i < Cases.size(); ++i) {
        SCOPED_TRACE(Cases[i].Caption.toStdString());
        TLabel* label = Labels[i];
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->Parent(), Panel);
        EXPECT_EQ(label->Caption(), Cases[i].Caption);
        EXPECT_EQ(label->Left(), Cases[i].Left);
        EXPECT_EQ(label->Top(), Cases[i].Top);
        EXPECT_EQ(label->Font()->Color(), clBlue);
        EXPECT_EQ(label->Font()->Height(), -11);
        EXPECT_EQ(label->Font()->Name(), "MS Sans Serif");
        EXPECT_EQ(label->Font()->Style().testFlag(fsBold), Cases[i].Bold);
        // The whole text fits into the panel.
        EXPECT_LE(label->Left() + label->Width(), Panel->Width() - 2);
        EXPECT_LE(label->Top() + label->Height(), Panel->Height() - 2);
    }
}

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
    const QImage shown = Image->BackingImage();
    for (QPoint p : {QPoint(0, 0), QPoint(Bounds.width() / 2, Bounds.height() / 3),
             QPoint(Bounds.width() - 1, Bounds.height() - 1), QPoint(17, Bounds.height() - 5)})
        EXPECT_EQ(shown.pixel(p) & 0xFFFFFFu, expected.pixel(p) & 0xFFFFFFu) << p.x() << "," << p.y();
}

template <typename Form>
void CheckOkEndsModalShowing()
{
    Form form;
    form.InitializeForm();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        QTimer::singleShot(50, [&] {
            EXPECT_TRUE(form.Visible());
            form.BitBtn1->Click();
        });
        EXPECT_EQ(form.ShowModal(), mrOk);
        EXPECT_FALSE(form.Visible());
    }
}

template <typename Form>
void CheckRoundTrip(const char* Unit)
{
    Form form;
    form.InitializeForm();
    const QByteArray text = WriteComponentText(&form);
    Form copy;
    ReadComponentText(&copy, text, Unit);
    EXPECT_EQ(QString::fromUtf8(WriteComponentText(&copy)), QString::fromUtf8(text));
    EXPECT_EQ(copy.Picture1Bytes(), form.Picture1Bytes());
}

} // namespace

// Gives the round trip a look at the stored picture too.
#define PICTURE1_BYTES(T) \
    struct T##_Probe : T { QByteArray Picture1Bytes() const { return Image1->Picture()->Data(); } };
PICTURE1_BYTES(THersteller_Demo)
PICTURE1_BYTES(VAzaz1_Demo)
PICTURE1_BYTES(VAzaz2_Demo)

TEST(InfoWindows, AllThreeAreRegisteredForTheMainWindow)
{
    for (const char* name : {"THersteller_Demo", "VAzaz1_Demo", "VAzaz2_Demo"})
        EXPECT_TRUE(IsFormRegistered(name)) << name;
}

TEST(InfoWindows, ManufacturerWindowFromItsDescription)
{
    THersteller_Demo form;
    form.InitializeForm();
    CheckFrame(form, "Hersteller", 461, 337, form.BitBtn1, {357, 308});

    ASSERT_NE(form.Image1, nullptr);
    EXPECT_EQ(QRect(form.Image1->Left(), form.Image1->Top(), form.Image1->Width(), form.Image1->Height()),
        QRect(192, 16, 257, 121));
    EXPECT_TRUE(form.Image1->Stretch());
    ASSERT_NE(qobject_cast<TMetafile*>(form.Image1->Picture()->Graphic()), nullptr);
    EXPECT_FALSE(form.Image1->Picture()->Empty());
    // The logo is drawn: its picture has more than one colour.
    const QImage logo = form.Image1->BackingImage();
    QSet<QRgb> colours;
    for (int y = 0; y < logo.height(); y += 4)
        for (int x = 0; x < logo.width(); x += 4)
            colours.insert(logo.pixel(x, y));
    EXPECT_GT(colours.size(), 3);

    const QString company = QString::fromUtf8(Demo::kCompany);
    EXPECT_EQ(company, "Velmar Softwaretechnik");
    CheckPanel(form.Panel1, form, {8, 148, 337, 185},
        {form.Label1, form.Label2, form.Label3, form.Label4, form.Label5, form.Label6, form.Label7, form.Label8,
            form.Label9},
        {
            {16, 16, "Rufen Sie uns an, wenn Sie technische Fragen zu den Produkten"},
            {16, 32, "der Tessaron Serie haben. Wir geben Ihnen gerne Auskunft."},
            {16, 56, company, true},
            {16, 72, QString::fromUtf8(Demo::kStreet)},
            {16, 88, QString::fromUtf8(Demo::kTown)},
            {16, 104, "Telefon " + QString::fromUtf8(Demo::kPhone)},
            {16, 120, "Telefax " + QString::fromUtf8(Demo::kFax)},
            {16, 136, "CompuServe " + QString::fromUtf8(Demo::kCompuServe)},
            {16, 152, "Internet " + QString::fromUtf8(Demo::kEmail)},
        });
}

TEST(InfoWindows, ManufacturerLampsFlashOutOfStepWithoutBeingShown)
{
    THersteller_Demo form;
    form.InitializeForm();
    struct {
        TLed* Led;
        int Left;
        TColor Colour;
        int Interval;
    } const lamps[] = {
        {form.Led1, 48, clRed, 200},
        {form.Led2, 88, clLime, 300},
        {form.Led3, 128, clYellow, 500},
    };
    for (const auto& l : lamps) {
        SCOPED_TRACE(l.Interval);
        ASSERT_NE(l.Led, nullptr);
        EXPECT_EQ(l.Led->Parent(), &form);
        EXPECT_EQ(QRect(l.Led->Left(), l.Led->Top(), l.Led->Width(), l.Led->Height()), QRect(l.Left, 64, 17, 17));
        EXPECT_EQ(l.Led->ColorActive(), l.Colour);
        EXPECT_TRUE(l.Led->Value());
        EXPECT_TRUE(l.Led->Flashing());
        EXPECT_EQ(l.Led->FlashInterval(), l.Interval);
        // The hidden window's lamps flash on their own timers already.
        EXPECT_TRUE(l.Led->FlashTimer()->Enabled());
        EXPECT_TRUE(l.Led->FlashTimer()->Active());
        EXPECT_EQ(l.Led->FlashTimer()->Interval(), l.Interval);
    }
    EXPECT_FALSE(form.Visible());
}

TEST(InfoWindows, GpibWindowFromItsDescription)
{
    VAzaz1_Demo form;
    form.InitializeForm();
    CheckFrame(form, "DUder Demo", 560, 370, form.BitBtn1, {464, 336});
    CheckBitmapImage(form.Image1, form, {24, 232, 320, 100}, "gpib_card.bmp");
    CheckBitmapImage(form.Image2, form, {8, 14, 320, 200}, "gpib_bus.bmp");
    CheckBitmapImage(form.Image3, form, {232, 62, 320, 100}, "gpib_instrument.bmp");
    // Created in the order Image1, Image2, Image3: later ones lie on top.
    std::vector<TControl*> order;
    for (int i = 0; i < form.ControlCount(); ++i)
        order.push_back(form.Controls(i));
    EXPECT_EQ(order, (std::vector<TControl*>{form.Image1, form.Image2, form.Image3, form.Panel1, form.BitBtn1}));

    CheckPanel(form.Panel1, form, {159, 152, 353, 153},
        {form.Label1, form.Label2, form.Label3, form.Label4, form.Label5, form.Label6},
        {
            {8, 16, "Die DUder Komponente bietet Ihnen einfachen und schnellen Zugriff"},
            {8, 32, "auf den GPIB (IEEE-488) Bus. Die meisten der am Markt befindlichen"},
            {8, 48, QString::fromUtf8("programmierbaren Meßgeräte, bieten Ihnen heutzutage diesen Bus.")},
            {8, 72, QString::fromUtf8("DUder ist momentan (April 1996) nur für die 16-Bit Version von Delphi")},
            {8, 88, QString::fromUtf8("verfügbar. An der 32-Bit Version wird jedoch gearbeitet.")},
            {8, 112, "Fragen Sie uns nach den neuesten Entwicklungen !"},
        });
}

TEST(InfoWindows, Rs232WindowFromItsDescription)
{
    VAzaz2_Demo form;
    form.InitializeForm();
    CheckFrame(form, "VAzaz Demo", 560, 370, form.BitBtn1, {464, 336});
    CheckBitmapImage(form.Image1, form, {0, 0, 561, 302}, "rs232.bmp");
    CheckPanel(form.Panel1, form, {72, 240, 313, 113}, {form.Label1, form.Label2, form.Label3, form.Label4},
        {
            {8, 24, "Die Communications Library 2 bietet Ihnen einfachste Befehle"},
            {8, 40, QString::fromUtf8("für die Ansteuerung von Meßgeräten über die RS-232 ")},
            {8, 56, QString::fromUtf8("Schnittstelle. Die VAzaz Komponente unterstützt Baudraten")},
            {8, 72, "bis 56000 Baud."},
        });
}

TEST(InfoWindows, OkEndsAModalShowingWithMrOk)
{
    CheckOkEndsModalShowing<THersteller_Demo>();
    CheckOkEndsModalShowing<VAzaz1_Demo>();
    CheckOkEndsModalShowing<VAzaz2_Demo>();
}

TEST(InfoWindows, DescriptionRoundTrip)
{
    CheckRoundTrip<THersteller_Demo_Probe>("Hersteller_Unit copy");
    CheckRoundTrip<VAzaz1_Demo_Probe>("Comm1_Unit copy");
    CheckRoundTrip<VAzaz2_Demo_Probe>("Comm2_Unit copy");
}
