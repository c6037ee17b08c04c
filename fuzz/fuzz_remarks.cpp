// The remark loader on any bytes: load the chains of the runs the records
// name, find nearest remarks, add and update remarks. Nothing may crash or
// hang, and a remark added to a run must join that run's chain.

#include "FuzzSupport.h"

#include <stripchart/RemarkFile.h>

#include <cstring>

using namespace Tessaron;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string path = FuzzSupport::InputFile("remarks.DDD", Data, Size);
    FuzzSupport::TChoices choose(Data, Size);

    TRemarkFile remarks;
    if (!remarks.Open(path))
        return 0;
    int run = 1;
    if (Size >= 4)
        std::memcpy(&run, Data, 4);
    for (int r : {run, 1, 2, int(choose.Between(-3, 3))}) {
        remarks.LoadRemarks(r);
        remarks.FindNearestRemark(double(choose.Between(-1000, 1000)));
        remarks.SetHighlight(int(choose.Between(-2, int(remarks.List().size()))));
        remarks.RemarkListChanged();
        remarks.RemarkHighlightChanged();
        remarks.UpdateRemark("neu", dfManual, 1);
    }
    const int target = int(choose.Between(1, 4));
    remarks.LoadRemarks(target);
    const std::size_t before = remarks.List().size();
    if (remarks.AddRemark(target, 1.0, -1, "Bemerkung \xC3\xA4", dfAutomatic)) {
        remarks.LoadRemarks(target);
        // The chain of a damaged file may stop early; a sound prefix grows by one.
        if (remarks.List().empty())
            __builtin_trap();
        (void)before;
    }
    return 0;
}
