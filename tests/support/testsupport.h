#pragma once
// Helpers shared by the test suites.

#include <wx/string.h>

#include <string>

namespace testsupport
{
// A fresh, empty folder under the temporary directory; removed with its
// contents when the object goes.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const wxString& Path() const { return m_path; }
    wxString File(const wxString& name) const { return m_path + "/" + name; }

private:
    wxString m_path;
};

// Whole content of a file as bytes (empty when unreadable).
std::string ReadBytes(const wxString& path);
void WriteBytes(const wxString& path, const std::string& bytes);
} // namespace testsupport
