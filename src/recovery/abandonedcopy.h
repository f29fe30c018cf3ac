#pragma once
// A recovery copy left by a run that did not end cleanly (see
// recoveryfolder.h), locked by this process while it is offered, so that a
// second start at the same moment does not offer it too.

#include <wx/string.h>

#include <memory>
#include <string>

struct ProjectContent;
enum class ProjectRead;

class AbandonedCopy
{
public:
    // The newest copy in `folder` whose owner is gone; null when there is
    // none. Stale lock and temporary files of gone owners are removed.
    static std::unique_ptr<AbandonedCopy> FindNewest(const wxString& folder);

    ~AbandonedCopy(); // lets the lock go; the copy stays
    AbandonedCopy(const AbandonedCopy&) = delete;
    AbandonedCopy& operator=(const AbandonedCopy&) = delete;

    ProjectRead Read(ProjectContent& content) const;
    // Removes the copy for good.
    void Discard();

private:
    AbandonedCopy(std::string stem, int lock);

    std::string m_stem; // the folder and the copy's name without extension
    int m_lock;
};
