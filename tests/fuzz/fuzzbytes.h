#pragma once
// What the fuzz entries share: their input as a stream, and the last outcome for the replay.

#include "picture/picturestatus.h"

#include <wx/init.h>

#include <cstdint>
#include <cstdio>

struct FuzzOutcome
{
    std::uint64_t digest = 1469598103934665603ull;  // FNV-1a over every decoded byte
    int frames = 0;
    PictureStatus status;

    // Every byte is read, so uninitialised memory shows up in tools.
    void Add(const unsigned char* bytes, size_t count)
    {
        for (size_t i = 0; i < count; ++i)
            digest = (digest ^ bytes[i]) * 1099511628211ull;
    }
};
inline FuzzOutcome g_lastOutcome;

// Runs `read(file, outcome)` over the bytes as a read-only stream.
template <typename Read>
int ReadFuzzBytes(const std::uint8_t* data, size_t size, Read read)
{
    static wxInitializer initializer;
    // fmemopen refuses an empty buffer; one byte of nothing stands in.
    static const std::uint8_t nothing = 0;
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(size ? data : &nothing), size ? size : 1, "rb");
    if (!file)
        return 0;
    FuzzOutcome outcome;
    read(file, outcome);
    std::fclose(file);
    g_lastOutcome = outcome;
    return 0;
}
