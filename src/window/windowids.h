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
    ID_RECOVERY_TIMER = 13,
    // Undo, Redo and the frame operations, in the Frame menu and (the
    // operations) in the strip's context menu.
    ID_UNDO_MENU = 14,
    ID_REDO_MENU = 15,
    ID_SELECT_ALL_MENU = 16,
    ID_REVERSE_MENU = 17,
    ID_YOYO_MENU = 18,
    ID_REMOVE_EVERY_NTH_MENU = 19,
    ID_KEEP_EVERY_NTH_MENU = 20,
    ID_DUPLICATE_MENU = 21
};
