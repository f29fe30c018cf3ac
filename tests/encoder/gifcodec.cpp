#include "gifcodec.h"

#include <gif_lib.h>
#include <wx/gifdecod.h>
#include <wx/mstream.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace giftest
{
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
    }
    return pictures;
}

std::string MakeGif(int width, int height, std::vector<Rgb> colours, const std::vector<Layer>& layers)
{
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, [](GifFileType* g, const GifByteType* bytes, int size) {
        static_cast<std::string*>(g->UserData)->append(reinterpret_cast<const char*>(bytes), size);
        return size;
    }, &error);
    colours.resize(8);
    ColorMapObject* table = GifMakeMapObject(8, reinterpret_cast<const GifColorType*>(colours.data()));
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, width, height, 8, 0, table);
    for (const Layer& layer : layers)
    {
        const GraphicsControlBlock control{layer.disposal, false, 10, layer.transparent};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
        EGifPutImageDesc(gif, layer.left, layer.top, layer.width, layer.height, false, nullptr);
        // Data of our own, unlike any encoder's: 4-bit LZW codes, literals
        // only, a clear code before every fourth so that the code size never
        // grows. Its size is what the loaders' byte progress tests count on.
        std::string codes;  // a code a character
        for (size_t i = 0; i < layer.indices.size(); ++i)
            codes += (i % 4 ? "" : "\x08") + std::string(1, static_cast<char>(layer.indices[i]));
        codes += std::string("\x09\x00", 2);  // end, and padding for the last byte
        std::string data;
        for (size_t c = 0; c + 1 < codes.size(); c += 2)
            data += static_cast<char>(codes[c] | codes[c + 1] << 4);
        for (size_t at = 0; at < data.size(); at += 255)
        {
            const std::string block = static_cast<char>(std::min<size_t>(255, data.size() - at)) + data.substr(at, 255);
            EGifPutCodeNext(gif, reinterpret_cast<const GifByteType*>(block.data()));
        }
        EGifPutCodeNext(gif, nullptr);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(table);
    return out;
}
} // namespace giftest
