#include "safefile/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

RegularFile::~RegularFile()
{
    if (m_fd >= 0)
        close(m_fd);
}

FileStatus RegularFile::Open(const wxString& path)
{
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    const wxCharBuffer name = path.fn_str();
    if (!name.data() || !*name.data())
        return FileStatus::Missing;
    // Non-blocking, so that opening a FIFO does not wait for a writer; no
    // controlling terminal from a terminal device.
    const int fd = open(name.data(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileStatus::Missing : FileStatus::CannotOpen;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
    {
        close(fd);
        return FileStatus::NotAFile;
    }
    m_fd = fd;
    return FileStatus::Ok;
}

FileStatus RegularFile::ReadUpTo(size_t count, std::string& bytes)
{
    bytes.clear();
    if (m_fd < 0)
        return FileStatus::ReadFailed;
    if (lseek(m_fd, 0, SEEK_SET) != 0)
        return FileStatus::ReadFailed;
    char buffer[65536];
    while (bytes.size() < count)
    {
        const size_t want = std::min(sizeof buffer, count - bytes.size());
        const ssize_t got = read(m_fd, buffer, want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return FileStatus::ReadFailed;
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    return FileStatus::Ok;
}

FileStatus RegularFile::ReadAll(size_t limit, std::string& bytes)
{
    struct stat info;
    if (m_fd < 0 || fstat(m_fd, &info) != 0)
        return FileStatus::ReadFailed;
    if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) > limit)
        return FileStatus::TooLarge;
    bytes.reserve(static_cast<size_t>(info.st_size));
    // One byte more than allowed tells a file that grew meanwhile.
    const FileStatus status = ReadUpTo(limit + 1, bytes);
    if (status == FileStatus::Ok && bytes.size() > limit)
    {
        bytes.clear();
        return FileStatus::TooLarge;
    }
    return status;
}

FileStatus RegularFile::ReadStart(size_t count, std::string& bytes)
{
    return ReadUpTo(count, bytes);
}

FileStatus ReadRegularFile(const wxString& path, size_t limit, std::string& bytes)
{
    bytes.clear();
    RegularFile file;
    const FileStatus status = file.Open(path);
    return status == FileStatus::Ok ? file.ReadAll(limit, bytes) : status;
}
