#include "recovery/recoverycopy.h"

#include "project/projectfile.h"
#include "recovery/recoveryfolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace
{
std::string RandomName()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[8] = {};
    if (getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes))
    {
        // O_EXCL keeps names apart anyway; they only have to vary.
        static unsigned s_counter = 0;
        for (unsigned char& byte : bytes)
            byte = static_cast<unsigned char>(++s_counter * 2654435761u >> 24);
    }
    std::string name = std::to_string(getpid()) + "-";
    for (const unsigned char byte : bytes)
        name += kLetters[byte % (sizeof kLetters - 1)];
    return name;
}

bool WriteWhole(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<size_t>(written);
    }
    return true;
}
} // namespace

RecoveryCopy::RecoveryCopy(const wxString& folder)
    : m_folder(folder.fn_str().data() ? folder.fn_str().data() : "")
{
}

RecoveryCopy::~RecoveryCopy()
{
    Remove();
}

wxString RecoveryCopy::GetPath() const
{
    return m_stem.empty() ? wxString() : wxString((m_stem + kCopySuffix).c_str(), *wxConvFileName);
}

bool RecoveryCopy::Claim()
{
    if (m_folder.empty())
        return false;
    mkdir(m_folder.c_str(), 0700); // an existing folder is fine
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        const std::string stem = m_folder + "/" + RandomName();
        const int fd = open((stem + kLockSuffix).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return false;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        {
            close(fd);
            unlink((stem + kLockSuffix).c_str());
            return false;
        }
        m_stem = stem;
        m_lock = fd;
        return true;
    }
    return false;
}

bool RecoveryCopy::Keep(const ProjectContent& content)
{
    if (m_written && *m_written == content)
        return true;
    if (m_lock < 0 && !Claim())
        return false;
    const std::string bytes = FormatProjectFile(content);
    const std::string temporary = m_stem + kTempSuffix;
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    const bool written = !bytes.empty() && WriteWhole(fd, bytes);
    if (close(fd) != 0 || !written || rename(temporary.c_str(), (m_stem + kCopySuffix).c_str()) != 0)
    {
        unlink(temporary.c_str());
        return false;
    }
    m_written = std::make_unique<ProjectContent>(content);
    return true;
}

void RecoveryCopy::Leave()
{
    m_written.reset();
    if (m_lock >= 0)
        close(m_lock);
    m_lock = -1;
    m_stem.clear();
}

void RecoveryCopy::Remove()
{
    m_written.reset();
    if (m_lock < 0)
        return;
    RemoveRecoveryFiles(m_stem);
    close(m_lock);
    m_lock = -1;
    m_stem.clear();
}
