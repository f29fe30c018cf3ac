#include "gifcodec.h"

#include <gif_lib.h>
#include <unistd.h>
#include <wx/gifdecod.h>
#include <wx/mstream.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

namespace giftest
{
namespace
{
std::string Le16(int value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}
} // namespace

File DecodeWithGiflib(const std::string& bytes)
{
    File file;
    std::pair<const std::string*, size_t> reader{&bytes, 0};  // the bytes, and how many were read
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, [](GifFileType* g, GifByteType* into, int size) {
        auto& r = *static_cast<std::pair<const std::string*, size_t>*>(g->UserData);
        const int n = std::min(size, static_cast<int>(r.first->size() - r.second));
        std::memcpy(into, r.first->data() + r.second, n);
        r.second += n;
        return n;
    }, &error);
    if (!gif)
        return file;
    file.ok = DGifSlurp(gif) == GIF_OK;
    for (int i = 0; file.ok && i < gif->ImageCount; ++i)
    {
        const SavedImage& image = gif->SavedImages[i];
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        Frame frame;
        frame.left = image.ImageDesc.Left;
        frame.top = image.ImageDesc.Top;
        frame.width = image.ImageDesc.Width;
        frame.height = image.ImageDesc.Height;
        for (int c = 0; map && c < map->ColorCount; ++c)
            frame.colours.push_back({map->Colors[c].Red, map->Colors[c].Green, map->Colors[c].Blue});
        frame.indices.assign(image.RasterBits, image.RasterBits + frame.width * frame.height);
        GraphicsControlBlock control;
        if (DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK)
        {
            frame.delay = control.DelayTime;
            frame.disposal = control.DisposalMode;
            frame.transparent = control.TransparentColor;
        }
        file.frames.push_back(frame);
    }
    file.width = gif->SWidth;
    file.height = gif->SHeight;
    DGifCloseFile(gif, &error);
    return file;
}

File DecodeWithWx(const std::string& bytes)
{
    File file;
    wxMemoryInputStream input(bytes.data(), bytes.size());
    wxGIFDecoder decoder;
    file.ok = decoder.LoadGIF(input) == wxGIF_OK;
    file.width = decoder.GetAnimationSize().x;
    file.height = decoder.GetAnimationSize().y;
    for (unsigned f = 0; file.ok && f < decoder.GetFrameCount(); ++f)
    {
        Frame frame;
        frame.width = decoder.GetFrameSize(f).x;
        frame.height = decoder.GetFrameSize(f).y;
        const unsigned char* palette = decoder.GetPalette(f);
        for (unsigned i = 0; i < decoder.GetNcolours(f); ++i)
            frame.colours.push_back({palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]});
        frame.indices.assign(decoder.GetData(f), decoder.GetData(f) + frame.width * frame.height);
        frame.delay = static_cast<int>(decoder.GetDelay(f) / 10);
        file.frames.push_back(frame);
    }
    return file;
}

std::vector<std::vector<Rgb>> Coalesce(const File& file)
{
    std::vector<std::vector<Rgb>> pictures;
    std::vector<Rgb> canvas(static_cast<size_t>(file.width) * file.height, Rgb{0, 0, 0});
    for (const Frame& frame : file.frames)
    {
        const std::vector<Rgb> before = canvas;
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x)
            {
                const int index = frame.indices[static_cast<size_t>(y) * frame.width + x];
                const int cx = frame.left + x, cy = frame.top + y;
                if (index != frame.transparent && cx < file.width && cy < file.height)
                    canvas[static_cast<size_t>(cy) * file.width + cx] = frame.colours.at(index);
            }
        pictures.push_back(canvas);
        if (frame.disposal == 2)
            for (int y = frame.top; y < std::min(file.height, frame.top + frame.height); ++y)
                for (int x = frame.left; x < std::min(file.width, frame.left + frame.width); ++x)
                    canvas[static_cast<size_t>(y) * file.width + x] = Rgb{0, 0, 0};
        else if (frame.disposal == 3)
            canvas = before;
    }
    return pictures;
}

namespace
{
// Runs `command` (GIF, RAW and INFO stand for the file names) on the bytes;
// the raw RGB frames it writes. A `count` of -1 reads width, height and count
// from INFO; -2 takes as many frames as there are.
std::vector<std::vector<Rgb>> RunDecoder(const std::string& bytes, const std::string& command, int width,
                                         int height, int count)
{
    char name[] = "/tmp/gloamer-coalesce-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0)
        return {};
    close(fd);
    const std::string gif = std::string(name) + ".gif", rgb = std::string(name) + ".rgb";
    std::ofstream(gif, std::ios::binary) << bytes;
    std::string line = command;
    for (const auto& [key, value] : {std::make_pair("GIF", gif), std::make_pair("RAW", rgb), std::make_pair("INFO", std::string(name))})
        for (size_t at = line.find(key); at != std::string::npos; at = line.find(key))
            line.replace(at, std::strlen(key), value);
    std::vector<std::vector<Rgb>> pictures;
    if (std::system(line.c_str()) == 0)
    {
        if (count == -1)
        {
            std::ifstream info(name);
            info >> width >> height >> count;
        }
        std::ifstream raw(rgb, std::ios::binary);
        std::vector<Rgb> picture(static_cast<size_t>(width) * height);
        while (!picture.empty() && raw.read(reinterpret_cast<char*>(picture.data()), 3 * picture.size()))
            pictures.push_back(picture);
        if (count >= 0 && static_cast<int>(pictures.size()) != count)
            pictures.clear();
    }
    std::remove(name);
    std::remove(gif.c_str());
    std::remove(rgb.c_str());
    return pictures;
}
} // namespace

std::vector<std::vector<Rgb>> CoalesceWithImageMagick(const std::string& bytes)
{
    // Width, height and count first, then every coalesced frame as raw RGB.
    return RunDecoder(bytes,
                      "convert 'GIF' -coalesce -format '%w %h %n\n' -write info:'INFO' -depth 8 -adjoin 'rgb:RAW' "
                      "2>/dev/null",
                      0, 0, -1);
}

std::vector<std::vector<Rgb>> CoalesceWithFfmpeg(const std::string& bytes, int width, int height)
{
    return RunDecoder(bytes, "ffmpeg -v error -i 'GIF' -fps_mode passthrough -f rawvideo -pix_fmt rgb24 -y 'RAW' </dev/null",
                      width, height, -2);
}

std::string MakeGif(int width, int height, std::vector<Rgb> colours, const std::vector<Layer>& layers)
{
    std::string out = "GIF89a" + Le16(width) + Le16(height) + std::string("\xF2\x00\x00", 3);
    colours.resize(8);
    for (const Rgb& colour : colours)
        out.append(colour.begin(), colour.end());
    for (const Layer& layer : layers)
    {
        out += "\x21\xF9\x04" + std::string(1, static_cast<char>(layer.disposal << 2 | (layer.transparent >= 0))) +
               Le16(10) + static_cast<char>(std::max(layer.transparent, 0)) + '\0';
        out += "\x2C" + Le16(layer.left) + Le16(layer.top) + Le16(layer.width) + Le16(layer.height) + '\0' + '\x03';
        // 4-bit LZW codes: literals only, a clear code before every fourth so
        // that the code size never grows.
        std::string codes;  // a code a character
        for (size_t i = 0; i < layer.indices.size(); ++i)
            codes += (i % 4 ? "" : "\x08") + std::string(1, static_cast<char>(layer.indices[i]));
        codes += std::string("\x09\x00", 2);  // end, and padding for the last byte
        std::string data;
        for (size_t c = 0; c + 1 < codes.size(); c += 2)
            data += static_cast<char>(codes[c] | codes[c + 1] << 4);
        for (size_t at = 0; at < data.size(); at += 255)
            out += static_cast<char>(std::min<size_t>(255, data.size() - at)) + data.substr(at, 255);
        out += '\0';
    }
    return out + '\x3B';
}
} // namespace giftest
