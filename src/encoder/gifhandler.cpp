#include "encoder/gifhandler.h"

#include "encoder/colourindex.h"
#include "encoder/imageblock.h"
#include "encoder/lzwencoder.h"
#include "encoder/palette.h"

#include <wx/image.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/stream.h>

#include <climits>
#include <cstring>
#include <vector>

wxOutputStream* g_gifOutputStream = nullptr;

namespace
{
// One write, complete or failed.
bool Put(const void* data, size_t size)
{
    wxOutputStream* const stream = g_gifOutputStream;
    if (!stream)
        return false;
    stream->Write(data, size);
    return stream->LastWrite() == size;
}

void SetLE16(unsigned char* at, unsigned value)
{
    at[0] = static_cast<unsigned char>(value & 0xFF);
    at[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

// 2^n entries; those past the palette's count are black.
bool PutColourTable(const unsigned char (*entries)[3], int count, int n)
{
    std::vector<unsigned char> table(3u << n, 0);
    std::memcpy(table.data(), entries, 3u * static_cast<unsigned>(count));
    return Put(table.data(), table.size());
}

bool PutHeader(int width, int height, const unsigned char (*entries)[3], int count, int n)
{
    unsigned char screen[13] = {'G', 'I', 'F', '8', '9', 'a'};
    SetLE16(screen + 6, static_cast<unsigned>(width));
    SetLE16(screen + 8, static_cast<unsigned>(height));
    screen[10] = static_cast<unsigned char>(0x80 + (n - 1) * 16 + (n - 1));
    screen[11] = 0;  // background colour index
    screen[12] = 0;  // pixel aspect ratio
    if (!Put(screen, sizeof screen) || !PutColourTable(entries, count, n))
        return false;

    // Repeat count 0: every written animation loops forever.
    const unsigned char looping[19] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P',
                                       'E', '2', '.', '0', 0x03, 0x01, 0x00, 0x00, 0x00};
    return Put(looping, sizeof looping);
}

bool PutComment(const wxString& comment)
{
    const wxCharBuffer bytes = comment.mb_str(wxConvLibc);
    const size_t length = bytes.length();
    if (length == 0)  // empty, or not representable in the current encoding
        return true;

    const unsigned char intro[2] = {0x21, 0xFE};
    if (!Put(intro, sizeof intro))
        return false;
    for (size_t done = 0; done < length;)
    {
        const size_t chunk = length - done < 255 ? length - done : 255;
        const unsigned char size = static_cast<unsigned char>(chunk);
        if (!Put(&size, 1) || !Put(bytes.data() + done, chunk))
            return false;
        done += chunk;
    }
    const unsigned char terminator = 0;
    return Put(&terminator, 1);
}
} // namespace

MyGifHandler::~MyGifHandler()
{
    // Only left set when a frame ended unusually.
    FreeHashTable();
}

void MyGifHandler::FreeHashTable()
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdelete-incomplete"
    delete m_hashTable;  // allocated by the toolkit with plain new; trivial destructor
#pragma GCC diagnostic pop
    m_hashTable = nullptr;
}

bool MyGifHandler::SaveFrame(const wxImage& image, int delayMs, int frameCount, int index)
{
    if (!WriteFrame(image, delayMs, index == 0))
        return false;
    if (index + 1 == frameCount)
        return WriteTrailer();
    return true;
}

bool MyGifHandler::WriteFrame(const wxImage& image, int delayMs, bool first)
{
    GifPalette palette;
    if (!BuildGifPalette(image, palette))
        return false;
    return DoSaveFile(image, first, delayMs, palette.entries, palette.count, palette.transparentIndex);
}

bool MyGifHandler::WriteTrailer()
{
    const unsigned char trailer = 0x3B;
    return Put(&trailer, 1);
}

bool MyGifHandler::WriteScreen(int width, int height, const unsigned char (*entries)[3], int count)
{
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF || count < 1 ||
        count > GifPalette::MaxEntries)
        return false;
    return PutHeader(width, height, entries, count, GifTableSizeExponent(count));
}

bool MyGifHandler::WriteImageBlock(const GifImageBlock& block)
{
    const int width = block.width;
    const int height = block.height;
    if (width <= 0 || height <= 0 || block.left < 0 || block.top < 0 || block.left + width > 0xFFFF ||
        block.top + height > 0xFFFF || (!block.indices && !block.encoded) ||
        block.codeSize < 2 || block.codeSize > 8 || block.localCount < 0 || block.localCount > GifPalette::MaxEntries)
        return false;

    unsigned char control[8] = {0x21, 0xF9, 0x04};
    control[3] = static_cast<unsigned char>((block.disposal & 7) << 2 | (block.transparentIndex != -1 ? 1 : 0));
    SetLE16(control + 4, static_cast<unsigned>(block.delayMs / 10));
    control[6] = static_cast<unsigned char>(block.transparentIndex != -1 ? block.transparentIndex : 0);
    control[7] = 0;
    if (!Put(control, sizeof control))
        return false;

    unsigned char descriptor[10] = {0x2C};
    SetLE16(descriptor + 1, static_cast<unsigned>(block.left));
    SetLE16(descriptor + 3, static_cast<unsigned>(block.top));
    SetLE16(descriptor + 5, static_cast<unsigned>(width));
    SetLE16(descriptor + 7, static_cast<unsigned>(height));
    const int n = GifTableSizeExponent(block.localCount);
    descriptor[9] = static_cast<unsigned char>(block.localTable ? 0x80 + (n - 1) : 0x00);
    if (!Put(descriptor, sizeof descriptor))
        return false;
    if (block.localTable && !PutColourTable(block.localTable, block.localCount, n))
        return false;

    if (block.encoded)
        return Put(block.encoded->data(), block.encoded->size());
    // Its own compressor: the toolkit's serves whole frames of 8-bit codes.
    const std::vector<unsigned char> data =
        GifLzwEncoder(block.codeSize).Encode(block.indices, static_cast<size_t>(width) * height);
    return Put(data.data(), data.size());
}

bool MyGifHandler::DoSaveFile(const wxImage& image, bool first, int delayMs,
                              const unsigned char (*entries)[3], int count, int transparentIndex)
{
    if (!image.IsOk())
        return false;
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    const int evenWidth = width + (width % 2);
    // The size fields are 16 bits wide, and the toolkit counts pixels in an int.
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF ||
        static_cast<long long>(height) * evenWidth > INT_MAX)
        return false;
    const unsigned long colours = image.CountColours(256);
    if (colours == 0 || colours > 256)
        return false;
    if (count < 0)
        count = 0;
    if (count > GifPalette::MaxEntries)
        count = GifPalette::MaxEntries;
    const int n = GifTableSizeExponent(count);

    if (first && !PutHeader(width, height, entries, count, n))
        return false;

    if (image.HasOption(wxIMAGE_OPTION_GIF_COMMENT) &&
        !PutComment(image.GetOption(wxIMAGE_OPTION_GIF_COMMENT)))
        return false;

    unsigned char control[8] = {0x21, 0xF9, 0x04};
    control[3] = transparentIndex != -1 ? 0x01 : 0x00;
    SetLE16(control + 4, static_cast<unsigned>(delayMs / 10));
    control[6] = static_cast<unsigned char>(transparentIndex != -1 ? transparentIndex : 0);
    control[7] = 0;
    if (!Put(control, sizeof control))
        return false;

    unsigned char descriptor[10] = {0x2C};
    SetLE16(descriptor + 1, 0);
    SetLE16(descriptor + 3, 0);
    SetLE16(descriptor + 5, static_cast<unsigned>(width));
    SetLE16(descriptor + 7, static_cast<unsigned>(height));
    descriptor[9] = static_cast<unsigned char>(first ? 0x00 : 0x80 + (n - 1));
    if (!Put(descriptor, sizeof descriptor))
        return false;
    if (!first && !PutColourTable(entries, count, n))
        return false;

    if (!InitHashTable())
    {
        wxLogError(_("Couldn't initialize GIF hash table."));
        return false;
    }

    std::vector<wxUint8> row(static_cast<size_t>(width));
    const GifColourIndex lookup(entries, count);

    bool ok = SetupCompress(g_gifOutputStream, 8);
    if (ok)
    {
        // The toolkit ends the image data when this count reaches 0, which
        // happens exactly with the last row.
        m_pixelCount = height * evenWidth;
        const unsigned char* pixel = image.GetData();
        long previous = -1;  // colour of the previous pixel, runs are common
        int index = -1;
        for (int y = 0; y < height && ok; ++y)
        {
            m_pixelCount -= evenWidth;
            for (int x = 0; x < width; ++x, pixel += 3)
            {
                const long colour = (long(pixel[0]) << 16) | (long(pixel[1]) << 8) | pixel[2];
                if (colour != previous)
                {
                    index = lookup.Find(pixel[0], pixel[1], pixel[2]);
                    previous = colour;
                }
                if (index == -1)
                {
                    wxASSERT(index != (-1));
                    row[x] = 255;
                }
                else
                {
                    row[x] = static_cast<wxUint8>(index);
                }
            }
            ok = CompressLine(g_gifOutputStream, row.data(), width);
        }
    }

    FreeHashTable();
    return ok;
}
