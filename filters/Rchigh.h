#pragma once
// First-order RC high-pass on sampled data.

#include <filters/Rclow.h>

namespace Tessaron {

// RC high-pass: the input minus what the low-pass with the same settings and
// state would put out, so that the two are complementary sample by sample.
class TRCHighpass : public TRCFilter {
    Q_OBJECT

public:
    explicit TRCHighpass(TComponent* AOwner = nullptr);

protected:
    void DoFilter(float* Data, int Count) override;
};

} // namespace Tessaron
