#pragma once
// Opening a file a user named for reading, telling apart the ways that can
// fail. Only regular files are opened: a pipe or a device could block or
// never end.

#include "picture/picturestatus.h"

#include <cstdio>
#include <memory>

class wxString;

struct PictureFileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using PictureFilePtr = std::unique_ptr<std::FILE, PictureFileCloser>;

PictureStatus OpenPictureFile(const wxString& path, PictureFilePtr& file);
