#include "app/userdata.h"

#include "app/productinfo.h"
#include "app/textint.h"

#include "safefile/regularfile.h"

#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace
{
const int kEnglish = 58;
const size_t kLanguageFileBytes = 8;

wxString& DocumentsOverride()
{
    static wxString s_dir;
    return s_dir;
}

wxString DocumentsDir()
{
    if (!DocumentsOverride().empty())
        return DocumentsOverride();
    return wxStandardPaths::Get().GetDocumentsDir();
}

void MakeDirQuietly(const wxString& dir)
{
    if (wxDirExists(dir))
        return;
    wxLogNull quiet;
    wxMkdir(dir);
}
} // namespace

void SetDocumentsDirOverride(const wxString& dir)
{
    DocumentsOverride() = dir;
}

wxString GetUserDataDir()
{
    wxString dir = DocumentsDir();
    dir.Replace("\\", "/");
    dir += "/" + GetCompanyName() + " files";
    MakeDirQuietly(dir);
    dir += "/" + GetProductDisplayName();
    MakeDirQuietly(dir);
    return dir;
}

wxString GetLanguageFilePath()
{
    return GetUserDataDir() + "/language.txt";
}

int ReadLanguageFile()
{
    // Only a regular file is read: a FIFO or device under the name must not
    // hold the start up, and is not replaced either.
    RegularFile file;
    switch (file.Open(GetLanguageFilePath()))
    {
    case FileStatus::Ok:
        break;
    case FileStatus::Missing:
        WriteLanguageFile(kEnglish);
        return kEnglish;
    default:
        return 0;
    }
    std::string bytes;
    if (file.ReadStart(kLanguageFileBytes, bytes) != FileStatus::Ok)
        return 0;
    return TextToInt(bytes.c_str()); // the text also ends at an embedded zero byte
}

void WriteLanguageFile(int id)
{
    const wxCharBuffer path = GetLanguageFilePath().fn_str();
    if (!path.data())
        return;
    // Without waiting for a FIFO's reader, and into a regular file only.
    const int fd = open(path.data(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return;
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ftruncate(fd, 0) == 0)
    {
        const std::string text = std::to_string(id);
        [[maybe_unused]] const ssize_t written = write(fd, text.data(), text.size());
    }
    close(fd);
}
