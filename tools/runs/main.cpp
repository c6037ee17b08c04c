// tessaron-runs: lists, exports, verifies and repairs strip chart run files.
//
//   tessaron-runs list FILE
//   tessaron-runs export FILE RUN [-o OUT] [--remarks]
//   tessaron-runs verify FILE
//   tessaron-runs repair FILE OUT
//
// Exit status: 0 success (for verify: a sound file), 1 a failure or a problem
// found, 2 a wrong command line.

#include <stripchart/RemarkFile.h>
#include <stripchart/RunTools.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

using namespace Tessaron;

namespace {

int Usage()
{
    std::fputs("usage: tessaron-runs list FILE\n"
               "       tessaron-runs export FILE RUN [-o OUT] [--remarks]\n"
               "       tessaron-runs verify FILE\n"
               "       tessaron-runs repair FILE OUT\n"
               "export writes CSV (time,series1,...) to OUT or standard output; --remarks writes\n"
               "the run's remarks to OUT.remarks.csv (run<RUN>.remarks.csv without -o).\n",
        stderr);
    return 2;
}

// A progress line on a terminal, once the work has taken more than a second.
RunTools::TProgress ProgressLine(const char* What)
{
    if (!::isatty(STDERR_FILENO))
        return {};
    const auto start = std::chrono::steady_clock::now();
    return [start, What, shown = false](double Done) mutable {
        if (!shown && std::chrono::steady_clock::now() - start < std::chrono::seconds(1))
            return;
        shown = true;
        std::fprintf(stderr, "\r%s %5.1f %%", What, Done * 100.0);
        if (Done >= 1.0)
            std::fputc('\n', stderr);
        std::fflush(stderr);
    };
}

int Fail(const std::string& Error)
{
    std::fprintf(stderr, "tessaron-runs: %s\n", Error.c_str());
    return 1;
}

int List(const std::string& Path)
{
    std::vector<RunTools::TRunListing> runs;
    std::string error;
    if (!RunTools::ListRuns(Path, runs, error))
        return Fail(error);
    RunTools::PrintListing(runs, stdout);
    return 0;
}

int Export(const std::vector<std::string>& Args)
{
    if (Args.size() < 2)
        return Usage();
    char* end = nullptr;
    const long run = std::strtol(Args[1].c_str(), &end, 10);
    if (*end || run < 1 || run > 65535)
        return Usage();
    std::string out;
    bool remarks = false;
    for (std::size_t i = 2; i < Args.size(); ++i) {
        if (Args[i] == "-o" && i + 1 < Args.size())
            out = Args[++i];
        else if (Args[i] == "--remarks")
            remarks = true;
        else
            return Usage();
    }
    std::FILE* file = out.empty() ? stdout : std::fopen(out.c_str(), "wb");
    if (!file)
        return Fail(out + ": " + std::strerror(errno));
    const std::string remarkPath = (out.empty() ? "run" + std::to_string(run) : out) + ".remarks.csv";
    std::FILE* remarkFile = remarks ? std::fopen(remarkPath.c_str(), "wb") : nullptr;
    if (remarks && !remarkFile)
        return Fail(remarkPath + ": " + std::strerror(errno));
    std::string error;
    const bool ok = RunTools::ExportRun(Args[0], int(run), file, remarkFile, error, ProgressLine("export"));
    if (file != stdout && std::fclose(file) != 0 && error.empty())
        error = out + ": write failed";
    if (remarkFile && std::fclose(remarkFile) != 0 && error.empty())
        error = remarkPath + ": write failed";
    return ok && error.empty() ? 0 : Fail(error);
}

int Verify(const std::string& Path)
{
    const auto problems = RunTools::Verify(Path, TRemarkFile::PathFor(Path), ProgressLine("verify"));
    for (const TRunProblem& p : problems)
        std::printf("offset %lld: %s\n", static_cast<long long>(p.Offset), p.Text.c_str());
    if (problems.empty())
        std::printf("%s: sound\n", Path.c_str());
    return problems.empty() ? 0 : 1;
}

int Repair(const std::string& Path, const std::string& Out)
{
    std::string report;
    std::string error;
    if (!RunTools::Repair(Path, Out, report, error, ProgressLine("repair")))
        return Fail(error);
    std::fputs(report.c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "list" && args.size() == 1)
        return List(args[0]);
    if (command == "export")
        return Export(args);
    if (command == "verify" && args.size() == 1)
        return Verify(args[0]);
    if (command == "repair" && args.size() == 2)
        return Repair(args[0], args[1]);
    return Usage();
}
