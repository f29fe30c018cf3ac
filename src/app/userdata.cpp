#include "app/userdata.h"

#include "app/productinfo.h"
#include "app/textint.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

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
    const wxString path = GetLanguageFilePath();
    if (!wxFileExists(path))
    {
        WriteLanguageFile(kEnglish);
        return kEnglish;
    }
    wxLogNull quiet;
    wxFile file;
    if (!file.Open(path, wxFile::read))
        return 0;
    char buffer[kLanguageFileBytes + 1] = {};
    const ssize_t got = file.Read(buffer, kLanguageFileBytes);
    if (got <= 0)
        return 0;
    buffer[got] = '\0'; // the text also ends at an embedded zero byte
    return TextToInt(buffer);
}

void WriteLanguageFile(int id)
{
    wxLogNull quiet;
    wxFile file;
    if (!file.Open(GetLanguageFilePath(), wxFile::write))
        return;
    file.Write(wxString::Format("%d", id), wxConvUTF8);
}
