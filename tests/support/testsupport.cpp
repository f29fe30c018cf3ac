#include "support/testsupport.h"

#include <wx/filename.h>
#include <wx/image.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace testsupport
{
TempDir::TempDir()
{
    std::string name = (wxFileName::GetTempDir() + "/gloamer-test-XXXXXX").ToStdString();
    if (mkdtemp(name.data()))
        m_path = wxString::FromUTF8(name);
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

std::string CommandOutput(const std::string& command)
{
    std::string out;
    std::FILE* pipe = popen(command.c_str(), "r");
    for (int c; pipe && (c = std::fgetc(pipe)) != EOF;)
        out += static_cast<char>(c);
    if (pipe)
        pclose(pipe);
    return out;
}

bool RunIn(const wxString& dir, const std::string& command)
{
    return std::system(("cd '" + dir.ToStdString() + "' && " + command + " >/dev/null 2>&1").c_str()) == 0;
}

bool MakeClip(const TempDir& dir, const std::string& name, const std::string& source, const std::string& options)
{
    return RunIn(dir.Path(), "ffmpeg -nostdin -v error -y -f lavfi -i \"" + source + "\" " + options + " " + name);
}

std::string GreyRamp(int width, int height, double rate, double seconds)
{
    return "color=c=black:s=" + std::to_string(width) + "x" + std::to_string(height) + ":r=" + std::to_string(rate) +
           ":d=" + std::to_string(seconds) + ",format=yuv420p,geq=lum='16+8*N':cb=128:cr=128";
}

int GreyRampFrame(const wxImage& frame)
{
    const size_t values = 3 * static_cast<size_t>(frame.GetWidth()) * frame.GetHeight();
    double sum = 0;
    for (size_t i = 0; i < values; ++i)
        sum += frame.GetData()[i];
    // Luma 16 + 8n in limited range is RGB grey 8n * 255 / 219.
    return values ? static_cast<int>(std::lround(sum / values / (8 * 255.0 / 219))) : -1;
}
} // namespace testsupport
