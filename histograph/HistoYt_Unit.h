#pragma once
// The Yt demonstration window of the histograph: a noisy sine between an
// upper and a lower reference curve, sampled by the histograph's own timer,
// and the histograph's tool windows.

#include <histograph/Histo.h>

#include <platform/Buttons.h>
#include <platform/ExtPanels.h>
#include <platform/Forms.h>
#include <platform/StdCtrls.h>
#include <platform/TourWindows.h>

#include <array>

namespace Tessaron {

class THisto2_Demo : public TForm, public Demo::TTourWindows {
    Q_OBJECT
    Q_CLASSINFO("Description", ":/forms/HistoYt_Unit.tfm")
    Q_PROPERTY(Tessaron::TPanel* Panel1 MEMBER Panel1)
    Q_PROPERTY(Tessaron::TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(Tessaron::THistograph* Histograph1 MEMBER Histograph1)
    Q_PROPERTY(Tessaron::TGroupBox* GroupBox1 MEMBER GroupBox1)
    Q_PROPERTY(Tessaron::TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(Tessaron::TLabel* Label3 MEMBER Label3)
    Q_PROPERTY(Tessaron::TPanel* Panel2 MEMBER Panel2)
    Q_PROPERTY(Tessaron::TBitBtn* StartYT MEMBER StartYT)
    Q_PROPERTY(Tessaron::TBitBtn* StopYT MEMBER StopYT)
    Q_PROPERTY(Tessaron::TBitBtn* WerkzeugeYT MEMBER WerkzeugeYT)
    Q_PROPERTY(Tessaron::TBitBtn* BitBtn1 MEMBER BitBtn1)

public:
    static constexpr int ValueCount = 256;

    explicit THisto2_Demo(TComponent* AOwner = nullptr);

    Q_INVOKABLE void FormCreate(Tessaron::TObject* Sender);
    // Timer off, tool windows hidden, the three series and the two reference
    // curves sin(i / 16) +- 0.3 set afresh.
    Q_INVOKABLE void FormShow(Tessaron::TObject* Sender);
    // Stops the timer and hides the tool windows.
    Q_INVOKABLE void FormClose(Tessaron::TObject* Sender, Tessaron::TForm::TCloseAction& Action);
    Q_INVOKABLE void StartYTClick(Tessaron::TObject* Sender);
    Q_INVOKABLE void StopYTClick(Tessaron::TObject* Sender);
    // Shows or hides the histograph's tool bar.
    Q_INVOKABLE void WerkzeugeYTClick(Tessaron::TObject* Sender);
    // A fresh noisy sine: sin(i / 16) + r / 2 - 0.2.
    Q_INVOKABLE void Histograph1Timer(Tessaron::TObject* Sender);

    // The screenshot tour shows the curve running with the tool bar and value bar.
    void TourStart() override;
    // The tool bar and value bar, while they show.
    std::vector<TForm*> TourWindows() const override;

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    THistograph* Histograph1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TPanel* Panel2 = nullptr;
    TBitBtn* StartYT = nullptr;
    TBitBtn* StopYT = nullptr;
    TBitBtn* WerkzeugeYT = nullptr;
    TBitBtn* BitBtn1 = nullptr;

private:
    // The arrays keep their place: the histograph keeps the measured curve's address.
    std::array<float, ValueCount> FValues{};
    std::array<float, ValueCount> FUpper{};
    std::array<float, ValueCount> FLower{};
};

extern THisto2_Demo* Histo2_Demo;

} // namespace Tessaron
