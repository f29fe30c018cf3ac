// Runs files through the fuzz entry without libFuzzer; prints each outcome and a pixel digest.
#include "fuzzbytes.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
    {
        std::ifstream in(argv[i], std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        const FuzzOutcome& last = g_lastOutcome;
        std::printf("%s\t%s\t%d\t%016llx\n", argv[i], static_cast<const char*>(DescribePictureStatus(last.status).utf8_str()),
                    last.frames, static_cast<unsigned long long>(last.digest));
    }
    return 0;
}
