#pragma once
// TFormCalculateBar: the value bar of the histograph. It has no code of its
// own: the histograph writes the read-outs of its crosses into the labels.

#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class TFormCalculateBar : public TForm {
    Q_OBJECT
public:
    explicit TFormCalculateBar(TComponent* AOwner = nullptr);

    // The second cross and the differences are read only outside modeMeasure.
    void SetSecondCrossEnabled(bool Enabled);

    TGroupBox* GroupBox1 = nullptr; // "Meßkreuz 1"
    TGroupBox* GroupBox2 = nullptr; // "Meßkreuz 2"
    TGroupBox* GroupBox3 = nullptr; // "Vermessen"
    TLabel* Series1 = nullptr;
    TLabel* X1 = nullptr;
    TLabel* Y1 = nullptr;
    TLabel* Series2 = nullptr;
    TLabel* X2 = nullptr;
    TLabel* Y2 = nullptr;
    TLabel* invdeltax = nullptr;
    TLabel* deltax = nullptr;
    TLabel* deltay = nullptr;

protected:
    // A value bar whose horizontal read-outs are named Axis ("X:", "DX:") and
    // whose reciprocal is named InverseAxis ("1/DX:").
    TFormCalculateBar(TComponent* AOwner, const QString& Axis, const QString& InverseAxis);
};

} // namespace Tessaron
