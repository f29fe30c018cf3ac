#pragma once
// Window and event ids fixed by the program. Tests and other windows rely on
// these exact values.

#include "strip/thumbnailflags.h" // ID_THUMBNAIL_CTRL = 3, the strip's own id

enum
{
    ID_INSERT_IMAGE_MENU = 0, // "Insert Image" in the strip's context menu
    ID_PREVIEW_TIMER = 1,
    ID_IMAGE_LOAD_UPDATE = 6,
    ID_SAVE_GIF_UPDATE = 10,
    ID_MOVE_LEFT_MENU = 11, // "Move Left" and "Move Right" in the context menu
    ID_MOVE_RIGHT_MENU = 12,
    ID_RECOVERY_TIMER = 13
};
