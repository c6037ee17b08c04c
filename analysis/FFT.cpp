#include "analysis/FFT.h"

#include "analysis/FFTKernels.h"
#include "platform/Streaming.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <numbers>

namespace Tessaron {

namespace {

[[maybe_unused]] const bool kRegistered = [] {
    RegisterClass<TFFT>();
    RegisterEventType<TLeakFunction>();
    return true;
}();

constexpr std::align_val_t VectorAlignment{64};
constexpr long double Pi = std::numbers::pi_v<long double>;

// True when both vectors exist and Dest is not longer than Source.
bool FitsInto(const TComplexVector* Dest, const TComplexVector* Source)
{
    return Dest && Source && Dest->Size() <= Source->Size();
}

} // namespace

// ---------------------------------------------------------------------------
// Vectors

TVector::TVector(std::int32_t Size)
{
    if (Size <= 0)
        return;
    const std::size_t bytes = std::size_t(Size) * sizeof(float);
    void* memory = ::operator new(bytes, VectorAlignment, std::nothrow);
    if (!memory)
        return; // an allocation failure leaves the vector empty
    std::memset(memory, 0, bytes);
    FData = static_cast<float*>(memory);
    FCount = Size;
}

TVector::~TVector()
{
    if (FData)
        ::operator delete(FData, VectorAlignment);
    FData = nullptr;
    FCount = 0;
}

TComplexVector::TComplexVector(std::int32_t Size)
{
    FRe = std::make_unique<TVector>(Size);
    FIm = std::make_unique<TVector>(Size);
    if (Size > 0 && (FRe->Count() != Size || FIm->Count() != Size)) {
        // Half a vector is no vector: keep both parts empty.
        FRe = std::make_unique<TVector>(0);
        FIm = std::make_unique<TVector>(0);
        return;
    }
    FSize = std::max<std::int32_t>(Size, 0);
}

TComplexVector::~TComplexVector()
{
    FSize = 0;
}

void CopyVector(TVector* Dest, const TVector* Source)
{
    if (!Dest || !Source || Dest->Count() > Source->Count() || Dest->Count() == 0)
        return;
    std::memmove(Dest->Data(), Source->Data(), std::size_t(Dest->Count()) * sizeof(float));
}

void CopyComplexVector(TComplexVector* Dest, const TComplexVector* Source)
{
    if (!FitsInto(Dest, Source))
        return;
    CopyVector(Dest->Re(), Source->Re());
    CopyVector(Dest->Im(), Source->Im());
}

void ComplexMultiply(TComplexVector* Dest, const TComplexVector* A, const TComplexVector* B)
{
    if (!FitsInto(Dest, A) || !FitsInto(Dest, B))
        return;
    float* dr = Dest->Re()->Data();
    float* di = Dest->Im()->Data();
    const float* ar = A->Re()->Data();
    const float* ai = A->Im()->Data();
    const float* br = B->Re()->Data();
    const float* bi = B->Im()->Data();
    for (std::int32_t i = 0; i < Dest->Size(); ++i) {
        // All four parts are read before Dest is written, so Dest may be A or B.
        const float xr = ar[i], xi = ai[i], yr = br[i], yi = bi[i];
        dr[i] = xr * yr - xi * yi;
        di[i] = xr * yi + yr * xi;
    }
}

void Conjugate(TComplexVector* Dest, const TComplexVector* Source)
{
    if (!FitsInto(Dest, Source))
        return;
    float* di = Dest->Im()->Data();
    const float* si = Source->Im()->Data();
    for (std::int32_t i = 0; i < Dest->Size(); ++i)
        di[i] = -si[i];
}

void SquaredMagnitude(TComplexVector* Dest, const TComplexVector* Source)
{
    if (!FitsInto(Dest, Source))
        return;
    float* dr = Dest->Re()->Data();
    float* di = Dest->Im()->Data();
    const float* sr = Source->Re()->Data();
    const float* si = Source->Im()->Data();
    for (std::int32_t i = 0; i < Dest->Size(); ++i) {
        const float re = sr[i], im = si[i];
        dr[i] = im * im + re * re;
        di[i] = 0.0f;
    }
}

void Magnitude(TComplexVector* Dest, const TComplexVector* Source)
{
    if (!FitsInto(Dest, Source))
        return;
    float* dr = Dest->Re()->Data();
    float* di = Dest->Im()->Data();
    const float* sr = Source->Re()->Data();
    const float* si = Source->Im()->Data();
    for (std::int32_t i = 0; i < Dest->Size(); ++i) {
        const float re = sr[i], im = si[i];
        dr[i] = std::sqrt(im * im + re * re);
        di[i] = 0.0f;
    }
}

// ---------------------------------------------------------------------------
// TFFT: construction and properties

TFFT::TFFT(TComponent* AOwner) : TComponent(AOwner)
{
    if (!IsDesigning())
        BuildTwiddleTables(FSize);
    UpdateWindow(FLeakFunction, FSize);
    FCopyright = QStringLiteral("Copyright Velmar Softwaretechnik");
    FVersion = QStringLiteral("V2.00");
}

TFFT::~TFFT() = default;

void TFFT::SetExponent(int Value)
{
    if (!(Value >= MinExponent && Value <= MaxExponent))
        return;
    if (Value == FExponent)
        return;
    FExponent = Value;
    FSize = 1 << Value;
    if (!IsDesigning())
        BuildTwiddleTables(FSize);
    UpdateWindow(FLeakFunction, FSize);
}

void TFFT::SetLeakFunction(TLeakType Value)
{
    if (!(Value >= wnRectangle && Value <= wnOwn))
        return;
    if (Value == FLeakFunction)
        return;
    UpdateWindow(Value, FWindowTable ? FWindowTable->Count() : 0);
}

// ---------------------------------------------------------------------------
// Owned vectors

TVector* TFFT::CreateVector(std::int32_t Size)
{
    FVectors.push_back(std::make_unique<TVector>(Size));
    return FVectors.back().get();
}

void TFFT::FreeVector(TVector* V)
{
    auto it = std::find_if(FVectors.begin(), FVectors.end(),
                           [V](const std::unique_ptr<TVector>& owned) { return owned.get() == V; });
    if (V && it != FVectors.end())
        FVectors.erase(it);
}

TComplexVector* TFFT::CreateComplexVector(std::int32_t Size)
{
    FComplexVectors.push_back(std::make_unique<TComplexVector>(Size));
    return FComplexVectors.back().get();
}

// ---------------------------------------------------------------------------
// Tables

void TFFT::BuildTwiddleTables(std::int32_t N)
{
    FCosTable.reset();
    FSinTable.reset();
    FStageCos.reset();
    FStageSin.reset();
    auto cosTable = std::make_unique<TVector>(N);
    auto sinTable = std::make_unique<TVector>(N);
    auto stageCos = std::make_unique<TVector>(N);
    auto stageSin = std::make_unique<TVector>(N);
    if (cosTable->Count() != N || sinTable->Count() != N || stageCos->Count() != N
        || stageSin->Count() != N)
        return; // no memory: transforms stay no-ops
    for (std::int32_t i = 0; i < N; ++i) {
        const long double angle = Pi * (long double)i / (long double)N;
        (*cosTable)[i] = float(std::cos(angle));
        (*sinTable)[i] = float(std::sin(angle));
    }
    // Stage with half-length h uses table entries k * (N / h), k < h.
    for (std::int32_t h = 1; h < N; h *= 2) {
        const std::int32_t stride = N / h;
        for (std::int32_t k = 0; k < h; ++k) {
            (*stageCos)[h + k] = (*cosTable)[k * stride];
            (*stageSin)[h + k] = (*sinTable)[k * stride];
        }
    }
    FCosTable = std::move(cosTable);
    FSinTable = std::move(sinTable);
    FStageCos = std::move(stageCos);
    FStageSin = std::move(stageSin);
}

bool TFFT::EnsureTwiddleTables()
{
    const auto fits = [this] { return FCosTable && FCosTable->Count() == FSize; };
    if (!fits() && !IsDesigning())
        BuildTwiddleTables(FSize); // left design mode, or an earlier allocation failed
    return fits();
}

void TFFT::UpdateWindow(TLeakType Kind, std::int32_t N)
{
    if (FWindowTable && FWindowTable->Count() == N && Kind == FLeakFunction)
        return;
    FWindowTable.reset();
    if (!IsDesigning())
        FWindowTable = std::make_unique<TVector>(N);

    // Symmetric windows over N samples: x = 2 pi i / (N - 1), the step rounded
    // to float first. One sample is left as it is.
    const auto fill = [this, N](auto window) {
        if (!FWindowTable || FWindowTable->Count() != N)
            return;
        if (N == 1) {
            (*FWindowTable)[0] = 1.0f;
            return;
        }
        const float step = float(2.0L * Pi / (long double)(N - 1));
        for (std::int32_t i = 0; i < N; ++i)
            (*FWindowTable)[i] = float(window((long double)step * (long double)i));
    };

    switch (Kind) {
    case wnHanning:
        fill([](long double x) { return 0.5L - 0.5L * std::cos(x); });
        FWindowProc = TWindowProc::Table;
        FLeakFunction = wnHanning;
        return;
    case wnHamming:
        fill([](long double x) { return 0.54L - 0.46L * std::cos(x); });
        FWindowProc = TWindowProc::Table;
        FLeakFunction = wnHamming;
        return;
    case wnBlackman:
        fill([](long double x) { return 0.42L - 0.5L * std::cos(x) + 0.08L * std::cos(2.0L * x); });
        FWindowProc = TWindowProc::Table;
        FLeakFunction = wnBlackman;
        return;
    case wnOwn:
        if (OwnerLeakFunction) {
            FActiveOwnerWindow = OwnerLeakFunction;
            FWindowProc = TWindowProc::Owner;
            FLeakFunction = wnOwn;
            return;
        }
        break; // no user window: rectangular
    case wnRectangle:
        break;
    }
    FActiveOwnerWindow = nullptr;
    FWindowProc = TWindowProc::None;
    FLeakFunction = wnRectangle;
}

void TFFT::CallWindow(TVector* V)
{
    switch (FWindowProc) {
    case TWindowProc::None:
        return;
    case TWindowProc::Table:
        if (FWindowTable && FWindowTable->Count() == V->Count() && V->Data()) {
            float* v = V->Data();
            const float* w = FWindowTable->Data();
            for (std::int32_t i = 0; i < V->Count(); ++i)
                v[i] = v[i] * w[i];
        }
        return;
    case TWindowProc::Owner:
        CallEvent(FActiveOwnerWindow, V);
        return;
    }
}

void TFFT::ApplyWindow(TVector* V)
{
    if (!V)
        return;
    UpdateWindow(FLeakFunction, V->Count());
    CallWindow(V);
}

// ---------------------------------------------------------------------------
// Transforms

void TFFT::Transform(TComplexVector* V, bool Inverse)
{
    if (!V || V->Size() != FSize || !EnsureTwiddleTables())
        return;
    FFTKernels::BestKernel()(V->Re()->Data(), V->Im()->Data(), FExponent, FStageCos->Data(),
                             FStageSin->Data(), Inverse);
}

void TFFT::RealTransform(TVector* Source, TComplexVector* Dest, bool WithPhase)
{
    if (!Source || !Dest || std::int64_t(Source->Count()) != 2 * std::int64_t(FSize)
        || Dest->Size() != FSize || !EnsureTwiddleTables())
        return;
    const std::int32_t n = FSize;

    UpdateWindow(FLeakFunction, 2 * n);
    CallWindow(Source);

    const float* x = Source->Data();
    float* re = Dest->Re()->Data();
    float* im = Dest->Im()->Data();
    for (std::int32_t m = 0; m < n; ++m) {
        re[m] = x[2 * m];
        im[m] = x[2 * m + 1];
    }

    Transform(Dest, false);

    // Split the transform of the packed even/odd samples into the spectrum of
    // the real signal, normalised to its 2N samples.
    const float* cosTable = FCosTable->Data();
    const float* sinTable = FSinTable->Data();
    re[0] = (re[0] + im[0]) * 0.5f;
    im[0] = 0.0f;
    for (std::int32_t i = 1; i <= n / 2; ++i) {
        const std::int32_t j = n - i;
        const float wr = cosTable[i];
        const float wi = -sinTable[i];
        const float a = re[i] + re[j];
        const float b = re[i] - re[j];
        const float c = im[i] + im[j];
        const float d = im[i] - im[j];
        const float t1 = b * wi - c * wr;
        const float t2 = b * wr + c * wi;
        re[i] = (a - t1) * 0.5f;
        re[j] = (a + t1) * 0.5f;
        im[i] = (d - t2) * 0.5f;
        im[j] = (-d - t2) * 0.5f;
    }

    MagnitudeAndPhase(Dest, WithPhase);
}

void TFFT::MagnitudeAndPhase(TComplexVector* Dest, bool WithPhase)
{
    if (!Dest || Dest->Size() < 2)
        return;
    float* re = Dest->Re()->Data();
    float* im = Dest->Im()->Data();
    const float halfPi = float(Pi / 2.0L);
    // Element 0 keeps the signed mean.
    for (std::int32_t i = 1; i < Dest->Size(); ++i) {
        const float r = re[i], m = im[i];
        re[i] = std::sqrt(r * r + m * m);
        if (!WithPhase)
            continue;
        if (r != 0.0f)
            im[i] = float(std::atan((long double)(m / r))); // -pi/2 .. pi/2, no quadrant
        else if (m < 0.0f)
            im[i] = -halfPi;
        else if (m > 0.0f)
            im[i] = halfPi;
        else if (m == 0.0f)
            im[i] = 0.0f;
    }
}

// ---------------------------------------------------------------------------
// Composite operations. A vector of the wrong size makes the whole operation
// a no-op, so no half-done result is left behind.

void TFFT::AutoCorrelation(TComplexVector* V)
{
    if (!V || V->Size() != FSize || !EnsureTwiddleTables())
        return;
    Transform(V, false);
    SquaredMagnitude(V, V);
    Transform(V, true);
}

void TFFT::PowerSpectrum(TComplexVector* V)
{
    if (!V || V->Size() != FSize || !EnsureTwiddleTables())
        return;
    Transform(V, false);
    SquaredMagnitude(V, V);
}

void TFFT::CrossPowerSpectrum(TComplexVector* Result, TComplexVector* A, TComplexVector* B)
{
    if (!Result || !A || !B || Result->Size() != FSize || A->Size() != FSize
        || B->Size() != FSize || !EnsureTwiddleTables())
        return;
    Transform(A, false);
    Transform(B, false);
    Conjugate(B, B);
    ComplexMultiply(Result, A, B);
}

void TFFT::CrossCorrelation(TComplexVector* Result, TComplexVector* A, TComplexVector* B)
{
    if (!Result || !A || !B || Result->Size() != FSize || A->Size() != FSize
        || B->Size() != FSize || !EnsureTwiddleTables())
        return;
    CrossPowerSpectrum(Result, A, B);
    Transform(Result, true);
}

} // namespace Tessaron
