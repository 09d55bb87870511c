#pragma once
// What the fuzz targets share: a failed check aborts (so libFuzzer keeps the input), and a
// scratch directory for the targets whose parser reads a file.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

// Aborts with the message when an expected property of the code under test does not hold.
inline void Require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// A private directory for the run's files, made once under $DOTRIX_FUZZ_SCRATCH, else in memory
// (/dev/shm) where there is one, else /tmp, and removed at a normal exit. Its files are
// overwritten input after input.
inline const std::string &ScratchDir()
{
    static const std::string dir = [] {
        const char *given = std::getenv("DOTRIX_FUZZ_SCRATCH");
        for (const char *base : {given, "/dev/shm", "/tmp"}) {
            if (!base || !*base)
                continue;
            std::string pattern = std::string(base) + "/dotrix-fuzz-XXXXXX";
            if (mkdtemp(pattern.data()))
                return pattern;
        }
        std::perror("dotrix fuzz: cannot make a scratch directory");
        std::abort();
    }();
    static const bool cleanUp = [] {
        return std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }) == 0;
    }();
    (void)cleanUp;
    return dir;
}

// Replaces the file at path with the bytes.
inline void WriteScratchFile(const std::string &path, const uint8_t *data, size_t size)
{
    FILE *file = std::fopen(path.c_str(), "wb");
    Require(file != nullptr, "scratch file can be created");
    Require(size == 0 || std::fwrite(data, 1, size, file) == size, "scratch file takes the input");
    Require(std::fclose(file) == 0, "scratch file can be closed");
}
