#pragma once
// A file read only when it is a regular file: a FIFO, a device or a folder
// under the name is refused without waiting on it, and the size is checked
// on the open descriptor, so that nothing can be swapped in between.

#include <wx/string.h>

#include <string>

enum class FileStatus
{
    Ok,
    Missing,    // no such file (or a folder on the way is missing)
    NotAFile,   // a FIFO, device, socket or folder
    CannotOpen, // permissions and the like
    TooLarge,   // more bytes than the caller accepts
    ReadFailed
};

class RegularFile
{
public:
    RegularFile() = default;
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // Opens `path` for reading without blocking and keeps it only when it is
    // a regular file.
    FileStatus Open(const wxString& path);
    // Reads the whole file; TooLarge when it holds more than `limit` bytes
    // (also when it grows past them while being read).
    FileStatus ReadAll(size_t limit, std::string& bytes);
    // Reads at most the first `count` bytes, whatever the file's size.
    FileStatus ReadStart(size_t count, std::string& bytes);

private:
    FileStatus ReadUpTo(size_t count, std::string& bytes);

    int m_fd = -1;
};

// Open and ReadAll in one step.
FileStatus ReadRegularFile(const wxString& path, size_t limit, std::string& bytes);
