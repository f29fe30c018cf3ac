#pragma once
// Bit values shared by the thumbnail strip, its entries and its notifications.

// Window style bits of wxThumbnailCtrl (the control always sets all three).
enum
{
    wxTHUMBNAIL_MULTIPLE_SELECT = 0x10, // Shift and Ctrl extend the selection
    wxTHUMBNAIL_FILE_LABEL = 0x20,      // file name above each picture
    wxTHUMBNAIL_FRAME_LABEL = 0x80      // "#n  t sec" below each picture
};

// Drawing flags handed to the tile and picture drawing of an entry.
enum
{
    wxTHUMBNAIL_SELECTED = 1, // the entry is selected
    wxTHUMBNAIL_FOCUSED = 4,  // the control has the keyboard focus
    wxTHUMBNAIL_IS_FOCUS = 8  // ... and the entry is the focus entry
};

// Modifier flags of a click or key, carried by wxThumbnailEvent.
enum
{
    wxTHUMBNAIL_SHIFT_DOWN = 1,
    wxTHUMBNAIL_CTRL_DOWN = 2,
    wxTHUMBNAIL_ALT_DOWN = 4
};

// The strip's window id; the main window's event table and tests name it.
enum
{
    ID_THUMBNAIL_CTRL = 3
};
