#pragma once
// A window's own recovery copy (see recoveryfolder.h). The copy is written
// whole beside its place and renamed onto it, so that a crash at any moment
// leaves either the old copy or the new one. The copy and its lock go when
// this object goes: a clean end.

#include <wx/string.h>

#include <memory>
#include <string>

struct ProjectContent;

class RecoveryCopy
{
public:
    explicit RecoveryCopy(const wxString& folder);
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Writes `content` unless the copy already holds it. False when it could
    // not be written; the previous copy then stays.
    bool Keep(const ProjectContent& content);
    // Removes the copy and lets its lock go (there is no work to keep).
    void Remove();
    // Lets the lock go but leaves the copy, for the next start to offer
    // (work that has to go unsaved).
    void Leave();
    // The copy's file; empty before the first Keep.
    wxString GetPath() const;

private:
    bool Claim();

    const std::string m_folder;
    std::string m_stem; // the folder and the copy's name without extension
    int m_lock = -1;
    std::unique_ptr<ProjectContent> m_written;
};
