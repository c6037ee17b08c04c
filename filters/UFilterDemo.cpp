#include "filters/UFilterDemo.h"

#include <filters/FilterBase.h>

namespace Tessaron {

void TSquareSweep::Start()
{
    SquareFrequency = LowestFrequency;
    SquareFrequencyStep = FirstStep;
}

void TSquareSweep::Generate()
{
    const double halfPeriod = 0.5 / SquareFrequency;
    double nextSwitch = halfPeriod;
    double level = Amplitude;
    double t = 0;
    for (int i = 0; i < SampleCount; ++i) {
        if (t > nextSwitch) {
            level = -level;
            nextSwitch += halfPeriod;
        }
        Input[std::size_t(i)] = float(level);
        Output[std::size_t(i)] = float(level);
        t += SamplePeriod;
    }
}

void TSquareSweep::Advance()
{
    if (SquareFrequency > HighestFrequency || SquareFrequency < LowestFrequency)
        SquareFrequencyStep = -SquareFrequencyStep;
    SquareFrequency += SquareFrequencyStep;
}

TFilterDemoForm::TFilterDemoForm(TComponent* AOwner) : TForm(AOwner)
{
}

void TFilterDemoForm::TourStart()
{
    Histograph1->SetTimerEnabled(true);
}

void TFilterDemoForm::StartDemo(TFilterComponent& Filter)
{
    FSweep.Start();
    Filter.SetSampleFrequency(1000.0f);
    TakeCutoff(Filter);
}

void TFilterDemoForm::TakeCutoff(TFilterComponent& Filter)
{
    Filter.SetCutoffFrequency(float(Slider1->Value()));
}

void TFilterDemoForm::FilterTick(TFilterComponent& Filter)
{
    FSweep.Generate();
    // Every block is filtered from rest, so that the plot shows the response
    // to this block alone.
    Filter.Reset();
    Filter.Filter(FSweep.Output.data(), TSquareSweep::SampleCount);
    Histograph1->SetEnableUpdate(false);
    Histograph1->SetSeriesData(FSweep.Input.data(), TSquareSweep::SampleCount, 1);
    Histograph1->SetSeriesData(FSweep.Output.data(), TSquareSweep::SampleCount, 2);
    Histograph1->SetEnableUpdate(true);
    FSweep.Advance();
}

} // namespace Tessaron
