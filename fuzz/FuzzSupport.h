#pragma once
// What the fuzz targets share: the input written to a file of this process
// (the readers work on files), and a small generator of choices seeded by the
// input, so that a crash reproduces from its input alone.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace FuzzSupport {

// A path in memory (/dev/shm) where there is one, else in the temporary
// folder: one per process and name. A disk file system flushes a file that
// is emptied and rewritten on every close, which would slow a run to a crawl.
inline std::string TempPath(const char* Name)
{
    const char* dir = std::getenv("TESSARON_FUZZ_TMP");
    if (!dir || !*dir)
        dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/tessaron-fuzz-" + std::to_string(::getpid()) + "-" + Name;
}

inline void WriteFile(const std::string& Path, const std::uint8_t* Data, std::size_t Size)
{
    std::FILE* f = std::fopen(Path.c_str(), "wb");
    if (!f)
        std::abort();
    if (Size && std::fwrite(Data, 1, Size, f) != Size)
        std::abort();
    std::fclose(f);
}

// Writes the input to this process's file Name; returns its path.
inline std::string InputFile(const char* Name, const std::uint8_t* Data, std::size_t Size)
{
    std::string path = TempPath(Name);
    WriteFile(path, Data, Size);
    return path;
}

// splitmix64 over a hash of the input.
struct TChoices {
    std::uint64_t State;
    TChoices(const std::uint8_t* Data, std::size_t Size)
        : State(0x9E3779B97F4A7C15ull ^ Size)
    {
        for (std::size_t i = 0; i < Size; ++i)
            State = (State ^ Data[i]) * 0x100000001B3ull;
    }
    std::uint64_t Next()
    {
        std::uint64_t z = (State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [Low, High].
    std::int64_t Between(std::int64_t Low, std::int64_t High)
    {
        return Low + std::int64_t(Next() % std::uint64_t(High - Low + 1));
    }
};

} // namespace FuzzSupport
