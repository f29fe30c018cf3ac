#include "encoder/outputfile.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
const size_t kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);
const size_t kSuffixLength = 8;

// What the signal handler reads: plain storage, so that it neither allocates
// nor takes a lock. Only changed while the signals are blocked.
volatile sig_atomic_t g_armed = 0;
int g_pendingFolder = -1;
char g_pendingName[NAME_MAX + 1];
struct sigaction g_previous[kSignalCount];
bool g_installed[kSignalCount];
bool g_inUse = false;

void OnEndingSignal(int signal)
{
    const int saved = errno;
    if (g_armed)
        unlinkat(g_pendingFolder, g_pendingName, 0);
    g_armed = 0;
    for (size_t i = 0; i < kSignalCount; ++i)
    {
        if (kSignals[i] == signal)
            sigaction(signal, &g_previous[i], nullptr);
    }
    // Blocked until this handler returns, then handled as it was before:
    // by default the process ends with this signal.
    raise(signal);
    errno = saved;
}

void InstallHandlers()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = OnEndingSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals)
        sigaddset(&action.sa_mask, signal);
    for (size_t i = 0; i < kSignalCount; ++i)
    {
        g_installed[i] = false;
        if (sigaction(kSignals[i], nullptr, &g_previous[i]) != 0)
            continue;
        // A signal the user chose to ignore (nohup) stays ignored.
        if (!(g_previous[i].sa_flags & SA_SIGINFO) && g_previous[i].sa_handler == SIG_IGN)
            continue;
        g_installed[i] = sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

void RestoreHandlers()
{
    for (size_t i = 0; i < kSignalCount; ++i)
    {
        if (g_installed[i])
            sigaction(kSignals[i], &g_previous[i], nullptr);
        g_installed[i] = false;
    }
}

// Holds SIGINT, SIGTERM and SIGHUP back while the handler's state changes; one
// that arrives meanwhile is handled when this goes.
class SignalBlock
{
public:
    SignalBlock()
    {
        sigset_t set;
        sigemptyset(&set);
        for (const int signal : kSignals)
            sigaddset(&set, signal);
        pthread_sigmask(SIG_BLOCK, &set, &m_old);
    }
    ~SignalBlock() { pthread_sigmask(SIG_SETMASK, &m_old, nullptr); }
    SignalBlock(const SignalBlock&) = delete;
    SignalBlock& operator=(const SignalBlock&) = delete;

private:
    sigset_t m_old;
};

std::string RandomSuffix()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char bytes[kSuffixLength];
    if (getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes))
    {
        // O_EXCL keeps the file safe anyway; the name only has to vary.
        static unsigned long s_counter = 0;
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        unsigned long mix = static_cast<unsigned long>(now.tv_nsec) ^ (static_cast<unsigned long>(getpid()) << 20) ^
                            (++s_counter * 2654435761UL);
        for (unsigned char& byte : bytes)
        {
            mix = mix * 6364136223846793005UL + 1442695040888963407UL;
            byte = static_cast<unsigned char>(mix >> 33);
        }
    }
    std::string suffix;
    for (const unsigned char byte : bytes)
        suffix += kLetters[byte % (sizeof kLetters - 1)];
    return suffix;
}

wxString Reason(int code)
{
    return wxString(std::strerror(code));
}
} // namespace

OutputFile::~OutputFile()
{
    Discard();
}

bool OutputFile::Open(const wxString& output, wxString& error)
{
    const auto refuse = [&](const wxString& reason)
    {
        error = wxString::Format("cannot write \"%s\": %s", output, reason);
        return false;
    };
    if (m_holding || g_inUse)
        return refuse("another output file is being written");

    const wxCharBuffer encoded = output.fn_str();
    const std::string given = encoded.data() ? encoded.data() : "";
    if (given.empty())
        return refuse("the name cannot be used as a file name here");

    // Decide what gets replaced: the path itself, or the file a link leads to.
    std::string target = given;
    struct stat existing;
    bool exists = false;
    if (lstat(given.c_str(), &existing) == 0)
    {
        exists = true;
        if (S_ISLNK(existing.st_mode))
        {
            if (stat(given.c_str(), &existing) != 0)
            {
                if (errno == ENOENT)
                    return refuse("it is a symbolic link to a file that does not exist");
                return refuse("it is a symbolic link that cannot be followed: " + Reason(errno));
            }
            if (S_ISDIR(existing.st_mode))
                return refuse("it is a symbolic link to a folder");
            if (!S_ISREG(existing.st_mode))
                return refuse("it is a symbolic link to something that is not a regular file");
            const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(given.c_str(), nullptr), &std::free);
            if (!resolved)
                return refuse(Reason(errno));
            target = resolved.get();
        }
        else if (S_ISDIR(existing.st_mode))
            return refuse("it is a folder");
        else if (!S_ISREG(existing.st_mode))
            return refuse("it is not a regular file");
    }
    else if (errno != ENOENT)
        return refuse(Reason(errno));

    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.empty())
        return refuse("it names a folder");

    // Held open so that the rename and the signal handler reach the same
    // folder whatever happens to the current directory or the path.
    int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0 && errno == EACCES)
        folderFd = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return refuse(Reason(errno));

    // "." + name + "." + suffix, within the longest name a folder holds.
    const std::string stem = name.substr(0, NAME_MAX - 2 - kSuffixLength);
    const SignalBlock block;
    std::string tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt)
    {
        tempName = "." + stem + "." + RandomSuffix();
        // A new output gets the usual mode; a replaced one its own, below.
        fd = openat(folderFd, tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
    {
        const int code = errno;
        close(folderFd);
        return refuse(Reason(code));
    }

    std::memcpy(g_pendingName, tempName.c_str(), tempName.size() + 1);
    g_pendingFolder = folderFd;
    g_armed = 1;
    InstallHandlers();
    g_inUse = true;
    m_holding = true;
    m_output = output;
    m_name = name;
    m_tempName = tempName;
    m_folder = folderFd;
    m_file.Attach(fd);

    if (exists)
    {
        // Owner first, as a change of owner clears the set-id bits. Where the
        // owner cannot be given, the file is the writer's, with the same mode.
        if (geteuid() == 0)
        {
            [[maybe_unused]] const int owned = fchown(fd, existing.st_uid, existing.st_gid);
        }
        fchmod(fd, existing.st_mode & 07777);
    }
    return true;
}

bool OutputFile::Commit(wxString& error)
{
    const auto fail = [&](const wxString& reason)
    {
        error = wxString::Format("cannot write \"%s\": %s", m_output, reason);
        return false;
    };
    if (!m_holding || !m_file.IsOpened())
        return fail("the file is not open");
    if (fsync(m_file.fd()) != 0)
        return fail(Reason(errno));
    if (close(m_file.Detach()) != 0)
        return fail(Reason(errno));

    const SignalBlock block;
    if (renameat(m_folder, m_tempName.c_str(), m_folder, m_name.c_str()) != 0)
        return fail(Reason(errno));
    g_armed = 0;
    m_tempName.clear();
    // Best effort: makes the rename itself last through a crash.
    fsync(m_folder);
    Release();
    return true;
}

void OutputFile::Discard()
{
    if (!m_holding)
        return;
    const SignalBlock block;
    m_file.Close();
    if (!m_tempName.empty())
        unlinkat(m_folder, m_tempName.c_str(), 0);
    m_tempName.clear();
    Release();
}

// Closes everything and hands the signals back to their previous handling.
void OutputFile::Release()
{
    const SignalBlock block;
    g_armed = 0;
    RestoreHandlers();
    m_file.Close();
    if (m_folder >= 0)
        close(m_folder);
    m_folder = -1;
    g_pendingFolder = -1;
    g_inUse = false;
    m_holding = false;
}
