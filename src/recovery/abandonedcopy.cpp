#include "recovery/abandonedcopy.h"

#include "project/projectfile.h"
#include "recovery/recoveryfolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace
{
bool EndsWith(const std::string& text, const char* suffix)
{
    const size_t length = std::strlen(suffix);
    return text.size() > length && text.compare(text.size() - length, length, suffix) == 0;
}

// The lock of a copy, taken when its owner is gone; -1 while the owner
// holds it (or the lock file cannot be had).
int LockIfAbandoned(const std::string& stem)
{
    const int fd = open((stem + kLockSuffix).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        close(fd);
        return -1;
    }
    return fd;
}
} // namespace

AbandonedCopy::AbandonedCopy(std::string stem, int lock)
    : m_stem(std::move(stem)), m_lock(lock)
{
}

AbandonedCopy::~AbandonedCopy()
{
    if (m_lock >= 0)
        close(m_lock);
}

std::unique_ptr<AbandonedCopy> AbandonedCopy::FindNewest(const wxString& folder)
{
    const wxCharBuffer name = folder.fn_str();
    const std::string directory = name.data() ? name.data() : "";
    DIR* listing = directory.empty() ? nullptr : opendir(directory.c_str());
    if (!listing)
        return nullptr;
    std::string newest;
    int newestLock = -1;
    struct timespec newestTime = {};
    while (const dirent* entry = readdir(listing))
    {
        const std::string file = entry->d_name;
        const bool copy = EndsWith(file, kCopySuffix);
        if (!copy && !EndsWith(file, kLockSuffix))
            continue;
        const std::string stem =
            directory + "/" + file.substr(0, file.size() - std::strlen(copy ? kCopySuffix : kLockSuffix));
        struct stat info;
        const bool hasCopy = lstat((stem + kCopySuffix).c_str(), &info) == 0 && S_ISREG(info.st_mode);
        if (!copy && hasCopy)
            continue; // seen under its copy's name
        const int lock = LockIfAbandoned(stem);
        if (lock < 0)
            continue; // its window still runs
        if (!hasCopy)
        {
            // A gone owner's lock without a copy: nothing to offer.
            RemoveRecoveryFiles(stem);
            close(lock);
            continue;
        }
        const bool newer = newestLock < 0 || info.st_mtim.tv_sec > newestTime.tv_sec ||
                           (info.st_mtim.tv_sec == newestTime.tv_sec && info.st_mtim.tv_nsec > newestTime.tv_nsec);
        if (!newer)
        {
            close(lock);
            continue;
        }
        if (newestLock >= 0)
            close(newestLock);
        newest = stem;
        newestLock = lock;
        newestTime = info.st_mtim;
    }
    closedir(listing);
    if (newestLock < 0)
        return nullptr;
    return std::unique_ptr<AbandonedCopy>(new AbandonedCopy(newest, newestLock));
}

ProjectRead AbandonedCopy::Read(ProjectContent& content) const
{
    return ReadProjectFile(wxString((m_stem + kCopySuffix).c_str(), *wxConvFileName), content);
}

void AbandonedCopy::Discard()
{
    if (m_lock < 0)
        return;
    RemoveRecoveryFiles(m_stem);
    close(m_lock);
    m_lock = -1;
}
