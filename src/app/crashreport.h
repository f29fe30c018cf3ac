#pragma once
// Crash report written when the program dies from a fatal exception.

void WriteCrashReport();
