#include "support/testsupport.h"

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include <fstream>
#include <iterator>
#include <string>

namespace testsupport
{
TempDir::TempDir()
{
    wxString templ = wxFileName::GetTempDir() + "/gloamer-test-XXXXXX";
    std::string buf = templ.ToStdString();
    if (mkdtemp(buf.data()))
        m_path = wxString::FromUTF8(buf.c_str());
}

TempDir::~TempDir()
{
    if (!m_path.empty())
        wxFileName::Rmdir(m_path, wxPATH_RMDIR_RECURSIVE);
}

std::string ReadBytes(const wxString& path)
{
    std::ifstream in(path.ToStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const wxString& path, const std::string& bytes)
{
    std::ofstream out(path.ToStdString(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
} // namespace testsupport
