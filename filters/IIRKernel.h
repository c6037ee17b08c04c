#pragma once
// The sections of TIIRFilter: their design and their sample loops, apart from
// the component so that each way of running them can be checked against the
// others.
//
// A cascade of Sections second-order (low-pass, high-pass) or fourth-order
// (band-pass) sections runs over a delay table of six rows of five floats: row
// s is the input history of section s and row s+1 its output history; within
// a row the highest used index (2, or 4 for the band-pass) holds the newest
// value and the lower ones older values. Every way gives bit for bit the
// results of the plain per-sample algorithm and leaves the same table.

namespace Tessaron::IIRKernel {

enum class TShape { LowPass, HighPass, BandPass };

inline constexpr int MaxSections = 5;
using TCoefficients = float[MaxSections][5];
using TDelayTable = float[MaxSections + 1][5];

// The coefficients c1 .. c5 of each of Sections (1 .. MaxSections) Butterworth
// sections for the frequencies Fs, Fc and (band-pass only) Fh, computed in
// extended precision and rounded to floats where the design stores a value.
void Design(TShape Shape, int Sections, float Fs, float Fc, float Fh, TCoefficients& Coeff);

// Sections in 1 .. MaxSections; Count >= 1.
using TFilterFunction = void (*)(TShape Shape, int Sections, const TCoefficients& Coeff, TDelayTable& Delay,
    float* Data, int Count);

// Keeps each row's history in registers, one sample after the other; the
// processor overlaps the sections of neighbouring samples as far as its
// out-of-order window reaches (about two sections).
void FilterSerial(TShape Shape, int Sections, const TCoefficients& Coeff, TDelayTable& Delay, float* Data,
    int Count);

// Runs the sections side by side in vector lanes, each section a few samples
// behind the one before it, so that their recursions overlap. Needs AVX2.
bool PipelinedAvailable();
void FilterPipelined(TShape Shape, int Sections, const TCoefficients& Coeff, TDelayTable& Delay, float* Data,
    int Count);

// The fastest way this processor offers for the given cascade.
void Filter(TShape Shape, int Sections, const TCoefficients& Coeff, TDelayTable& Delay, float* Data, int Count);

} // namespace Tessaron::IIRKernel
