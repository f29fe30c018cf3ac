#pragma once
// A GIF file being written, by gloamer-cli or by the window's Save: a hidden
// temporary file beside the real target, renamed onto it only when everything
// was written. Until then the target is
// untouched, and the temporary file goes when this object goes or when the
// process is ended by SIGINT, SIGTERM or SIGHUP.

#include <wx/file.h>
#include <wx/string.h>

#include <string>

class OutputFile
{
public:
    OutputFile() = default;
    // Removes a temporary file that was not committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Decides the real target of `output` (a symbolic link to a regular file
    // is written through to that file) and creates the temporary file beside
    // it, with the existing target's permissions. Refuses, with a one-line
    // reason in `error` and without creating anything, a path that exists and
    // is not a regular file, a dangling link, an unusable folder, or a second
    // OutputFile while one is open in the process.
    bool Open(const wxString& output, wxString& error);

    // The temporary file, open for writing; valid between Open and Commit.
    wxFile& File() { return m_file; }

    // Puts the written bytes on disk and renames them onto the target. On
    // failure returns false with a one-line reason; the destructor then
    // removes the temporary file.
    bool Commit(wxString& error);

private:
    // Removes the temporary file if there is one, and lets the signals go.
    void Discard();
    void Release();

    wxString m_output;        // as the user gave it, for messages
    std::string m_name;       // the target's name in its folder
    std::string m_tempName;   // the temporary file's name in the same folder
    int m_folder = -1;        // the target's folder, held open
    wxFile m_file;
    bool m_holding = false;   // this object owns the temporary file and the handlers
};
