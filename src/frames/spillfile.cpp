#include "frames/spillfile.h"

#include <wx/filename.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SpillFile::SpillFile(const wxString& folder) : m_folder(folder)
{
}

SpillFile::~SpillFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SpillFile::Open(wxString& error)
{
    if (m_fd >= 0)
        return true;
    wxFileName::Mkdir(m_folder, 0700, wxPATH_MKDIR_FULL);
    const wxScopedCharBuffer folder = m_folder.fn_str();
    m_fd = ::open(folder.data(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (m_fd < 0)
    {
        // File systems without unnamed files: a named one, unlinked at once.
        std::string name = std::string(folder.data()) + "/frames-XXXXXX";
        m_fd = ::mkostemp(&name[0], O_CLOEXEC);
        if (m_fd >= 0)
            ::unlink(name.c_str());
    }
    if (m_fd < 0)
    {
        error = wxString::Format("cannot create a file in \"%s\": %s", m_folder, std::strerror(errno));
        return false;
    }
    return true;
}

bool SpillFile::Append(const std::string& bytes, std::uint64_t& offset, wxString& error)
{
    if (!Open(error))
        return false;
    std::size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t wrote = ::pwrite(m_fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(m_end + done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
        {
            error = wxString::Format("cannot write to \"%s\": %s", m_folder, std::strerror(wrote < 0 ? errno : ENOSPC));
            // Whatever part was written is given back.
            Release(m_end, bytes.size());
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    offset = m_end;
    m_end += bytes.size();
    return true;
}

bool SpillFile::Read(std::uint64_t offset, std::size_t length, std::string& bytes) const
{
    if (m_fd < 0)
        return false;
    bytes.assign(length, '\0');
    std::size_t done = 0;
    while (done < length)
    {
        const ssize_t got = ::pread(m_fd, &bytes[done], length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

void SpillFile::Release(std::uint64_t offset, std::uint64_t length)
{
    if (m_fd >= 0 && length > 0)
        ::fallocate(m_fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, static_cast<off_t>(offset),
                    static_cast<off_t>(length));
}
