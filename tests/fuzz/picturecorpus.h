#pragma once
// Pictures, sound and broken, that every run of the tests feeds to the reader:
// cut short at many offsets, with hostile sizes and malformed data.

#include <string>
#include <vector>

namespace picturecorpus
{
struct Entry
{
    std::string name;   // ends in the format's usual extension
    std::string bytes;
};

std::vector<Entry> Make();
} // namespace picturecorpus
