// The run-file reader on any bytes: open, list the runs, find every run
// forward and backward, read samples at chosen indices and times, and append
// a run when the file takes one. Nothing may crash, hang or read out of bounds;
// every run found must read back its whole sample count.

#include "FuzzSupport.h"

#include <stripchart/RunFile.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace Tessaron;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string path = FuzzSupport::InputFile("reader.ddt", Data, Size);
    FuzzSupport::TChoices choose(Data, Size);

    TRunFileReader reader;
    if (!reader.Open(path))
        return 0;
    const std::vector<TRunInfo> runs = reader.Runs();
    // The backward walk follows the previous-block offsets: it is held to
    // the forward walk only where those offsets are all sound.
    TRunWalker walker(reader.File(), reader.FileSize());
    for (TRunInfo r; walker.NextRun(r);) {
    }
    const bool linksSound = std::none_of(walker.Problems().begin(), walker.Problems().end(),
        [](const TRunProblem& p) { return p.Text.find("previous-block") != std::string::npos; });
    std::vector<float> buffer(8 * 2048);
    float* dest[8];
    for (int s = 0; s < 8; ++s)
        dest[s] = buffer.data() + s * 2048;
    const TRunInfo* last = runs.empty() ? nullptr : &runs.back();
    for (std::size_t i = 0; i < runs.size() && i < 64; ++i) {
        const TRunInfo& run = runs[i];
        TRunInfo forward, backward;
        if (!reader.FindRun(run.Number, forward) || forward.SampleCount != run.SampleCount)
            __builtin_trap();
        if (linksSound && last && run.Number < last->Number
            && (!reader.FindRun(run.Number, backward, last) || backward.HeadOffset != run.HeadOffset))
            __builtin_trap();
        for (int k = 0; k < 4; ++k) {
            const std::int64_t index = choose.Between(-2, run.SampleCount + 2);
            const int count = int(choose.Between(0, 2048));
            TReadStatus status;
            const int got = reader.Read(run, index, count, dest, int(choose.Between(0, 8)), status);
            const std::int64_t expected = index < 0 ? 0 : std::clamp<std::int64_t>(run.SampleCount - index, 0, count);
            if (got != expected)
                __builtin_trap();
        }
        const double times[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
            run.StartTime + double(choose.Between(-5, run.SampleCount + 5)) * run.Increment, -1e300};
        for (double t : times) {
            TReadStatus status;
            reader.ReadAtTime(run, t, 512, dest, 8, status);
        }
    }
    TRunInfo none;
    reader.FindRun(int(choose.Between(1, 70000)), none, last);

    TRunFileWriter writer;
    if (writer.OpenAppend(path) && writer.StartRun(0.0, 0.5, 2, "fuzz")) {
        const float samples[3] = {1.0f, 2.0f, 3.0f};
        writer.Append({samples, samples}, 2, 3);
        writer.Close();
        TRunFileReader again;
        TRunInfo appended;
        if (!again.Open(path) || !again.FindRun(writer.RunNumber(), appended) || appended.SampleCount != 3)
            __builtin_trap();
    }
    return 0;
}
