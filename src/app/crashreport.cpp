#include "app/crashreport.h"

void WriteCrashReport()
{
    // The report archive is not written yet; the hook is already in place so
    // that a crash reaches this point.
}
