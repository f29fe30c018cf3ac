#pragma once
// The user's choices for GIF files the window writes, kept between runs in
// "gif-options.txt" of the user data folder. The defaults write what Save
// always wrote.

#include <string>

struct GifChoices
{
    static constexpr int kMinQuality = 1;
    static constexpr int kMaxQuality = 100;

    int quality = kMaxQuality;
    // Store each frame as only what changed since the one before.
    bool storeChanges = false;

    bool operator==(const GifChoices& other) const
    {
        return quality == other.quality && storeChanges == other.storeChanges;
    }
    bool operator!=(const GifChoices& other) const { return !(*this == other); }
};

// "quality=N" and "store-changes=0|1" lines. A line that is not exactly one
// of these (unknown key, a value out of range, stray characters) is ignored,
// so that a damaged value leaves its choice at the default.
GifChoices ParseGifChoices(const std::string& text);
std::string FormatGifChoices(const GifChoices& choices);

// The remembered choices; the defaults when the file is missing, is not a
// regular file or is larger than any file this program writes.
GifChoices ReadGifChoicesFile();
// Replaces the file whole; errors are silent (the choices then last for this
// run only).
void WriteGifChoicesFile(const GifChoices& choices);
