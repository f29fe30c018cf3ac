#include "encoder/differencingwriter.h"

#include "encoder/colourindex.h"
#include "encoder/gifhandler.h"
#include "encoder/imageblock.h"

#include <wx/image.h>
#include <wx/mstream.h>

#include <algorithm>
#include <cstring>

namespace
{
bool Put(const std::vector<unsigned char>& bytes)
{
    wxOutputStream* const stream = g_gifOutputStream;
    if (!stream)
        return false;
    stream->Write(bytes.data(), bytes.size());
    return stream->LastWrite() == bytes.size();
}

long ColourAt(const unsigned char* pixel)
{
    return (long(pixel[0]) << 16) | (long(pixel[1]) << 8) | pixel[2];
}

// Whether every pixel's colour is in the image's palette; the palette too.
bool ReadPalette(const wxImage& image, GifPalette& palette)
{
    if (!BuildGifPalette(image, palette) || image.HasMask())
        return false;
    const GifColourIndex lookup(palette.entries, palette.count);
    const unsigned char* pixel = image.GetData();
    const size_t pixels = static_cast<size_t>(image.GetWidth()) * image.GetHeight();
    long previous = -1;
    for (size_t p = 0; p < pixels; ++p, pixel += 3)
    {
        const long colour = ColourAt(pixel);
        if (colour == previous)
            continue;
        if (lookup.Find(pixel[0], pixel[1], pixel[2]) < 0)
            return false;
        previous = colour;
    }
    return true;
}

} // namespace

bool GifDifferencingWriter::WriteFrame(const wxImage& displayed, int delayMs, bool first)
{
    if (!displayed.IsOk())
        return false;
    return first ? WriteFirst(displayed, delayMs) : WriteChange(displayed, delayMs);
}

bool GifDifferencingWriter::WriteFirst(const wxImage& displayed, int delayMs)
{
    GifPalette own;
    if (!ReadPalette(displayed, own))
        return false;
    const int width = displayed.GetWidth();
    const int height = displayed.GetHeight();

    // The global table: the colours the first frame uses, in its palette's
    // order, and a spare entry for transparency where there is room.
    const GifColourIndex lookup(own.entries, own.count);
    bool used[GifPalette::MaxEntries] = {};
    const unsigned char* pixel = displayed.GetData();
    const size_t pixels = static_cast<size_t>(width) * height;
    long previous = -1;
    for (size_t p = 0; p < pixels; ++p, pixel += 3)
    {
        if (ColourAt(pixel) != previous)
        {
            used[lookup.Find(pixel[0], pixel[1], pixel[2])] = true;
            previous = ColourAt(pixel);
        }
    }
    GifPalette global;
    for (int i = 0; i < own.count; ++i)
    {
        if (used[i])
            std::memcpy(global.entries[global.count++], own.entries[i], 3);
    }
    const int colours = global.count;
    if (global.count < GifPalette::MaxEntries)
        global.transparentIndex = global.count++; // black, never looked up

    const int rect[4] = {0, 0, width, height};
    std::vector<unsigned char> bytes;
    if (!Encode(displayed, nullptr, rect, global, colours, false, delayMs, bytes))
        return false;
    if (!MyGifHandler::WriteScreen(width, height, global.entries, global.count) || !Put(bytes))
        return false;
    m_width = width;
    m_height = height;
    m_global = global;
    m_globalColours = colours;
    m_previous.assign(displayed.GetData(), displayed.GetData() + 3 * pixels);
    return true;
}

bool GifDifferencingWriter::WriteChange(const wxImage& displayed, int delayMs)
{
    GifPalette own;
    if (displayed.GetWidth() != m_width || displayed.GetHeight() != m_height || !ReadPalette(displayed, own))
        return false;

    // The rectangle of changed pixels, and the colours they need.
    const unsigned char* now = displayed.GetData();
    const unsigned char* before = m_previous.data();
    int left = m_width, right = -1, top = m_height, bottom = -1;
    for (int y = 0; y < m_height; ++y)
    {
        const size_t row = 3 * static_cast<size_t>(y) * m_width;
        if (std::memcmp(now + row, before + row, 3 * static_cast<size_t>(m_width)) == 0)
            continue;
        top = std::min(top, y);
        bottom = y;
        for (int x = 0; x < m_width; ++x)
        {
            if (std::memcmp(now + row + 3 * x, before + row + 3 * x, 3) != 0)
            {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    // Nothing changed: one transparent pixel carries the delay.
    const int rect[4] = {bottom < 0 ? 0 : left, bottom < 0 ? 0 : top, bottom < 0 ? 1 : right - left + 1,
                         bottom < 0 ? 1 : bottom - top + 1};

    // A table of its own: the colours of the changed pixels in the order
    // they first appear, and a spare entry for transparency where there is room.
    const GifColourIndex ownLookup(own.entries, own.count);
    bool seen[GifPalette::MaxEntries] = {};
    GifPalette local;
    for (int y = rect[1]; y < rect[1] + rect[3]; ++y)
    {
        const size_t row = 3 * (static_cast<size_t>(y) * m_width + rect[0]);
        long previous = -1;
        for (int x = 0; x < rect[2]; ++x)
        {
            const unsigned char* pixel = now + row + 3 * x;
            if (std::memcmp(pixel, before + row + 3 * x, 3) == 0 || ColourAt(pixel) == previous)
                continue;
            previous = ColourAt(pixel);
            const int index = ownLookup.Find(pixel[0], pixel[1], pixel[2]);
            if (!seen[index])
            {
                seen[index] = true;
                std::memcpy(local.entries[local.count++], pixel, 3);
            }
        }
    }
    const int localColours = local.count;
    if (local.count < GifPalette::MaxEntries)
        local.transparentIndex = local.count++;

    std::vector<unsigned char> bytes, viaGlobal;
    if (!Encode(displayed, before, rect, local, localColours, true, delayMs, bytes))
        return false;
    if (Encode(displayed, before, rect, m_global, m_globalColours, false, delayMs, viaGlobal) &&
        viaGlobal.size() <= bytes.size())
        bytes.swap(viaGlobal);
    if (!Put(bytes))
        return false;
    m_previous.assign(now, now + m_previous.size());
    return true;
}

bool GifDifferencingWriter::Encode(const wxImage& displayed, const unsigned char* previous, const int (&rect)[4],
                                   const GifPalette& table, int colours, bool local, int delayMs,
                                   std::vector<unsigned char>& bytes) const
{
    const int width = displayed.GetWidth();
    const GifColourIndex lookup(table.entries, colours);
    const unsigned char* now = displayed.GetData();
    std::vector<unsigned char> indices(static_cast<size_t>(rect[2]) * rect[3]);
    std::vector<bool> unchanged(indices.size(), false);
    bool used[GifPalette::MaxEntries] = {};
    bool anyUnchanged = false;
    long cached = -1;
    int cachedIndex = -1;
    for (int y = 0; y < rect[3]; ++y)
    {
        const size_t row = 3 * (static_cast<size_t>(rect[1] + y) * width + rect[0]);
        for (int x = 0; x < rect[2]; ++x)
        {
            const size_t at = static_cast<size_t>(y) * rect[2] + x;
            const unsigned char* pixel = now + row + 3 * x;
            if (previous && std::memcmp(pixel, previous + row + 3 * x, 3) == 0)
            {
                unchanged[at] = anyUnchanged = true;
                continue;
            }
            if (ColourAt(pixel) != cached)
            {
                cached = ColourAt(pixel);
                cachedIndex = lookup.Find(pixel[0], pixel[1], pixel[2]);
                if (cachedIndex < 0)
                    return false;
            }
            indices[at] = static_cast<unsigned char>(cachedIndex);
            used[cachedIndex] = true;
        }
    }

    int transparent = -1;
    if (anyUnchanged)
    {
        transparent = table.transparentIndex;
        for (int i = 0; transparent < 0 && i < table.count; ++i)
        {
            if (!used[i])
                transparent = i;
        }
        for (int y = 0; y < rect[3]; ++y)
        {
            const size_t row = 3 * (static_cast<size_t>(rect[1] + y) * width + rect[0]);
            for (int x = 0; x < rect[2]; ++x)
            {
                const size_t at = static_cast<size_t>(y) * rect[2] + x;
                if (!unchanged[at])
                    continue;
                if (transparent >= 0)
                {
                    indices[at] = static_cast<unsigned char>(transparent);
                    continue;
                }
                // No entry to spare: the pixel is written with its colour.
                const unsigned char* pixel = now + row + 3 * x;
                const int index = lookup.Find(pixel[0], pixel[1], pixel[2]);
                if (index < 0)
                    return false;
                indices[at] = static_cast<unsigned char>(index);
            }
        }
    }

    GifImageBlock block;
    block.left = rect[0];
    block.top = rect[1];
    block.width = rect[2];
    block.height = rect[3];
    block.disposal = 1;
    block.delayMs = delayMs;
    block.transparentIndex = transparent;
    block.localTable = local ? table.entries : nullptr;
    block.localCount = local ? table.count : 0;
    block.codeSize = std::max(2, GifTableSizeExponent(table.count));
    block.indices = indices.data();

    wxMemoryOutputStream memory;
    wxOutputStream* const target = g_gifOutputStream;
    g_gifOutputStream = &memory;
    const bool ok = MyGifHandler::WriteImageBlock(block);
    g_gifOutputStream = target;
    if (!ok)
        return false;
    bytes.resize(memory.GetLength());
    memory.CopyTo(bytes.data(), bytes.size());
    return true;
}
