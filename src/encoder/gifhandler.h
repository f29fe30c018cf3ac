#pragma once
// Writes animated GIF89a files frame by frame; the toolkit's GIF handler
// contributes only its LZW compressor.

#include <wx/imaggif.h>

class wxImage;
class wxOutputStream;
struct GifImageBlock;

// Every write of the GIF writer goes to this stream. Only one save can run at
// a time because of it.
extern wxOutputStream* g_gifOutputStream;

class MyGifHandler : public wxGIFHandler
{
public:
    MyGifHandler() = default;
    ~MyGifHandler() override;

    // Writes frame `index` of `frameCount`: with the file header for index 0,
    // and the trailer after the last index. The image must carry a palette of
    // at most 256 colours holding every pixel colour.
    bool SaveFrame(const wxImage& image, int delayMs, int frameCount, int index);

    // Builds the palette and writes one frame's blocks, with the header when
    // `first` is set. The building block for writers that decide themselves
    // which frame opens the file.
    bool WriteFrame(const wxImage& image, int delayMs, bool first);

    // The one-byte end of the file.
    static bool WriteTrailer();

    // The file header, logical screen of width x height with `count` entries
    // as the global table, and the looping extension.
    static bool WriteScreen(int width, int height, const unsigned char (*entries)[3], int count);

    // The control block, descriptor, optional local table and image data of
    // one image; its indices are written as they are.
    static bool WriteImageBlock(const GifImageBlock& block);

    // One frame's blocks from an already built palette.
    bool DoSaveFile(const wxImage& image, bool first, int delayMs,
                    const unsigned char (*entries)[3], int count, int transparentIndex);

private:
    // The base allocates the LZW hash table per image but never frees it.
    void FreeHashTable();
};
