#pragma once

#include <wx/string.h>

#include <string>

class wxImage;

namespace testsupport
{
// A fresh, empty folder under the temporary directory, removed with its contents.
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

// What a shell command writes to its standard output.
std::string CommandOutput(const std::string& command);

// Runs a shell command inside `dir`, its output discarded; true when it succeeded.
bool RunIn(const wxString& dir, const std::string& command);

// A clip made with ffmpeg in `dir` from the lavfi graph `source`, encoded with `options`.
bool MakeClip(const TempDir& dir, const std::string& name, const std::string& source, const std::string& options);

// A lavfi graph of `seconds` of width x height frames at `rate` per second, frame n flat grey
// of luma 16 + 8n (n up to 29), so that any frame read back tells which one it is.
std::string GreyRamp(int width, int height, double rate, double seconds);
// The ramp frame a picture shows (from its mean grey).
int GreyRampFrame(const wxImage& frame);
} // namespace testsupport
