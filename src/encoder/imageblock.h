#pragma once

#include <vector>
// One image of an animation with its control block, as frame differencing
// lays it out: any rectangle of the screen, any disposal, its own table or
// the file's global one.

struct GifImageBlock
{
    int left = 0, top = 0, width = 0, height = 0;
    int disposal = 0;          // 0 to 7, as the control block carries it
    int delayMs = 0;
    int transparentIndex = -1; // -1 for none
    // The local colour table, or nullptr to use the global one.
    const unsigned char (*localTable)[3] = nullptr;
    int localCount = 0;
    int codeSize = 8;                      // LZW minimum code size, 2 to 8
    const unsigned char* indices = nullptr; // width x height, row by row
    // Image data already compressed (code size byte to terminator), written
    // instead of compressing `indices`.
    const std::vector<unsigned char>* encoded = nullptr;
};
