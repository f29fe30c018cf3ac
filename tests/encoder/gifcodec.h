#pragma once
// GIF files on the test side: two decoders unrelated to the program's writer, and a maker of inputs.

#include <array>
#include <string>
#include <vector>

namespace giftest
{
using Rgb = std::array<unsigned char, 3>;

struct Frame
{
    int left = 0, top = 0, width = 0, height = 0;
    int disposal = 0, transparent = -1;  // from the control block
    std::vector<Rgb> colours;            // the table the frame uses
    std::vector<unsigned char> indices;  // width * height
    int delay = -1;                      // hundredths; -1 without control block
};

struct File
{
    bool ok = false;
    int width = 0, height = 0;
    std::vector<Frame> frames;
};

File DecodeWithGiflib(const std::string& bytes);
File DecodeWithWx(const std::string& bytes);

// The pictures a viewer shows: each frame over a black-started canvas, with transparency and disposal 2.
std::vector<std::vector<Rgb>> Coalesce(const File& file);

// A frame of a made GIF: indices below 8, into the file's global table.
struct Layer
{
    int left, top, width, height, disposal, transparent;  // transparent -1: none
    std::vector<unsigned char> indices;
};
// GIF89a with an 8-entry global table (`colours`, black padded), delays of 10.
std::string MakeGif(int width, int height, std::vector<Rgb> colours, const std::vector<Layer>& layers);
} // namespace giftest
