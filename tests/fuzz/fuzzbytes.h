#pragma once
// The fuzz entries read their input as a stream, as the readers read files.

#include <cstdint>
#include <cstdio>

// The bytes as a read-only stream (null when it cannot be made); the caller
// closes it.
inline std::FILE* OpenFuzzBytes(const std::uint8_t* data, size_t size)
{
    // fmemopen refuses an empty buffer; one byte of nothing stands in.
    static const std::uint8_t nothing = 0;
    return fmemopen(const_cast<std::uint8_t*>(size ? data : &nothing), size ? size : 1, "rb");
}
