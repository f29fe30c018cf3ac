#include "app/fatalsignal.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

extern char** environ;

const char* const kCrashReportOption = "--crash-report";

namespace
{
const int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// Everything the handler touches exists before it runs: it must not
// allocate, and after a stack overflow it has only the alternate stack.
alignas(16) char g_alternateStack[256 * 1024];
char g_executable[PATH_MAX + 1] = "gloamer";
char g_option[32];
char* g_arguments[] = {g_executable, g_option, nullptr};
char g_buffer[4096];
volatile sig_atomic_t g_handling = 0;

// Text built in a fixed buffer with nothing but plain stores.
class Line
{
public:
    Line& operator<<(const char* text)
    {
        while (*text && m_used < sizeof g_buffer)
            g_buffer[m_used++] = *text++;
        return *this;
    }
    Line& Hex(unsigned long value)
    {
        char digits[2 + 2 * sizeof value + 1];
        size_t at = sizeof digits - 1;
        digits[at] = '\0';
        do
        {
            digits[--at] = "0123456789abcdef"[value % 16];
            value /= 16;
        } while (value != 0);
        digits[--at] = 'x';
        digits[--at] = '0';
        return *this << digits + at;
    }
    Line& Decimal(long value)
    {
        char digits[24];
        size_t at = sizeof digits - 1;
        digits[at] = '\0';
        const bool negative = value < 0;
        unsigned long magnitude = negative ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
        do
        {
            digits[--at] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (negative)
            digits[--at] = '-';
        return *this << digits + at;
    }
    size_t Size() const { return m_used; }

private:
    size_t m_used = 0;
};

void WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return; // the reporter is gone
        data += written;
        size -= static_cast<size_t>(written);
    }
}

const char* SignalName(int signal)
{
    switch (signal)
    {
    case SIGSEGV: return "SIGSEGV (invalid memory access)";
    case SIGBUS: return "SIGBUS (bus error)";
    case SIGFPE: return "SIGFPE (arithmetic error)";
    case SIGILL: return "SIGILL (illegal instruction)";
    case SIGABRT: return "SIGABRT (aborted)";
    default: return "?";
    }
}

// What the reporter cannot find out itself: the signal, where it struck, and
// where the program's libraries lay in memory.
void WriteDetails(int fd, int signal, const siginfo_t* info, const void* context)
{
    Line line;
    line << "signal " << SignalName(signal) << " " ;
    line.Decimal(signal) << "\ncode ";
    line.Decimal(info ? info->si_code : 0) << "\naddress ";
    line.Hex(reinterpret_cast<unsigned long>(info ? info->si_addr : nullptr)) << "\n";
#if defined(__x86_64__)
    if (context)
    {
        const auto* registers = static_cast<const ucontext_t*>(context)->uc_mcontext.gregs;
        line << "instruction ";
        line.Hex(static_cast<unsigned long>(registers[REG_RIP])) << "\nstack ";
        line.Hex(static_cast<unsigned long>(registers[REG_RSP])) << "\n";
    }
#endif
    line << "process ";
    line.Decimal(getpid()) << "\n\nmemory map:\n";
    WriteAll(fd, g_buffer, line.Size());

    const int maps = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (maps < 0)
        return;
    for (;;)
    {
        const ssize_t got = read(maps, g_buffer, sizeof g_buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        WriteAll(fd, g_buffer, static_cast<size_t>(got));
    }
    close(maps);
}

void OnFatalSignal(int signal, siginfo_t* info, void* context)
{
    const int savedErrno = errno;
    if (!g_handling)
    {
        g_handling = 1;
        int pipeEnds[2];
        if (pipe2(pipeEnds, O_CLOEXEC) == 0)
        {
            // _Fork runs no fork handlers: nothing but the system call.
            const pid_t reporter = _Fork();
            if (reporter == 0)
            {
                dup2(pipeEnds[0], STDIN_FILENO);
                sigset_t none;
                sigemptyset(&none);
                sigprocmask(SIG_SETMASK, &none, nullptr);
                execve("/proc/self/exe", g_arguments, environ);
                _exit(127);
            }
            close(pipeEnds[0]);
            if (reporter > 0)
                WriteDetails(pipeEnds[1], signal, info, context);
            close(pipeEnds[1]);
            int status = 0;
            while (reporter > 0 && waitpid(reporter, &status, 0) < 0 && errno == EINTR)
            {
            }
        }
    }
    errno = savedErrno;
    // The handler was reset on entry: the signal, held until this returns,
    // ends the process as it would have without a handler.
    raise(signal);
}
} // namespace

void InstallFatalSignalHandler()
{
    const ssize_t length = readlink("/proc/self/exe", g_executable, sizeof g_executable - 1);
    if (length > 0)
        g_executable[length] = '\0';
    std::strncpy(g_option, kCrashReportOption, sizeof g_option - 1);

    stack_t stack{};
    stack.ss_sp = g_alternateStack;
    stack.ss_size = sizeof g_alternateStack;
    sigaltstack(&stack, nullptr);

    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigfillset(&action.sa_mask); // SIGPIPE too: a vanished reporter gives EPIPE
    for (const int signal : kSignals)
        sigaction(signal, &action, nullptr);
}
