#include <platform/Buttons.h>
#include <platform/ComCtrls.h>
#include <platform/Dialogs.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/Shell.h>
#include <platform/Spin.h>
#include <platform/StdCtrls.h>
#include <platform/Streaming.h>

#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

using namespace Tessaron;

namespace {

using TLog = std::vector<QString>;

QImage Grab(TControl* Control)
{
    return Control->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb Rgb(TColor Color)
{
    return ColorToQRgb(Color) & 0xFFFFFFu;
}

QRgb At(const QImage& Image, int X, int Y)
{
    return Image.pixel(X, Y) & 0xFFFFFFu;
}

using TProbes = std::vector<std::tuple<int, int, TColor>>; // x, y, expected colour

void ExpectPixels(const QImage& Image, const TProbes& Probes, const char* What = "")
{
    for (const auto& [x, y, color] : Probes)
        EXPECT_EQ(At(Image, x, y), Rgb(color)) << What << " at " << x << "," << y;
}

// How many pixels have the colour, and the box around them.
std::pair<int, QRect> Find(const QImage& Image, TColor Color)
{
    std::pair<int, QRect> found;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (At(Image, x, y) == Rgb(Color)) {
                ++found.first;
                found.second |= QRect(x, y, 1, 1);
            }
    return found;
}

void Click(TControl* Control, int X, int Y)
{
    QTest::mouseClick(Control->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(X, Y));
}

// A host window for controls: shown, so that focus and mouse work.
struct THost {
    TWinControl Window;
    THost(int W = 300, int H = 200)
    {
        Window.SetBounds(0, 0, W, H);
        Window.Widget()->show();
    }
    template <typename T>
    T* Add(int L, int T_, int W, int H, TWinControl* Parent = nullptr)
    {
        auto* c = new T(&Window);
        c->SetParent(Parent ? Parent : &Window);
        c->SetBounds(L, T_, W, H);
        return c;
    }
    void Activate()
    {
        Window.Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.Widget()));
    }
};

} // namespace

// ---------------------------------------------------------------- TSpinEdit

TEST(SpinEdit, AssignedValuesFollowTheBoundsOnChangeOnlyForRealChangesStepsSaturate)
{
    struct Case {
        int Min, Max, Assigned, Expected;
    };
    const Case cases[] = {
        {0, 0, 1000000, 1000000}, {0, 0, INT_MIN, INT_MIN}, // 0/0: unbounded
        {5, 5, -40, -40},                                   // equal bounds: unbounded as well
        {0, 8, 9, 8}, {0, 8, -1, 0}, {-10, 10, -10, -10}, {2, 25, 7, 7},
        {10, 5, 7, 10}, {10, 5, 12, 5},                     // crossed bounds: the minimum rule first
    };
    for (const Case& c : cases) {
        TSpinEdit spin;
        spin.SetMinValue(c.Min);
        spin.SetMaxValue(c.Max);
        spin.SetValue(c.Assigned);
        EXPECT_EQ(spin.Value(), c.Expected) << c.Min << ".." << c.Max << " := " << c.Assigned;
    }
    // OnChange only for real changes; bounds apply at the next step; steps saturate.
    TSpinEdit spin;
    int changes = 0;
    spin.OnChange = [&](TObject*) { ++changes; };
    spin.SetValue(50);
    spin.SetValue(50);
    // Narrowing the range one bound after the other keeps the value; the next step applies it.
    spin.SetMinValue(10);
    spin.SetMaxValue(100);
    spin.SetMaxValue(20);
    EXPECT_EQ(std::pair(spin.Value(), changes), std::pair(50, 1));
    spin.Step(1);
    spin.Step(1); // at the maximum: nothing changes, no event
    EXPECT_EQ(std::pair(spin.Value(), changes), std::pair(20, 2));
    spin.SetIncrement(3);
    spin.Step(-2);
    EXPECT_EQ(spin.Value(), 14);

    TSpinEdit wide; // unbounded steps saturate at the integer range
    wide.SetValue(INT_MAX - 1);
    wide.SetIncrement(5);
    wide.Step(1);
    EXPECT_EQ(wide.Value(), INT_MAX);
    wide.SetValue(INT_MIN + 2);
    wide.Step(-3);
    EXPECT_EQ(wide.Value(), INT_MIN);
}

TEST(SpinEdit, TypedAndSteppedValuesGoThroughTheBounds)
{
    THost host;
    auto* spin = host.Add<TSpinEdit>(10, 10, 80, 22);
    spin->SetMaxValue(8);
    std::vector<int> seen;
    spin->OnChange = [&](TObject*) { seen.push_back(spin->Value()); };
    auto* edit = spin->Widget()->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    spin->Widget()->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "42"); // "4" is taken, "42" is above the maximum and gives 8
    QTest::keyClick(spin->Widget(), Qt::Key_Down);
    QTest::keyClick(spin->Widget(), Qt::Key_Up);
    QTest::keyClick(spin->Widget(), Qt::Key_Up);
    EXPECT_EQ(std::pair(seen, spin->Value()), std::pair(std::vector<int>{4, 8, 7, 8}, 8));
}

// ---------------------------------------------------------------- TBitBtn and TButton

TEST(BitBtn, GlyphIsDrawnWithoutItsTransparentColour)
{
    THost host;
    auto* b = host.Add<TBitBtn>(10, 10, 97, 25);
    TBitmap glyph(16, 16);
    glyph.Canvas()->Brush()->SetColor(clOlive); // bottom-left pixel: transparent
    glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(Rect(4, 4, 12, 12));
    b->SetGlyph(&glyph);
    b->SetCaption("Start");
    const QImage image = Grab(b);
    const auto [red, redBox] = Find(image, clRed);
    EXPECT_EQ(std::pair(red, Find(image, clOlive).first), std::pair(64, 0));
    // Glyph and caption are centred together, the glyph on the left.
    const int textWidth = QFontMetrics(b->Font()->ToQFont()).horizontalAdvance("Start");
    const int margin = (97 - 4 - (16 + 4 + textWidth) + 1) / 2;
    EXPECT_EQ(redBox.left(), 2 + margin + 4);
}

TEST(Button, ClickGivesTheFormItsModalResultBeforeOnClick)
{
    TForm form;
    auto* b = new TButton(&form);
    b->SetParent(&form);
    b->SetBounds(10, 10, 75, 25);
    b->SetModalResult(mrCancel);
    int seen = -1;
    b->OnClick = [&](TObject*) { seen = form.ModalResult(); };
    Click(b, 20, 10);
    EXPECT_EQ(std::pair(seen, form.ModalResult()), std::pair(int(mrCancel), int(mrCancel)));
}

TEST(Button, PressedFaceIsSunkenAndDefaultButtonHasABlackFrame)
{
    THost host;
    auto* plain = host.Add<TButton>(10, 10, 75, 25);
    auto* def = host.Add<TButton>(100, 10, 75, 25);
    def->SetDefault(true);
    ExpectPixels(Grab(plain), {{0, 0, clBtnHighlight}, {74, 24, cl3DDkShadow}, {73, 23, clBtnShadow}}, "up");
    ExpectPixels(Grab(def), {{0, 0, clWindowFrame}, {1, 1, clBtnHighlight}}, "default");
    static_cast<QAbstractButton*>(plain->Widget())->setDown(true);
    ExpectPixels(Grab(plain), {{0, 0, clBtnShadow}, {74, 24, clBtnShadow}}, "down");
}

TEST(Button, EnterPressesTheDefaultButtonEscapeTheCancelButton)
{
    THost host;
    auto* edit = host.Add<TEdit>(10, 10, 100, 21);
    auto* ok = host.Add<TBitBtn>(10, 40, 89, 25);
    auto* cancel = host.Add<TBitBtn>(110, 40, 89, 25);
    auto* other = host.Add<TButton>(210, 40, 75, 25);
    ok->SetKind(TBitBtn::bkOK);
    cancel->SetKind(TBitBtn::bkCancel);
    TLog log;
    ok->OnClick = [&](TObject*) { log.push_back("ok"); };
    cancel->OnClick = [&](TObject*) { log.push_back("cancel"); };
    other->OnClick = [&](TObject*) { log.push_back("other"); };
    host.Activate();
    edit->SetFocus();
    QTest::keyClick(edit->Widget(), Qt::Key_Return);
    QTest::keyClick(edit->Widget(), Qt::Key_Escape);
    other->SetFocus(); // Enter on a focused button presses that button
    QTest::keyClick(other->Widget(), Qt::Key_Return);
    EXPECT_EQ(log, (TLog{"ok", "cancel", "other"}));
}

// ---------------------------------------------------------------- TPanel

TEST(Panel, BevelPixels)
{
    struct Case {
        TPanel::TBevelCut Outer, Inner;
        int BevelWidth, BorderWidth;
        TProbes Pixels;
    };
    const TColor hi = clBtnHighlight, sh = clBtnShadow, face = clBtnFace;
    const std::vector<Case> cases = {
        {TPanel::bvRaised, TPanel::bvNone, 1, 0, {{0, 0, hi}, {30, 0, hi}, {0, 20, hi}, {49, 0, sh}, {0, 29, sh},
                                                    {49, 29, sh}, {30, 29, sh}, {1, 1, face}, {48, 28, face}}},
        {TPanel::bvNone, TPanel::bvNone, 1, 0, {{0, 0, face}, {49, 29, face}}},
        {TPanel::bvRaised, TPanel::bvLowered, 2, 1,
            {{0, 0, hi}, {1, 1, hi}, {49, 29, sh}, {48, 28, sh}, {2, 2, face}, {47, 27, face}, {3, 3, sh},
                {4, 4, sh}, {46, 26, hi}, {45, 25, hi}, {5, 5, face}}},
    };
    for (const Case& c : cases) {
        THost host;
        auto* panel = host.Add<TPanel>(5, 5, 50, 30);
        panel->SetBevelOuter(c.Outer);
        panel->SetBevelInner(c.Inner);
        panel->SetBevelWidth(c.BevelWidth);
        panel->SetBorderWidth(c.BorderWidth);
        const QImage image = Grab(panel);
        ASSERT_EQ(image.size(), QSize(50, 30));
        SCOPED_TRACE(testing::Message() << "outer " << c.Outer << " inner " << c.Inner);
        ExpectPixels(image, c.Pixels);
    }
}

TEST(Panel, AlignedChildrenStayInsideBevelsAndBorderTheCaptionFollowsTheAlignment)
{
    THost host;
    auto* panel = host.Add<TPanel>(0, 0, 200, 100);
    panel->SetBevelOuter(TPanel::bvRaised);
    panel->SetBevelInner(TPanel::bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    auto* child = host.Add<TPanel>(0, 0, 10, 10, panel);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(7, 7, 193, 93));
    panel->SetBevelInner(TPanel::bvNone);
    EXPECT_EQ(child->BoundsRect(), Rect(5, 5, 195, 95));

    // The caption's place follows the alignment.
    auto* titled = host.Add<TPanel>(0, 100, 200, 41);
    titled->SetCaption("Tessaron");
    auto textLeft = [&] {
        const auto [count, box] = Find(Grab(titled).copy(0, 2, 200, 41 - 4), clBlack);
        return count ? box.left() : -1;
    };
    const int width = QFontMetrics(titled->Font()->ToQFont()).horizontalAdvance("Tessaron");
    EXPECT_NEAR(textLeft(), (200 - 2 - width) / 2 + 1, 1);
    titled->SetAlignment(taLeftJustify);
    EXPECT_NEAR(textLeft(), 1, 1);
    titled->SetAlignment(taRightJustify);
    EXPECT_NEAR(textLeft(), 199 - width, 1);
}

// ---------------------------------------------------------------- TComboBox

TEST(ComboBox, OwnerDrawCallsOnDrawItemForEachItemOtherStylesNever)
{
    THost host;
    auto* combo = host.Add<TComboBox>(10, 10, 120, 21);
    combo->SetStyle(TComboBox::csOwnerDrawFixed);
    combo->SetItemHeight(15);
    combo->SetItems({"1", "2", "3", "4", "5", "6", "7"});
    combo->SetItemIndex(2);
    struct Call {
        int Index;
        TRect Rect;
        TOwnerDrawState State;
    };
    std::vector<Call> calls;
    combo->OnDrawItem = [&](TWinControl* Control, int Index, TRect R, TOwnerDrawState State) {
        EXPECT_EQ(Control, combo);
        calls.push_back({Index, R, State});
        // As the grid dialog draws its pen styles: a white box with a black line.
        TCanvas* c = combo->Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(R);
        c->Brush()->SetColor(clBlack);
        c->FillRect(Rect(R.Left + 1, (R.Top + R.Bottom) / 2, R.Right - 1, (R.Top + R.Bottom) / 2 + 1));
    };
    // The closed box draws its current item as the edit item.
    Grab(combo);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().Index, 2);
    EXPECT_TRUE(calls.back().State.testFlag(odComboBoxEdit));

    calls.clear();
    combo->SetDroppedDown(true);
    auto* view = static_cast<QComboBox*>(combo->Widget())->view();
    const QImage list = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    combo->SetDroppedDown(false);
    std::set<int> drawn;
    for (const Call& c : calls) {
        drawn.insert(c.Index);
        EXPECT_EQ(std::pair(c.Rect.Height(), c.State.testFlag(odComboBoxEdit)), std::pair(15, false));
    }
    EXPECT_EQ(drawn, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
    // What the handler drew is what the list shows: item 0's solid line.
    const QRect first = view->visualRect(static_cast<QComboBox*>(combo->Widget())->model()->index(0, 0));
    const int y = first.top() + 15 / 2;
    EXPECT_EQ(std::pair(At(list, first.left() + 5, y), At(list, first.left() + 5, y - 3)),
        std::pair(Rgb(clBlack), Rgb(clWhite)));

    auto* plain = host.Add<TComboBox>(10, 40, 120, 21);
    plain->SetStyle(TComboBox::csDropDownList);
    plain->SetItems({"linear/linear", "linear/logarithmisch"});
    plain->SetItemIndex(0);
    int plainCalls = 0;
    plain->OnDrawItem = [&](TWinControl*, int, TRect, TOwnerDrawState) { ++plainCalls; };
    Grab(plain);
    EXPECT_EQ(plainCalls, 0);
}

TEST(ComboBox, UserChoiceRaisesClickThenChangeAssignmentRaisesNothing)
{
    THost host;
    auto* combo = host.Add<TComboBox>(10, 10, 120, 21);
    combo->SetStyle(TComboBox::csDropDownList);
    combo->SetItems({"a", "b", "c"});
    TLog log;
    combo->OnClick = [&](TObject*) { log.push_back("click " + QString::number(combo->ItemIndex())); };
    combo->OnChange = [&](TObject*) { log.push_back("change " + combo->Text()); };
    combo->SetItemIndex(1);
    EXPECT_TRUE(log.empty());
    combo->Widget()->setFocus();
    QTest::keyClick(combo->Widget(), Qt::Key_Down);
    EXPECT_EQ(std::pair(log, combo->ItemIndex()), std::pair(TLog{"click 2", "change c"}, 2));
    // Items that no longer hold the index clear it; invalid indices are ignored.
    combo->SetItems({"x", "y"});
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(5);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetText("y");
    EXPECT_EQ(combo->ItemIndex(), 1);
}

// ---------------------------------------------------------------- TImage

TEST(Image, PlacementOfThePicture)
{
    TBitmap bmp(2, 2);
    bmp.Canvas()->SetPixel(0, 0, clRed);
    bmp.Canvas()->SetPixel(1, 0, clLime);
    bmp.Canvas()->SetPixel(0, 1, clBlue);
    bmp.Canvas()->SetPixel(1, 1, clYellow);
    THost host;
    host.Window.SetColor(clTeal);
    auto* image = host.Add<TImage>(0, 0, 20, 10);
    image->Picture()->SetGraphic(&bmp);
    ExpectPixels(image->BackingImage(), {{0, 0, clRed}, {1, 1, clYellow}, {2, 0, clTeal}, {10, 5, clTeal}}, "natural");
    image->SetCenter(true);
    ExpectPixels(image->BackingImage(), {{9, 4, clRed}, {10, 5, clYellow}, {8, 4, clTeal}, {0, 0, clTeal}}, "centred");
    image->SetStretch(true);
    ExpectPixels(image->BackingImage(), {{0, 0, clRed}, {9, 4, clRed}, {10, 0, clLime}, {19, 4, clLime}, {0, 5, clBlue},
                                            {9, 9, clBlue}, {10, 5, clYellow}, {19, 9, clYellow}}, "stretched");
    EXPECT_EQ(image->DestRect(), Rect(0, 0, 20, 10));
    image->SetAutoSize(true);
    EXPECT_EQ(image->BoundsRect(), Rect(0, 0, 2, 2));
}

// ---------------------------------------------------------------- check boxes and radio buttons

TEST(CheckBox, SynthesizedClicksToggleAndRaiseOnClick)
{
    using S = TCheckBox::TCheckBoxState;
    THost host;
    auto* box = host.Add<TCheckBox>(10, 10, 120, 17);
    box->SetCaption("Gitter sichtbar");
    std::vector<S> seen;
    box->OnClick = [&](TObject*) { seen.push_back(box->State()); };
    Click(box, 60, 8); // on the caption
    Click(box, 6, 8);  // on the box
    // With AllowGrayed the click goes unchecked -> greyed -> checked -> unchecked.
    box->SetAllowGrayed(true);
    for (int i = 0; i < 3; ++i)
        Click(box, 6, 8);
    // Space toggles as well; an assigned change raises OnClick too, an unchanged one not.
    box->Widget()->setFocus();
    QTest::keyClick(box->Widget(), Qt::Key_Space);
    box->SetChecked(false);
    box->SetChecked(false);
    EXPECT_EQ(seen, (std::vector<S>{TCheckBox::cbChecked, TCheckBox::cbUnchecked, TCheckBox::cbGrayed,
                        TCheckBox::cbChecked, TCheckBox::cbUnchecked, TCheckBox::cbGrayed, TCheckBox::cbUnchecked}));
    // The tick is drawn in the box.
    box->SetChecked(true);
    ExpectPixels(Grab(box), {{3 + 6, 2 + 3, clWindowText}, {3 + 1, 2 + 3, clWindow}});

    TCheckBox loaded; // loading sets the state without OnClick
    int clicks = 0;
    loaded.OnClick = [&](TObject*) { ++clicks; };
    loaded.BeginLoading();
    loaded.SetState(TCheckBox::cbChecked);
    loaded.Loaded();
    EXPECT_EQ(std::pair(loaded.Checked(), clicks), std::pair(true, 0));
}

TEST(RadioButton, RadioButtonsOfOneParentFormAGroup)
{
    THost host;
    auto* group = host.Add<TGroupBox>(0, 0, 200, 120);
    std::vector<TRadioButton*> radios;
    TLog log;
    for (int i = 0; i < 3; ++i) {
        radios.push_back(host.Add<TRadioButton>(8, 16 + 20 * i, 120, 17, group));
        radios[i]->OnClick = [&log, i](TObject*) { log.push_back(QStringLiteral("click %1").arg(i)); };
    }
    auto* other = host.Add<TRadioButton>(210, 10, 80, 17);
    other->SetChecked(true);
    radios[0]->SetChecked(true);
    Click(radios[1], 6, 8);
    Click(radios[1], 6, 8); // clicking the checked one changes nothing
    EXPECT_EQ(log, (TLog{"click 0", "click 1"}));
    // The other button has another parent: another group.
    EXPECT_EQ(std::tuple(radios[0]->Checked(), radios[1]->Checked(), radios[2]->Checked(), other->Checked()),
        std::tuple(false, true, false, true));
    // The dot of the checked button.
    const int top = (17 - 12) / 2;
    EXPECT_EQ(std::pair(At(Grab(radios[1]), 5, top + 5), At(Grab(radios[0]), 5, top + 5)),
        std::pair(Rgb(clWindowText), Rgb(clWindow)));
}

// ---------------------------------------------------------------- TLabel, TEdit, TGroupBox

TEST(Label, AutoSizeFitsTheTextButNotWhileLoadingDisabledTextIsEmbossed)
{
    THost host;
    auto* label = host.Add<TLabel>(100, 10, 65, 17);
    // A face drawn at its own advances, so that whole-text and summed widths agree.
    label->Font()->SetName("Arial");
    const QFontMetrics fm(label->Font()->ToQFont());
    label->SetCaption("Kurve:");
    EXPECT_EQ(label->BoundsRect(), Bounds(100, 10, fm.horizontalAdvance("Kurve:"), fm.height()));
    // A right-justified label keeps its right edge.
    label->SetAlignment(taRightJustify);
    const int right = label->Left() + label->Width();
    label->SetCaption("Spannung:");
    EXPECT_EQ(std::pair(label->Left() + label->Width(), label->Width()), std::pair(right, fm.horizontalAdvance("Spannung:")));
    // Word wrap keeps the width and grows the height.
    label->SetAlignment(taLeftJustify);
    label->SetAutoSize(false);
    label->SetWidth(60);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    label->SetCaption(QString::fromUtf8("eins zwei drei vier fünf sechs"));
    EXPECT_EQ(label->Width(), 60);
    EXPECT_GE(label->Height(), 3 * fm.height());
    // "&&" shows one ampersand and measures like it.
    label->SetWordWrap(false);
    label->SetCaption("A&&B");
    EXPECT_EQ(label->Width(), fm.horizontalAdvance("A&B"));
    // A text ends at its first #0, and is sized without what followed it.
    label->SetCaption(QStringLiteral("Kurve:") + QChar(0) + QChar(0x2F9));
    EXPECT_EQ(std::pair(label->Caption(), label->Width()), std::pair(QString("Kurve:"), fm.horizontalAdvance("Kurve:")));

    // No auto size while loading.
    TLabel loading;
    loading.BeginLoading();
    loading.SetBounds(0, 0, 200, 40);
    loading.SetCaption("Tessaron");
    EXPECT_EQ(loading.Width(), 200);
    loading.Loaded();
    EXPECT_LT(loading.Width(), 200);

    // Disabled text is embossed.
    auto* l = host.Add<TLabel>(0, 0, 10, 10);
    l->SetCaption("Aus");
    l->SetEnabled(false);
    const QImage& img = l->BackingImage();
    EXPECT_GT(Find(img, clBtnHighlight).first, 0);
    EXPECT_GT(Find(img, clBtnShadow).first, 0);
    EXPECT_EQ(Find(img, clBlack).first, 0);
}

TEST(Edit, OnChangeForTypedAndAssignedTextOnExitOnFocusLoss)
{
    THost host;
    auto* edit = host.Add<TEdit>(10, 10, 100, 21);
    auto* other = host.Add<TEdit>(10, 40, 100, 21);
    TLog log;
    edit->OnChange = [&](TObject*) { log.push_back("change " + edit->Text()); };
    edit->OnExit = [&](TObject*) { log.push_back("exit"); };
    edit->SetText("1");
    edit->SetText("1");
    host.Activate();
    edit->SetFocus();
    QTest::keyClicks(edit->Widget(), "5");
    other->SetFocus();
    EXPECT_EQ(log, (TLog{"change 1", "change 15", "exit"}));
}

TEST(GroupBox, EtchedFrameAndChildArea)
{
    THost host;
    auto* box = host.Add<TGroupBox>(0, 0, 100, 60);
    const int h = QFontMetrics(box->Font()->ToQFont()).height();
    const int y = h / 2 - 1;
    ExpectPixels(Grab(box), {{0, y + 10, clBtnShadow}, {1, y + 10, clBtnHighlight}, {50, y, clBtnShadow},
                                {50, y + 1, clBtnHighlight}, {50, 59, clBtnHighlight}});
    auto* child = host.Add<TPanel>(0, 0, 5, 5, box);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(2, h + 2, 98, 58));
}

// ---------------------------------------------------------------- TSpeedButton

TEST(SpeedButton, GroupsKeepAtMostOneButtonDownWhichLooksPressed)
{
    THost host;
    auto* bar = host.Add<TPanel>(0, 0, 200, 31);
    std::vector<TSpeedButton*> mode;
    TLog log;
    for (int i = 0; i < 3; ++i) {
        mode.push_back(host.Add<TSpeedButton>(40 + 24 * i, 3, 25, 25, bar));
        mode[i]->SetGroupIndex(2);
        mode[i]->OnClick = [&log, &mode, i](TObject*) {
            log.push_back(QStringLiteral("%1 %2").arg(i).arg(mode[i]->Down() ? "down" : "up"));
        };
    }
    auto* push = host.Add<TSpeedButton>(8, 3, 25, 25, bar);
    mode[1]->SetDown(true);
    Click(mode[0], 12, 12);
    EXPECT_FALSE(mode[1]->Down());
    Click(mode[0], 12, 12); // without AllowAllUp the down button stays down
    EXPECT_EQ(std::pair(mode[0]->Down(), log), std::pair(true, TLog{"0 down", "0 down"}));
    mode[2]->SetAllowAllUp(true); // shared by the group
    EXPECT_TRUE(mode[0]->AllowAllUp());
    Click(mode[0], 12, 12);
    EXPECT_FALSE(mode[0]->Down());
    // A push button never stays down; a release outside is no click.
    push->SetDown(true);
    EXPECT_FALSE(push->Down());
    int pushes = 0;
    push->OnClick = [&](TObject*) { ++pushes; };
    Click(push, 12, 12);
    QTest::mousePress(push->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(12, 12));
    QTest::mouseRelease(push->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 12));
    EXPECT_EQ(std::pair(pushes, push->State()), std::pair(1, TSpeedButton::bsUp));
    // A button up is raised; down it looks pressed, face and highlight alternating.
    ExpectPixels(push->BackingImage(), {{0, 0, clBtnHighlight}, {24, 24, cl3DDkShadow}}, "up");
    mode[1]->SetDown(true);
    const QImage& down = mode[1]->BackingImage();
    ExpectPixels(down, {{0, 0, cl3DDkShadow}, {24, 24, clBtnHighlight}}, "down");
    EXPECT_NE(At(down, 12, 12), At(down, 13, 12));
}

// ---------------------------------------------------------------- TUpDown

TEST(UpDown, ClicksAskOnChangingMoveThePositionAndReportTheButton)
{
    THost host;
    auto* edit = host.Add<TEdit>(10, 10, 60, 21);
    auto* ud = host.Add<TUpDown>(0, 0, 16, 10);
    ud->SetMin(0);
    ud->SetMax(10);
    ud->SetAssociate(edit);
    EXPECT_EQ(std::pair(ud->BoundsRect(), edit->Text()), std::pair(Bounds(70, 10, 16, 21), QString("0")));
    TLog log;
    bool allow = true;
    ud->OnChanging = [&](TObject*, bool& AllowChange) {
        log.push_back("changing " + QString::number(ud->Position()));
        AllowChange = allow;
    };
    ud->OnClick = [&](TObject*, TUpDown::TUDBtnType Button) {
        log.push_back(QStringLiteral("click %1 %2").arg(Button == TUpDown::btNext ? "next" : "prev").arg(ud->Position()));
    };
    Click(ud, 8, 3);
    EXPECT_EQ(std::pair(log, edit->Text()), std::pair(TLog{"changing 0", "click next 1"}, QString("1")));
    // The position comes from the associate's text.
    edit->SetText("9");
    ud->ClickButton(TUpDown::btNext);
    ud->ClickButton(TUpDown::btNext);
    EXPECT_EQ(std::pair(ud->Position(), edit->Text()), std::pair(10, QString("10")));
    ud->SetWrap(true);
    ud->ClickButton(TUpDown::btNext);
    EXPECT_EQ(ud->Position(), 0);
    log.clear();
    allow = false;
    Click(ud, 8, 18);
    EXPECT_EQ(log, (TLog{"changing 0", "click prev 0"}));
}

// ---------------------------------------------------------------- dialogs

TEST(OpenDialog, AnsweredThroughTheTestResponderFiltersAndDefaultExtension)
{
    TOpenDialog dialog;
    dialog.SetDefaultExt("ddt");
    dialog.SetFileName("test.ddt");
    dialog.SetFilter("Schreiberdaten|*.ddt");
    QString offered;
    auto answer = [&](const char* Name, bool Ok) {
        TOpenDialog::SetTestResponder([&offered, Name, Ok](TOpenDialog& D) {
            offered = D.FileName();
            D.SetFileName(Name);
            return Ok;
        });
        return dialog.Execute();
    };
    EXPECT_TRUE(answer("/tmp/lauf2", true));
    EXPECT_EQ(std::tuple(offered, dialog.FileName(), dialog.Files(), dialog.Options().testFlag(TOpenDialog::ofExtensionDifferent)),
        std::tuple(QString("test.ddt"), QString("/tmp/lauf2.ddt"), QStringList{"/tmp/lauf2.ddt"}, false));
    EXPECT_FALSE(answer("verworfen.txt", false));
    EXPECT_TRUE(answer("notiz.txt", true));
    EXPECT_TRUE(dialog.Options().testFlag(TOpenDialog::ofExtensionDifferent));
    TOpenDialog::SetTestResponder(nullptr);
    // Offscreen without a responder nobody can answer: cancelled.
    EXPECT_FALSE(dialog.Execute());
    // Filters in Qt's form, and the default extension.
    EXPECT_EQ(TOpenDialog::QtFilters("Schreiberdaten|*.ddt"), QStringList{"Schreiberdaten (*.ddt)"});
    EXPECT_EQ(TOpenDialog::QtFilters("Text|*.txt; *.log|Alle Dateien|*.*"),
        (QStringList{"Text (*.txt *.log)", "Alle Dateien (*)"}));
    EXPECT_TRUE(TOpenDialog::QtFilters(QString()).isEmpty());
    const std::pair<const char*, const char*> names[] = {
        {"lauf", "lauf.ddt"}, {"lauf.txt", "lauf.txt"}, {"ordner.v2/lauf", "ordner.v2/lauf.ddt"},
        {"lauf.", "lauf."}, {"", ""},
    };
    for (const auto& [in, out] : names)
        EXPECT_EQ(TOpenDialog::WithDefaultExt(in, "ddt"), out);
}

TEST(FontDialog, ConfirmedChoiceIsCopiedCancelledOneIsNot)
{
    TFontDialog dialog;
    TFont font;
    font.SetName("Arial");
    font.SetColor(clRed);
    dialog.SetFont(&font);
    dialog.SetOptions(TFontDialog::TFontDialogOptions(TFontDialog::fdEffects) | TFontDialog::fdTrueTypeOnly);
    bool confirm = false;
    TFontDialog::SetTestResponder([&](TFontDialog& D, TFont& Chosen) {
        EXPECT_TRUE(D.Options().testFlag(TFontDialog::fdTrueTypeOnly));
        Chosen.SetName("Courier New");
        Chosen.SetStyle(TFontStyles(fsBold));
        return confirm;
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Font()->Name(), "Arial");
    confirm = true;
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(std::tuple(dialog.Font()->Name(), dialog.Font()->Style(), dialog.Font()->Color()),
        std::tuple(QString("Courier New"), TFontStyles(fsBold), clRed));
    TFontDialog::SetTestResponder(nullptr);
}

TEST(MessageBoxes, RequestsCarryButtonsDefaultsAndCaptions)
{
    std::vector<TMessageRequest> requests;
    int answer = IDNO;
    SetMessageResponder([&](const TMessageRequest& R) {
        requests.push_back(R);
        return answer;
    });
    EXPECT_EQ(MessageBox(QString::fromUtf8("Datei überschreiben?"), "Frage", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2),
        IDNO);
    answer = mrYes;
    EXPECT_EQ(MessageDlg("Weiter?", mtConfirmation, TMsgDlgButtons(mbYes) | mbNo), mrYes);
    ShowMessage("Fertig");
    MessageBox("x", "y", MB_YESNO);
    SetMessageResponder(nullptr);
    ASSERT_EQ(requests.size(), 4u);
    const auto facts = [](const TMessageRequest& R) {
        return std::tuple(R.Caption, R.Type, R.Buttons, R.DefaultResult, R.CancelResult);
    };
    EXPECT_EQ(facts(requests[0]),
        std::tuple(QString("Frage"), mtConfirmation, TMsgDlgButtons(mbYes) | mbNo | mbCancel, IDNO, IDCANCEL));
    EXPECT_EQ(facts(requests[1]),
        std::tuple(QString::fromUtf8("Bestätigen"), mtConfirmation, TMsgDlgButtons(mbYes) | mbNo, mrYes, mrNo));
    // Yes/No boxes do not take Escape.
    EXPECT_EQ(std::pair(requests[2].Buttons, requests[3].CancelResult), std::pair(TMsgDlgButtons(mbOK), -1));
    // Offscreen without a responder: the default button answers.
    EXPECT_EQ(MessageBox("?", "t", MB_RETRYCANCEL | MB_DEFBUTTON2), IDCANCEL);
}

TEST(Shell, RunDetachedStartsCommandLinesAndIgnoresFailures)
{
    RunDetached("/nonexistent/tessaron-viewer DATEN.WRI");
    RunDetached(QString());
    RunDetached("   ");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("mit leerzeichen.txt");
    RunDetached(QStringLiteral("touch \"%1\"").arg(file));
    EXPECT_TRUE(TestSupport::WaitFor([&] { return QFileInfo::exists(file); }, 5000));
}

// ---------------------------------------------------------------- descriptions

namespace StdCtrlsTest {

class TStdForm : public TForm {
    Q_OBJECT
public:
    using TForm::TForm;
    int Drawn = 0;
    QString LastClick;
    Q_INVOKABLE void ListDrawItem(Tessaron::TWinControl*, int, Tessaron::TRect, Tessaron::TOwnerDrawState) { ++Drawn; }
    Q_INVOKABLE void UpDownClick(Tessaron::TObject*, Tessaron::TUpDown::TUDBtnType Button)
    {
        LastClick = Button == TUpDown::btNext ? "next" : "prev";
    }
};

} // namespace StdCtrlsTest

// Values read before the properties they depend on are checked once loading
// ends, without events.
TEST(StdDescriptions, StandardControlsReadWriteAndReadAgain)
{
    RegisterClass<StdCtrlsTest::TStdForm>();
    const QByteArray text = R"(object StdForm: TStdForm
  Caption = 'Test'
  object Panel1: TPanel
    Alignment = taLeftJustify
    BevelInner = bvLowered
    BevelWidth = 2
    Caption = 'Überschrift'
    object Label1: TLabel
      Caption = 'Kurve:'
      Layout = tlCenter
      Font.Color = clBlue
    end
    object Combo1: TComboBox
      Style = csOwnerDrawFixed
      ItemIndex = 1
      Items = ('1' '2' '3')
      OnDrawItem = ListDrawItem
    end
  end
  object Combo2: TComboBox
    ItemIndex = 4
    Items = ('a')
  end
  object BitBtn1: TBitBtn
    Caption = '&Fertig'
    Kind = bkOK
  end
  object Spin1: TSpinEdit
    Value = 12
    MaxValue = 8
  end
  object Edit1: TEdit
    Text = '3'
  end
  object UpDown1: TUpDown
    Associate = Edit1
    Max = 50
    Position = 42
    OnClick = UpDownClick
  end
  object Speed1: TSpeedButton
    Down = True
    GroupIndex = 2
  end
  object Speed2: TSpeedButton
    Down = True
  end
  object Check1: TCheckBox
    AllowGrayed = True
    State = cbGrayed
  end
  object Radio1: TRadioButton
    Checked = True
  end
  object Image1: TImage
    Stretch = True
  end
  object Bevel1: TBevel
    Shape = bsTopLine
    Style = bsRaised
  end
  object Button1: TButton
    Caption = '&Start'
    ModalResult = mrCancel
  end
  object Open1: TOpenDialog
    DefaultExt = 'ddt'
    Filter = 'Schreiberdaten|*.ddt'
    Options = [ofFileMustExist, ofHideReadOnly]
  end
  object Font1: TFontDialog
    Options = [fdEffects, fdTrueTypeOnly]
  end
end
)";
    std::unique_ptr<TComponent> root(ReadComponent(text, QStringLiteral("std")));
    auto* form = qobject_cast<StdCtrlsTest::TStdForm*>(root.get());
    ASSERT_NE(form, nullptr);
    auto find = [&](const char* Name) { return form->FindComponent(QString::fromLatin1(Name)); };
    auto* bit = qobject_cast<TBitBtn*>(find("BitBtn1"));
    ASSERT_NE(bit, nullptr);
    // A caption read before the kind stays; a speed button without a group is a push button.
    EXPECT_EQ(std::tuple(bit->Caption(), bit->ModalResult(), qobject_cast<TButton*>(find("Button1"))->ModalResult()),
        std::tuple(QString("&Fertig"), int(mrOk), int(mrCancel)));
    EXPECT_EQ(std::tuple(qobject_cast<TSpinEdit*>(find("Spin1"))->Value(), qobject_cast<TEdit*>(find("Edit1"))->Text(),
                  qobject_cast<TSpeedButton*>(find("Speed1"))->Down(), qobject_cast<TSpeedButton*>(find("Speed2"))->Down()),
        std::tuple(8, QString("42"), true, false));
    auto* combo = qobject_cast<TComboBox*>(find("Combo1"));
    EXPECT_EQ(std::tuple(qobject_cast<TCheckBox*>(find("Check1"))->State(), qobject_cast<TComboBox*>(find("Combo2"))->ItemIndex(),
                  combo->ItemIndex()),
        std::tuple(TCheckBox::cbGrayed, -1, 1));
    Grab(combo);
    EXPECT_GT(form->Drawn, 0);
    qobject_cast<TUpDown*>(find("UpDown1"))->ClickButton(TUpDown::btPrev);
    EXPECT_EQ(form->LastClick, "prev");
    EXPECT_EQ(qobject_cast<TOpenDialog*>(find("Open1"))->Options(),
        TOpenDialog::TOpenOptions(TOpenDialog::ofFileMustExist) | TOpenDialog::ofHideReadOnly);

    const QByteArray written = WriteComponentText(form);
    std::unique_ptr<TComponent> again(ReadComponent(written, QStringLiteral("written")));
    EXPECT_EQ(QString::fromUtf8(WriteComponentText(again.get())), QString::fromUtf8(written));
    for (const char* line : {"Caption = '&Fertig'", "Kind = bkOK", "Style = csOwnerDrawFixed", "OnDrawItem = ListDrawItem",
             "Associate = Edit1"})
        EXPECT_TRUE(written.contains(line)) << line;
    bit->SetKind(TBitBtn::bkCancel); // outside loading the kind's caption wins
    EXPECT_EQ(bit->Caption(), "Abbrechen");
}

#include "test_stdctrls.moc"

// A control's own font is written whole, so reading it back under a parent
// with another font cannot mix the two; a control following its parent writes
// no font at all and keeps following it.
TEST(StdControlsDescriptions, OwnFontsAreWrittenWholeInheritedOnesNotAtAll)
{
    RegisterClass<StdCtrlsTest::TStdForm>();
    StdCtrlsTest::TStdForm form;
    form.SetName(QStringLiteral("F"));
    form.Font()->SetStyle(TFontStyles(fsBold));
    form.Font()->SetHeight(-13);
    auto* panel = new TPanel(&form);
    panel->SetName(QStringLiteral("Panel1"));
    panel->SetParent(&form);
    auto* button = new TButton(&form);
    button->SetName(QStringLiteral("Button1"));
    button->SetParent(panel);
    button->Font()->SetStyle(TFontStyles());   // regular, as a fresh font
    button->Font()->SetHeight(-11);
    ASSERT_FALSE(button->ParentFont());
    ASSERT_TRUE(panel->ParentFont());

    const QByteArray written = WriteComponentText(&form);
    const QString text = QString::fromUtf8(written);
    const QString panelPart = text.section(QStringLiteral("object Panel1"), 1).section(QStringLiteral("object Button1"), 0, 0);
    EXPECT_FALSE(panelPart.contains(QStringLiteral("Font."))) << panelPart.toStdString();
    const QString buttonPart = text.section(QStringLiteral("object Button1"), 1);
    for (const char* line : {"Font.Style = []", "Font.Height = -11", "Font.Name = ", "Font.Color = "})
        EXPECT_TRUE(buttonPart.contains(QLatin1String(line))) << line;

    std::unique_ptr<TComponent> again(ReadComponent(written, QStringLiteral("fonts")));
    auto* form2 = qobject_cast<StdCtrlsTest::TStdForm*>(again.get());
    ASSERT_NE(form2, nullptr);
    auto* button2 = qobject_cast<TButton*>(form2->FindComponent(QStringLiteral("Button1")));
    auto* panel2 = qobject_cast<TPanel*>(form2->FindComponent(QStringLiteral("Panel1")));
    EXPECT_EQ(std::tuple(button2->Font()->Style(), button2->Font()->Height(), panel2->ParentFont(), panel2->Font()->Style()),
        std::tuple(TFontStyles(), -11, true, TFontStyles(fsBold)));
    EXPECT_EQ(QString::fromUtf8(WriteComponentText(again.get())), text);
}
