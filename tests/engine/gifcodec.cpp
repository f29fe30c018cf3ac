#include "gifcodec.h"

#include <gif_lib.h>
#include <wx/gifdecod.h>
#include <wx/mstream.h>

#include <algorithm>
#include <cstring>

namespace giftest
{
namespace
{
struct Reader
{
    const std::string* bytes;
    size_t at;
};

int ReadBytes(GifFileType* gif, GifByteType* into, int size)
{
    Reader* reader = static_cast<Reader*>(gif->UserData);
    const size_t left = reader->bytes->size() - reader->at;
    const size_t n = size < 0 ? 0 : std::min(left, static_cast<size_t>(size));
    std::memcpy(into, reader->bytes->data() + reader->at, n);
    reader->at += n;
    return static_cast<int>(n);
}

int WriteBytes(GifFileType* gif, const GifByteType* from, int size)
{
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(from), size);
    return size;
}

std::vector<Rgb> Colours(const ColorMapObject* map)
{
    std::vector<Rgb> colours;
    if (map)
    {
        for (int i = 0; i < map->ColorCount; ++i)
            colours.push_back({map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
    }
    return colours;
}

ColorMapObject* MakeMap(const std::vector<Rgb>& colours)
{
    int size = 2;
    while (size < static_cast<int>(colours.size()))
        size *= 2;
    std::vector<GifColorType> entries(size, GifColorType{0, 0, 0});
    for (size_t i = 0; i < colours.size(); ++i)
        entries[i] = GifColorType{colours[i][0], colours[i][1], colours[i][2]};
    return GifMakeMapObject(size, entries.data());
}

void ReadExtensions(const ExtensionBlock* blocks, int count, File& file)
{
    for (int i = 0; i < count; ++i)
    {
        const ExtensionBlock& block = blocks[i];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && i + 1 < count &&
            blocks[i + 1].Function == CONTINUE_EXT_FUNC_CODE && blocks[i + 1].ByteCount >= 3)
            file.loopCount = blocks[i + 1].Bytes[1] | (blocks[i + 1].Bytes[2] << 8);
        if (block.Function == COMMENT_EXT_FUNC_CODE)
        {
            // giflib gives each sub-block as a block of its own.
            std::string text(reinterpret_cast<const char*>(block.Bytes), block.ByteCount);
            for (int j = i + 1; j < count && blocks[j].Function == CONTINUE_EXT_FUNC_CODE; ++j, ++i)
                text.append(reinterpret_cast<const char*>(blocks[j].Bytes), blocks[j].ByteCount);
            file.comments.push_back(text);
        }
    }
}
} // namespace

File DecodeWithGiflib(const std::string& bytes)
{
    File file;
    Reader reader{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadBytes, &error);
    if (!gif)
        return file;
    if (DGifSlurp(gif) != GIF_OK)
    {
        DGifCloseFile(gif, &error);
        return file;
    }
    file.width = gif->SWidth;
    file.height = gif->SHeight;
    file.globalColours = Colours(gif->SColorMap);
    for (int i = 0; i < gif->ImageCount; ++i)
    {
        const SavedImage& image = gif->SavedImages[i];
        ReadExtensions(image.ExtensionBlocks, image.ExtensionBlockCount, file);
        Frame frame;
        frame.left = image.ImageDesc.Left;
        frame.top = image.ImageDesc.Top;
        frame.width = image.ImageDesc.Width;
        frame.height = image.ImageDesc.Height;
        frame.localColours = Colours(image.ImageDesc.ColorMap);
        frame.indices.assign(image.RasterBits, image.RasterBits + frame.width * frame.height);
        GraphicsControlBlock control;
        if (DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK)
        {
            frame.delay = control.DelayTime;
            frame.transparent = control.TransparentColor;
            frame.disposal = control.DisposalMode;
        }
        file.frames.push_back(frame);
    }
    ReadExtensions(gif->ExtensionBlocks, gif->ExtensionBlockCount, file);
    file.ok = true;
    DGifCloseFile(gif, &error);
    return file;
}

File DecodeWithWx(const std::string& bytes)
{
    File file;
    wxMemoryInputStream input(bytes.data(), bytes.size());
    wxGIFDecoder decoder;
    if (decoder.LoadGIF(input) != wxGIF_OK)
        return file;
    file.width = decoder.GetAnimationSize().x;
    file.height = decoder.GetAnimationSize().y;
    for (unsigned f = 0; f < decoder.GetFrameCount(); ++f)
    {
        Frame frame;
        frame.left = decoder.GetFramePosition(f).x;
        frame.top = decoder.GetFramePosition(f).y;
        frame.width = decoder.GetFrameSize(f).x;
        frame.height = decoder.GetFrameSize(f).y;
        const unsigned char* palette = decoder.GetPalette(f);
        for (unsigned i = 0; i < decoder.GetNcolours(f); ++i)
            frame.localColours.push_back({palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]});
        const unsigned char* data = decoder.GetData(f);
        frame.indices.assign(data, data + frame.width * frame.height);
        frame.delay = static_cast<int>(decoder.GetDelay(f) / 10);
        frame.transparent = decoder.GetTransparentColourIndex(f);
        frame.disposal = decoder.GetDisposalMethod(f) + 1;
        file.frames.push_back(frame);
    }
    file.ok = true;
    return file;
}

std::string EncodeWithGiflib(const File& file)
{
    std::string bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, WriteBytes, &error);
    if (!gif)
        return bytes;
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = MakeMap(file.globalColours);
    EGifPutScreenDesc(gif, file.width, file.height, 8, 0, global);
    GifFreeMapObject(global);
    for (const Frame& frame : file.frames)
    {
        GraphicsControlBlock control{frame.disposal, false, frame.delay < 0 ? 0 : frame.delay, frame.transparent};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
        ColorMapObject* local = frame.localColours.empty() ? nullptr : MakeMap(frame.localColours);
        EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, false, local);
        if (local)
            GifFreeMapObject(local);
        std::vector<GifPixelType> row(frame.width);
        for (int y = 0; y < frame.height; ++y)
        {
            std::memcpy(row.data(), frame.indices.data() + y * frame.width, frame.width);
            EGifPutLine(gif, row.data(), frame.width);
        }
    }
    EGifCloseFile(gif, &error);
    return bytes;
}
} // namespace giftest
