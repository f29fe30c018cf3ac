#include "recovery/recoveryfolder.h"

#include "app/userdata.h"

#include <unistd.h>

const char* const kCopySuffix = ".xml";
const char* const kLockSuffix = ".lock";
const char* const kTempSuffix = ".tmp";

wxString GetRecoveryFolder()
{
    return GetUserDataDir() + "/Recovery";
}

void RemoveRecoveryFiles(const std::string& stem)
{
    unlink((stem + kCopySuffix).c_str());
    unlink((stem + kTempSuffix).c_str());
    unlink((stem + kLockSuffix).c_str());
}
