// Vectors and their element-wise operations.

#include <analysis/FFT.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

using namespace Tessaron;

namespace {

void Fill(TVector* v, std::initializer_list<float> values)
{
    std::int32_t i = 0;
    for (float x : values)
        (*v)[i++] = x;
}

std::vector<float> Values(const TVector* v)
{
    return std::vector<float>(v->Data(), v->Data() + v->Count());
}

TEST(Vector, NewVectorsAreZeroFilledEmptyOnesHaveNoDataComplexOnesTwoParts)
{
    TVector v(5);
    EXPECT_EQ(Values(&v), std::vector<float>(5, 0.0f));
    for (std::int32_t size : {0, -1, -2147483647 - 1}) {
        TVector empty(size);
        EXPECT_EQ(empty.Count(), 0) << size;
        EXPECT_EQ(empty.Data(), nullptr) << size;
    }
    // 32-bit sizes: beyond the 16-bit limit of the classic vectors.
    TVector large(70000);
    EXPECT_EQ(large.Count(), 70000);
    EXPECT_EQ(large[69999], 0.0f);
    // A complex vector has two parts of its size.
    TComplexVector c(3);
    EXPECT_EQ(c.Size(), 3);
    EXPECT_EQ(c.Re()->Count(), 3);
    EXPECT_EQ(c.Im()->Count(), 3);
    EXPECT_NE(c.Re()->Data(), c.Im()->Data());
    TComplexVector empty(-4);
    EXPECT_EQ(empty.Size(), 0);
    EXPECT_EQ(empty.Re()->Data(), nullptr);
}

TEST(VectorOperations, CopyVectorCopiesTheFirstDestElements)
{
    TVector source(4), dest(3), longer(5);
    Fill(&source, {1, 2, 3, 4});
    CopyVector(&dest, &source);
    EXPECT_EQ(Values(&dest), (std::vector<float>{1, 2, 3}));
    // A longer destination is a size mismatch: nothing happens.
    Fill(&longer, {9, 9, 9, 9, 9});
    CopyVector(&longer, &source);
    EXPECT_EQ(Values(&longer), std::vector<float>(5, 9.0f));
    CopyVector(nullptr, &source);
    CopyVector(&dest, nullptr);
    EXPECT_EQ(Values(&dest), (std::vector<float>{1, 2, 3}));
}

// Each operation's result for two elements, written to a fresh destination
// and in place over a source (the inputs of an element are read before it is
// written); Conjugate leaves the destination's real part alone. A destination
// longer than a source, or an absent argument, leaves everything as it was.
TEST(VectorOperations, ComplexResultsAlsoInPlaceAndNothingOnASizeMismatch)
{
    using TOperation = std::function<void(TComplexVector*, TComplexVector*, TComplexVector*)>;
    const struct {
        const char* Name;
        TOperation Operation;
        std::vector<float> Re, Im; // Re empty: the destination's real part stays
        bool TwoSources = false;
    } cases[] = {
        {"CopyComplexVector", [](auto* d, auto* a, auto*) { CopyComplexVector(d, a); }, {1, 3}, {2, -4}},
        // (1+2i)(5-i) = 7+9i; (3-4i)(0.5+2i) = 9.5+4i
        {"ComplexMultiply", [](auto* d, auto* a, auto* b) { ComplexMultiply(d, a, b); }, {7, 9.5f}, {9, 4}, true},
        {"SquaredMagnitude", [](auto* d, auto* a, auto*) { SquaredMagnitude(d, a); }, {5, 25}, {0, 0}},
        {"Magnitude", [](auto* d, auto* a, auto*) { Magnitude(d, a); }, {std::sqrt(5.0f), 5}, {0, 0}},
        {"Conjugate", [](auto* d, auto* a, auto*) { Conjugate(d, a); }, {}, {-2, 4}},
    };
    for (const auto& c : cases) {
        for (const char* dest : {"fresh", "A", "B"}) {
            if (*dest == 'B' && !c.TwoSources)
                continue;
            SCOPED_TRACE(std::string(c.Name) + " into " + dest);
            TComplexVector a(2), b(2), fresh(2);
            Fill(a.Re(), {1, 3});
            Fill(a.Im(), {2, -4});
            Fill(b.Re(), {5, 0.5f});
            Fill(b.Im(), {-1, 2});
            Fill(fresh.Re(), {8, 8});
            Fill(fresh.Im(), {7, 7});
            TComplexVector* d = *dest == 'A' ? &a : *dest == 'B' ? &b : &fresh;
            const std::vector<float> re = Values(d->Re());
            c.Operation(d, &a, &b);
            EXPECT_EQ(Values(d->Re()), c.Re.empty() ? re : c.Re);
            EXPECT_EQ(Values(d->Im()), c.Im);
        }
        for (const bool second : {false, true}) { // the short or absent source first or second
            if (second && !c.TwoSources)
                continue;
            SCOPED_TRACE(std::string(c.Name) + (second ? " mismatch in B" : " mismatch in A"));
            TComplexVector dest(4), shortSource(3), fitting(4);
            Fill(dest.Re(), {1, 2, 3, 4});
            Fill(dest.Im(), {5, 6, 7, 8});
            Fill(shortSource.Re(), {9, 9, 9});
            Fill(fitting.Re(), {9, 9, 9, 9});
            for (TComplexVector* s : {&shortSource, static_cast<TComplexVector*>(nullptr)})
                second ? c.Operation(&dest, &fitting, s) : c.Operation(&dest, s, &fitting);
            c.Operation(nullptr, &fitting, &fitting);
            EXPECT_EQ(Values(dest.Re()), (std::vector<float>{1, 2, 3, 4}));
            EXPECT_EQ(Values(dest.Im()), (std::vector<float>{5, 6, 7, 8}));
        }
    }
}

} // namespace
