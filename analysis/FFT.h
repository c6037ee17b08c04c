#pragma once
// Vectors of 32-bit floats and the FFT component: an in-place radix-2 complex
// transform over precomputed twiddle tables, a real transform of twice the
// length, window functions, and correlation and power spectra built on them.
//
// Every kernel computes in single precision, one rounding per operation, in
// the order the operations are written here; the library is compiled without
// floating-point contraction, so results are reproducible bit for bit.

#include <platform/Classes.h>

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace Tessaron {

// A real vector: Count zero-filled floats. A vector whose allocation failed
// (or that was asked for a size below 1) is empty: Count 0, Data null.
class TVector {
public:
    explicit TVector(std::int32_t Size);
    ~TVector();

    TVector(const TVector&) = delete;
    TVector& operator=(const TVector&) = delete;

    std::int32_t Count() const { return FCount; }
    float* Data() const { return FData; }
    // Unchecked element access.
    float& operator[](std::int32_t Index) const { return FData[Index]; }

private:
    std::int32_t FCount = 0;
    float* FData = nullptr;
};

// A complex vector made of two real vectors of Size elements each. If either
// part cannot be allocated, both are empty and Size is 0.
class TComplexVector {
public:
    explicit TComplexVector(std::int32_t Size);
    ~TComplexVector();

    TComplexVector(const TComplexVector&) = delete;
    TComplexVector& operator=(const TComplexVector&) = delete;

    TVector* Re() const { return FRe.get(); }
    TVector* Im() const { return FIm.get(); }
    std::int32_t Size() const { return FSize; }

private:
    std::unique_ptr<TVector> FRe;
    std::unique_ptr<TVector> FIm;
    std::int32_t FSize = 0;
};

// Element-wise operations. Each does nothing when an argument is null or Dest
// is longer than a source; otherwise it works on the first Dest elements.

// Dest[i] := Source[i].
void CopyVector(TVector* Dest, const TVector* Source);
// Dest.Re[i] := Source.Re[i], Dest.Im[i] := Source.Im[i].
void CopyComplexVector(TComplexVector* Dest, const TComplexVector* Source);
// Dest := A * B. Dest may be A or B.
void ComplexMultiply(TComplexVector* Dest, const TComplexVector* A, const TComplexVector* B);
// Dest.Im[i] := -Source.Im[i]; Dest.Re is not touched (meant for Dest = Source).
void Conjugate(TComplexVector* Dest, const TComplexVector* Source);
// Dest.Re[i] := Source.Im[i]^2 + Source.Re[i]^2, Dest.Im[i] := 0.
void SquaredMagnitude(TComplexVector* Dest, const TComplexVector* Source);
// Dest.Re[i] := sqrt(Source.Im[i]^2 + Source.Re[i]^2), Dest.Im[i] := 0.
void Magnitude(TComplexVector* Dest, const TComplexVector* Source);

// A user window: multiplies Data in place.
using TLeakFunction = TEvent<void(TVector* Data)>;

class TFFT : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
    Q_PROPERTY(int Exponent READ Exponent WRITE SetExponent)
    Q_PROPERTY(int Size READ Size STORED false)
    Q_PROPERTY(TLeakType LeakFunction READ LeakFunction WRITE SetLeakFunction)
    Q_PROPERTY(Tessaron::TLeakFunction OwnerLeakFunction MEMBER OwnerLeakFunction)

public:
    enum TLeakType : int { wnRectangle, wnHanning, wnHamming, wnBlackman, wnOwn };
    Q_ENUM(TLeakType)

    // The accepted range of Exponent: transforms of 2 to 2^26 points.
    static constexpr int MinExponent = 1;
    static constexpr int MaxExponent = 26;

    explicit TFFT(TComponent* AOwner = nullptr);
    ~TFFT() override;

    // "V2.00"; assignments are ignored.
    QString Version() const { return FVersion; }
    void SetVersion(const QString&) {}
    // Set by the constructor; assignments are ignored.
    QString Copyright() const { return FCopyright; }
    void SetCopyright(const QString&) {}

    // Transform length 2^Exponent; default 10. Values outside 1..26 are ignored.
    int Exponent() const { return FExponent; }
    void SetExponent(int Value);
    // 1 shl Exponent; default 1024.
    int Size() const { return FSize; }
    // Window applied by ApplyWindow and RealTransform; default wnRectangle.
    // wnOwn without an assigned OwnerLeakFunction falls back to wnRectangle.
    TLeakType LeakFunction() const { return FLeakFunction; }
    void SetLeakFunction(TLeakType Value);

    // The user window taken when LeakFunction becomes wnOwn. Assigning it
    // triggers no update: the window in use stays the one taken then, until
    // LeakFunction is set to wnOwn again or the window is rebuilt for a
    // vector of another length.
    TLeakFunction OwnerLeakFunction;

    // Vectors owned by the component; they live until it is destroyed.
    TVector* CreateVector(std::int32_t Size);
    // Frees V if this component made it; any other V is ignored.
    void FreeVector(TVector* V);
    TComplexVector* CreateComplexVector(std::int32_t Size);

    // In-place complex FFT of V (V.Size must equal Size). The forward transform
    // computes X[k] = 1/N * sum x[n] exp(+2 pi i k n / N); the inverse sums
    // with exp(-2 pi i k n / N) unscaled, so forward then inverse restores V.
    void Transform(TComplexVector* V, bool Inverse);
    // Spectrum of the 2*Size real samples of Source into Dest (Dest.Size =
    // Size). Source is windowed in place. Dest.Re[0] is the mean of the
    // samples; for i >= 1 Dest.Re[i] is the amplitude of frequency i and
    // Dest.Im[i] the phase arctan(im/re) if WithPhase, else the imaginary part.
    void RealTransform(TVector* Source, TComplexVector* Dest, bool WithPhase);
    // Multiplies V in place by the current window; the window table follows
    // the length of V. A window over one sample is the identity.
    void ApplyWindow(TVector* V);
    // Circular autocorrelation in place: V.Re[k] = 1/N sum x[n] x[(n+k) mod N].
    void AutoCorrelation(TComplexVector* V);
    // |X[k]|^2 in V.Re, 0 in V.Im.
    void PowerSpectrum(TComplexVector* V);
    // Result := inverse(fft(A) * conj(fft(B))); A and B are overwritten by
    // their spectra (B conjugated).
    void CrossCorrelation(TComplexVector* Result, TComplexVector* A, TComplexVector* B);
    // Result := fft(A) * conj(fft(B)); A and B as for CrossCorrelation.
    void CrossPowerSpectrum(TComplexVector* Result, TComplexVector* A, TComplexVector* B);

private:
    enum class TWindowProc { None, Table, Owner };

    bool EnsureTwiddleTables();
    void BuildTwiddleTables(std::int32_t N);
    void UpdateWindow(TLeakType Kind, std::int32_t N);
    void CallWindow(TVector* V);
    void MagnitudeAndPhase(TComplexVector* Dest, bool WithPhase);

    QString FVersion;
    QString FCopyright;
    int FExponent = 10;
    int FSize = 1024;
    TLeakType FLeakFunction = wnRectangle;

    std::vector<std::unique_ptr<TVector>> FVectors;
    std::vector<std::unique_ptr<TComplexVector>> FComplexVectors;

    // cos(pi*i/Size) and sin(pi*i/Size), i = 0 .. Size-1.
    std::unique_ptr<TVector> FCosTable;
    std::unique_ptr<TVector> FSinTable;
    // The same values regrouped per butterfly stage: entry h + k holds the
    // twiddle of butterfly k of the stage with half-length h, so that each
    // stage reads its twiddles contiguously.
    std::unique_ptr<TVector> FStageCos;
    std::unique_ptr<TVector> FStageSin;
    std::unique_ptr<TVector> FWindowTable;
    TWindowProc FWindowProc = TWindowProc::None;
    TLeakFunction FActiveOwnerWindow;
};

using TLeakType = TFFT::TLeakType;
using enum TFFT::TLeakType;

} // namespace Tessaron

Q_DECLARE_METATYPE(Tessaron::TLeakFunction)
