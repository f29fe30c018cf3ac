// OutputFile: what each kind of output path becomes; an ending signal takes the temporary file along.
#include "encoder/outputfile.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <wx/filefn.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace
{
// Every name in a folder, hidden ones and dangling links too, sorted.
std::vector<std::string> NamesIn(const wxString& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder.ToStdString(), error))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const wxString& path)
{
    struct stat info{};
    return stat(path.fn_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// "old" with mode 0640.
void MakeOld(const wxString& path)
{
    WriteBytes(path, "old");
    ASSERT_EQ(chmod(path.fn_str(), 0640), 0);
}
} // namespace

TEST(OutputFile, ReplacesARegularFileOrALinksTargetOnlyOnCommit)
{
    const mode_t mask = umask(0);
    umask(mask);
    // "out.gif" is new, an old file, or a link to sub/real.gif; `written` gets the bytes.
    struct Case { int kind; const char* written; mode_t mode; };
    const Case cases[] = {{0, "out.gif", mode_t(0666 & ~mask)}, {1, "out.gif", 0640}, {2, "sub/real.gif", 0640}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.written);
        TempDir dir;
        const wxString output = dir.File("out.gif"), written = dir.File(c.written);
        ASSERT_TRUE(wxMkdir(dir.File("sub")));
        const bool asRoot = geteuid() == 0;
        if (c.kind > 0)
            MakeOld(written);
        ASSERT_TRUE(c.kind == 0 || !asRoot || chown(written.fn_str(), 1234, 5678) == 0);  // someone else's, kept so
        ASSERT_TRUE(c.kind < 2 || symlink("sub/real.gif", output.fn_str()) == 0);
        const wxString folder = written.BeforeLast('/');
        const std::vector<std::string> before = NamesIn(folder);
        wxString error;
        OutputFile file, second;
        ASSERT_TRUE(file.Open(output, error)) << error;
        EXPECT_FALSE(second.Open(dir.File("other.gif"), error));
        ASSERT_EQ(file.File().Write("new", 3), 3u);
        // Hidden beside what it replaces, already with the final mode.
        std::vector<std::string> added = NamesIn(folder);
        for (const std::string& name : before)
            added.erase(std::find(added.begin(), added.end(), name));
        ASSERT_EQ(added.size(), 1u);
        const std::string name = c.written;
        EXPECT_EQ(added[0].rfind("." + name.substr(name.rfind('/') + 1) + ".", 0), 0u) << added[0];
        EXPECT_EQ(ModeOf(folder + "/" + added[0]), c.mode);
        EXPECT_EQ(ReadBytes(written), c.kind > 0 ? "old" : "");

        ASSERT_TRUE(file.Commit(error)) << error;
        EXPECT_EQ(ReadBytes(written), "new");
        EXPECT_EQ(ModeOf(written), c.mode);
        struct stat link{}, result{};
        EXPECT_EQ(lstat(output.fn_str(), &link) == 0 && S_ISLNK(link.st_mode), c.kind == 2);
        ASSERT_EQ(stat(written.fn_str(), &result), 0);
        EXPECT_TRUE(c.kind == 0 || !asRoot || (result.st_uid == 1234 && result.st_gid == 5678));
        EXPECT_EQ(NamesIn(folder).size(), c.kind > 0 ? before.size() : 2u);  // out.gif and sub
    }
    struct sigaction now{};
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);  // handed back
}

TEST(OutputFile, RefusesWhatIsNotARegularFileAndTouchesNothing)
{
    TempDir dir;
    ASSERT_TRUE(wxMkdir(dir.File("folder")) && mkfifo(dir.File("pipe").fn_str(), 0644) == 0 &&
                symlink("missing.gif", dir.File("dangling").fn_str()) == 0 &&
                symlink("folder", dir.File("tofolder").fn_str()) == 0 &&
                symlink("/dev/null", dir.File("tonull").fn_str()) == 0);
    const std::vector<std::string> names = NamesIn(dir.Path());

    struct Case { wxString output; const char* says; };
    const Case cases[] = {
        {dir.File("folder"), "it is a folder"},     {dir.File("pipe"), "it is not a regular file"},
        {"/dev/null", "it is not a regular file"}, {dir.File("dangling"), "does not exist"},
        {dir.File("tofolder"), "link to a folder"}, {dir.File("tonull"), "not a regular file"},
        {dir.File("no/such/out.gif"), std::strerror(ENOENT)}, {dir.File("pipe/out.gif"), std::strerror(ENOTDIR)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.output);
        OutputFile file;
        wxString error;
        EXPECT_FALSE(file.Open(c.output, error));
        EXPECT_TRUE(error.StartsWith("cannot write \"" + c.output + "\": ")) << error;
        EXPECT_NE(error.find(c.says), wxString::npos) << error;
        EXPECT_EQ(error.find('\n'), wxString::npos);
        EXPECT_EQ(NamesIn(dir.Path()), names);
    }
    struct stat null{};
    EXPECT_TRUE(stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode));
}

// A child writes part of an output and gets a signal: the temporary file goes, the old handler runs.
TEST(OutputFile, EndingSignalsRemoveTheTemporaryFile)
{
    struct Case { int signal; void (*before)(int); int diesOf, exits; const char* content; };
    const Case cases[] = {
        {SIGINT, SIG_DFL, SIGINT, -1, "old"}, {SIGTERM, [](int) { _exit(7); }, 0, 7, "old"},
        {SIGHUP, SIG_IGN, 0, 0, "partial"},  // under nohup the run goes on
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << strsignal(c.signal) << " " << c.exits);
        TempDir dir;
        MakeOld(dir.File("out.gif"));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            signal(c.signal, c.before);
            OutputFile file;
            wxString error;
            if (!file.Open(dir.File("out.gif"), error) || file.File().Write("partial", 7) != 7)
                _exit(2);
            raise(c.signal);
            _exit(file.Commit(error) ? 0 : 3);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_EQ(WIFSIGNALED(status) ? WTERMSIG(status) : 0, c.diesOf) << status;
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.exits) << status;
        EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{"out.gif"});
        EXPECT_EQ(ReadBytes(dir.File("out.gif")), c.content);
    }
}
