// Outputs as every tool writes them, where the program's own tests cannot easily reach: a
// destination that changes after its check, the named temporary files the signal handler
// removes, the file size limit. And the tools' main, which turns every failure into one line
// and an exit status. (tests/preview holds the tool to the rest with special files.)
#include "imaging/Files.h"
#include "imaging/Tool.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace imaging;

namespace {

class Folder {
public:
    Folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "nacreen-files-XXXXXX");
        path_ = mkdtemp(pattern.data());
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

std::string Text(const std::string& path) {
    std::ifstream stream(path);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

// The message of the ToolError that `act` throws; "" when it throws none.
std::string Refusal(const std::function<void()>& act) {
    try {
        act();
    } catch (const ToolError& error) {
        return error.what();
    }
    return "";
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Runs `child` in a process of its own; its exit status, or 128 + the signal that ended it.
int InChild(const std::function<int()>& child) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int status = child();
        std::fflush(nullptr);
        _exit(status);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

TEST(StagedOutputs, NothingIsInPlaceUntilEveryOutputIsWrittenAndNothingStaysOnFailure) {
    Folder folder;
    std::ofstream(folder / "old.png") << "old";
    {
        StagedOutputs outputs;
        outputs.Plan(folder / "old.png");
        outputs.Plan(folder / "new.png");
        outputs.Stage(folder / "old.png", "first", 5);
        EXPECT_EQ(Text(folder / "old.png"), "old");
    } // the second output was never written: the run failed
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"old.png"});
    EXPECT_EQ(Text(folder / "old.png"), "old");
    {
        // A destination that turns into something else after the check is not replaced.
        StagedOutputs outputs;
        outputs.Plan(folder / "old.png");
        outputs.Plan(folder / "late.png");
        outputs.Stage(folder / "old.png", "first", 5);
        outputs.Stage(folder / "late.png", "second", 6);
        ASSERT_EQ(mkfifo((folder / "late.png").c_str(), 0600), 0);
        EXPECT_TRUE(Has(Refusal([&] { outputs.CommitAll(); }), "it is a pipe"));
    }
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"late.png", "old.png"}));
    EXPECT_EQ(Text(folder / "old.png"), "old");
    std::filesystem::remove(folder / "late.png");
    {
        StagedOutputs outputs;
        outputs.Plan(folder / "old.png");
        outputs.Plan(folder / "new.png");
        outputs.Stage(folder / "old.png", "first", 5);
        outputs.Stage(folder / "new.png", "second", 6);
        outputs.CommitAll();
    }
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"new.png", "old.png"}));
    EXPECT_EQ(Text(folder / "old.png"), "first");
    struct stat info {};
    stat((folder / "new.png").c_str(), &info);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << "the usual permissions, not mkstemp's";
}

TEST(StagedOutputs, ASignalOrTheFileSizeLimitLeavesNoTemporaryFile) {
    Folder folder;
    // Enough outputs that the last ones wait under a name, which the signal handler removes.
    const auto stageThen = [&](const std::function<void()> after, std::size_t size) {
        return InChild([&] {
            StagedOutputs outputs;
            const std::vector<char> bytes(size, 'x');
            for (int frame = 0; frame < 70; ++frame) {
                const std::string destination = folder / ("frame" + std::to_string(frame));
                outputs.Plan(destination);
                try {
                    outputs.Stage(destination, bytes.data(), bytes.size());
                } catch (const ToolError& error) {
                    return Has(error.what(), "File too large") ? 3 : 4;
                }
            }
            after();
            return 0;
        });
    };
    EXPECT_EQ(stageThen([] { std::raise(SIGTERM); }, 10), 128 + SIGTERM);
    EXPECT_EQ(stageThen([] { std::raise(SIGSEGV); }, 10), 128 + SIGSEGV);
    EXPECT_TRUE(folder.Entries().empty());
    EXPECT_EQ(stageThen([] {}, 10), 0);
    EXPECT_TRUE(folder.Entries().empty()) << "nothing is in place without a commit";
    const int limited = InChild([&] {
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        return stageThen([] {}, 5000);
    });
    EXPECT_EQ(limited, 3) << "the write fails instead of SIGXFSZ ending the run";
    EXPECT_TRUE(folder.Entries().empty());
}

TEST(Tool, EveryFailureIsOneLineOnStandardErrorAndAnExitStatus) {
    Folder folder;
    const auto run = [&](const std::function<int()>& body, const char* out = "/dev/null") {
        const int status = InChild([&] {
            std::freopen((folder / "err").c_str(), "w", stderr);
            std::freopen(out, "w", stdout);
            return RunTool("tool", body);
        });
        return std::to_string(status) + " " + Text(folder / "err");
    };
    EXPECT_EQ(run([] { return 0; }), "0 ");
    EXPECT_EQ(run([]() -> int { throw UsageError("--size 9: too small"); }),
              "2 tool: --size 9: too small (see --help)\n");
    EXPECT_EQ(run([]() -> int { throw std::runtime_error("two\nlines"); }), "1 tool: two lines\n");
    EXPECT_EQ(run([]() -> int { throw std::bad_alloc(); }), "1 tool: out of memory\n");
    EXPECT_EQ(run([]() -> int { throw 42; }), "1 tool: failed for an unknown reason\n");
    EXPECT_EQ(run([] { return std::puts("a table") < 0 ? 5 : 0; }, "/dev/full"),
              "1 tool: cannot write to standard output: No space left on device\n");
}
