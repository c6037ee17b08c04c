// verify and repair on any pair of run file and remark file (the first two
// bytes of the input split it). Nothing may crash or hang; the repaired copy
// of any file must walk to its end with every run closed and the same samples.

#include "FuzzSupport.h"

#include <stripchart/RunTools.h>

#include <vector>

using namespace Tessaron;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static const std::string runPath = FuzzSupport::TempPath("verify.ddt");
    static const std::string remarkPath = FuzzSupport::TempPath("verify.DDD");
    static const std::string repairedPath = FuzzSupport::TempPath("repaired.ddt");
    std::size_t split = Size;
    if (Size >= 2) {
        split = std::min<std::size_t>(Size - 2, std::size_t(Data[0]) << 8 | Data[1]);
        Data += 2;
        Size -= 2;
    }
    FuzzSupport::WriteFile(runPath, Data, split);
    FuzzSupport::WriteFile(remarkPath, Data + split, Size - split);

    RunTools::Verify(runPath, remarkPath);
    std::string report, error;
    if (!RunTools::Repair(runPath, repairedPath, report, error))
        return 0;
    TRunFileReader original, repaired;
    if (!original.Open(runPath) || !repaired.Open(repairedPath))
        __builtin_trap();
    TReadStatus status;
    const std::vector<TRunInfo> before = original.Runs();
    const std::vector<TRunInfo> after = repaired.Runs(&status);
    if (status != rsEndOfFile || before.size() != after.size())
        __builtin_trap();
    for (std::size_t i = 0; i < after.size(); ++i)
        if (!after[i].Closed || after[i].SampleCount != before[i].SampleCount || after[i].Number != before[i].Number)
            __builtin_trap();
    return 0;
}
