#pragma once
// The program's answer to a fatal signal (SIGSEGV, a stack overflow included,
// SIGBUS, SIGFPE, SIGILL, SIGABRT). The dying process does only what is safe
// inside a signal handler: on an alternate stack, with state prepared at
// start-up, it starts the program itself again with kCrashReportOption,
// passes it what it knows of the crash on standard input, waits for it, and
// then ends with the signal it got. The new process writes the report and
// tells the user (RunCrashReporter).

// The private option of the reporting process.
extern const char* const kCrashReportOption;

// Prepares everything the handler needs and installs it. The alternate stack
// serves the thread that calls this (the main thread).
void InstallFatalSignalHandler();
