#pragma once
// What the `tessaron-runs` tool does with run files, kept apart from its
// command line so that tests and fuzzers use it too: list the runs, export
// one as CSV, verify every block and remark chain, write a repaired copy.
// Plain C++ (no Qt).

#include <stripchart/RunFile.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace Tessaron::RunTools {

// Called now and then with the share of the work done (0 .. 1).
using TProgress = std::function<void(double Done)>;

struct TRunListing {
    TRunInfo Run;
    int RemarkCount = 0;
};

// The runs of a file as far as they can be walked, with the number of remarks
// of each in the remark file beside it. False (Error set) when the file
// cannot be opened or has no signature.
bool ListRuns(const std::string& Path, std::vector<TRunListing>& Runs, std::string& Error);
// One line per run: number, start, end, increment, samples per series, series
// count, closed or open, remark count, comment.
void PrintListing(const std::vector<TRunListing>& Runs, std::FILE* Out);

// Writes run Number as CSV: a header "time,series1,...", then one row per
// sample, times with 17 significant digits, samples with 9. RemarksOut, when
// given, gets the run's remarks as CSV "time,series,flag,text".
bool ExportRun(const std::string& Path, int Number, std::FILE* Out, std::FILE* RemarksOut, std::string& Error,
    const TProgress& Progress = {});

// Every problem of the run file and of its remark file (RemarkPath, when it
// exists), each with its offset; empty for a sound pair.
std::vector<TRunProblem> Verify(const std::string& Path, const std::string& RemarkPath, const TProgress& Progress = {});
// The problems of a remark file alone, checked against the runs Runs holds
// (no check of run numbers when Runs is null).
std::vector<TRunProblem> VerifyRemarks(const std::string& RemarkPath, const std::vector<TRunInfo>* Runs);

// Writes a copy of the run file to OutPath with every run that can be walked,
// each open run ended with a TAIL after its last complete DATA block; what
// follows the first block that cannot be trusted is left out (Report says
// what). Never changes Path.
bool Repair(const std::string& Path, const std::string& OutPath, std::string& Report, std::string& Error,
    const TProgress& Progress = {});

} // namespace Tessaron::RunTools
