#pragma once
// The store's private file for frames past its memory budget: made in the
// given folder without a name (O_TMPFILE, or opened and unlinked at once), so
// that nothing is left behind at exit or after a crash. Appends go to the
// end; the space of released frames is given back to the file system.

#include <wx/string.h>

#include <cstdint>
#include <string>

class SpillFile
{
public:
    explicit SpillFile(const wxString& folder);
    ~SpillFile();
    SpillFile(const SpillFile&) = delete;
    SpillFile& operator=(const SpillFile&) = delete;

    // Writes `bytes` at the end; false with the reason when the file cannot
    // be made or written. The one writer; Read may run on other threads.
    bool Append(const std::string& bytes, std::uint64_t& offset, wxString& error);
    bool Read(std::uint64_t offset, std::size_t length, std::string& bytes) const;
    void Release(std::uint64_t offset, std::uint64_t length);

private:
    bool Open(wxString& error);

    const wxString m_folder;
    int m_fd = -1;
    std::uint64_t m_end = 0;
};
