#pragma once
// Test-side GIF reading and writing: giflib as a decoder (and encoder) that has
// nothing to do with the program's own writer, and the toolkit's decoder.

#include <array>
#include <string>
#include <vector>

namespace giftest
{
using Rgb = std::array<unsigned char, 3>;

struct Frame
{
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<Rgb> localColours;      // empty: the frame uses the global table
    std::vector<unsigned char> indices; // width * height
    int delay = -1;                     // hundredths of a second; -1 without control block
    int transparent = -1;
    int disposal = 0;                   // the file's code, 0 to 3
};

struct File
{
    bool ok = false;
    int width = 0, height = 0;
    std::vector<Rgb> globalColours;
    int loopCount = -1;  // from the NETSCAPE2.0 block; -1 without one
    std::vector<std::string> comments;
    std::vector<Frame> frames;

    const std::vector<Rgb>& ColoursOf(const Frame& frame) const
    {
        return frame.localColours.empty() ? globalColours : frame.localColours;
    }
};

File DecodeWithGiflib(const std::string& bytes);
// The toolkit's decoder; palettes as it reports them, delays in hundredths.
File DecodeWithWx(const std::string& bytes);
// Writes `file` with giflib (GIF89a, one global table, no loop block).
std::string EncodeWithGiflib(const File& file);
} // namespace giftest
