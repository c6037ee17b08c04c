#include "histograph/_Eca.h"
#include "histograph/RecorderTools.h"

namespace Tessaron {

using namespace RecorderTools;

namespace {

// "Kurve:", "X:", "Y:" in bold and the three value labels of one cross.
void CrossGroup(TForm* Form, TGroupBox* Box, const QString& Axis, TLabel*& Series, TLabel*& X, TLabel*& Y)
{
    PlaceLabel(Form, Box, 8, 16, QStringLiteral("Kurve:"), true);
    PlaceLabel(Form, Box, 8, 32, Axis, true);
    PlaceLabel(Form, Box, 8, 48, QStringLiteral("Y:"), true);
    Series = PlaceLabel(Form, Box, 48, 16, QStringLiteral("1"));
    X = PlaceLabel(Form, Box, 24, 32, QStringLiteral("0,0000"), false, 65);
    Y = PlaceLabel(Form, Box, 24, 48, QStringLiteral("0,0000"), false, 65);
}

// A delta sign at (Left, Top). The classic window writes "D" in the Symbol
// font, which our platform has not: the sign itself is written instead.
void Delta(TForm* Form, TGroupBox* Box, int Left, int Top)
{
    PlaceLabel(Form, Box, Left, Top, QString(QChar(0x0394)), true);
}

} // namespace

TFormCalculateBar::TFormCalculateBar(TComponent* AOwner)
    : TFormCalculateBar(AOwner, QStringLiteral("X:"), QStringLiteral("X:"))
{
}

TFormCalculateBar::TFormCalculateBar(TComponent* AOwner, const QString& Axis, const QString& InverseAxis)
    : TForm(AOwner)
{
    SetUpWindow(this, QStringLiteral("Anzeige: "), 329, 87, bsToolWindow);
    GroupBox1 = Place<TGroupBox>(this, this, 8, 8, 97, 73);
    GroupBox1->SetCaption(QStringLiteral("Meßkreuz 1"));
    GroupBox2 = Place<TGroupBox>(this, this, 112, 8, 97, 73);
    GroupBox2->SetCaption(QStringLiteral("Meßkreuz 2"));
    GroupBox3 = Place<TGroupBox>(this, this, 216, 8, 105, 73);
    GroupBox3->SetCaption(QStringLiteral("Vermessen"));
    CrossGroup(this, GroupBox1, Axis, Series1, X1, Y1);
    CrossGroup(this, GroupBox2, Axis, Series2, X2, Y2);

    PlaceLabel(this, GroupBox3, 8, 16, QStringLiteral("1/"), true);
    Delta(this, GroupBox3, 20, 16);
    PlaceLabel(this, GroupBox3, 30, 16, InverseAxis, true);
    invdeltax = PlaceLabel(this, GroupBox3, 56, 16, QStringLiteral("0,0000"), false, 41);
    Delta(this, GroupBox3, 8, 32);
    PlaceLabel(this, GroupBox3, 20, 32, Axis, true);
    deltax = PlaceLabel(this, GroupBox3, 56, 32, QStringLiteral("0,0000"), false, 41);
    Delta(this, GroupBox3, 8, 48);
    PlaceLabel(this, GroupBox3, 20, 48, QStringLiteral("Y:"), true);
    deltay = PlaceLabel(this, GroupBox3, 56, 48, QStringLiteral("0,0000"), false, 41);
    SetSecondCrossEnabled(false);
}

void TFormCalculateBar::SetSecondCrossEnabled(bool Enabled)
{
    for (TLabel* label : {Series2, X2, Y2, deltax, deltay, invdeltax})
        label->SetEnabled(Enabled);
}

} // namespace Tessaron
