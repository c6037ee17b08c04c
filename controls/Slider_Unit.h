#pragma once
// The slider demonstration window: five vertical sliders with the labelling
// styles, coloured ranges and a stepped window cursor; Slider2 and Slider4
// move as mirror images of each other.

// The form fields' classes are complete here: the meta-object code of the
// published fields needs them.
#include <controls/Slider.h>
#include <platform/Buttons.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>

namespace Tessaron {

class TSlider_Demo : public TForm {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/Slider_Unit.tfm")
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::TSlider* Slider1 MEMBER Slider1)
    Q_PROPERTY(Tessaron::TSlider* Slider2 MEMBER Slider2)
    Q_PROPERTY(Tessaron::TSlider* Slider4 MEMBER Slider4)
    Q_PROPERTY(Tessaron::TSlider* Slider3 MEMBER Slider3)
    Q_PROPERTY(Tessaron::TSlider* Slider5 MEMBER Slider5)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)

public:
    explicit TSlider_Demo(TComponent* AOwner = nullptr);

    // Slider4 follows as the mirror image: 50 - Slider2.Value.
    Q_INVOKABLE void Slider2ValueChange(Tessaron::TObject* Sender);
    // Slider2 follows as the mirror image: 50 - Slider4.Value.
    Q_INVOKABLE void Slider4ValueChange(Tessaron::TObject* Sender);

    // The screenshot tour moves the sliders away from their ends.
    void TourStart() override;

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TSlider* Slider1 = nullptr;
    TSlider* Slider2 = nullptr;
    TSlider* Slider4 = nullptr;
    TSlider* Slider3 = nullptr;
    TSlider* Slider5 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TPanel* Panel2 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
};

extern TSlider_Demo* Slider_Demo;

} // namespace Tessaron
