#include "imaging/Files.h"

#include "imaging/Tool.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace imaging {
namespace {

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

std::string SystemReason() {
    return std::strerror(errno);
}

// ---- temporary files and fatal signals ---------------------------------------------------------

// The named temporary files, for the signal handler: a list it only reads, changed with the
// signals blocked, by the thread that writes the outputs while no other thread runs.
struct PendingFile {
    char* path;
    PendingFile* next;
};
std::atomic<PendingFile*> pendingFiles{nullptr};

// The signals whose default action ends the process. SIGXFSZ is ignored instead, so that a
// write beyond the file size limit fails and the run reports it.
constexpr int kFatalSignals[] = {SIGHUP,  SIGINT,  SIGQUIT, SIGILL,    SIGTRAP, SIGABRT,
                                 SIGBUS,  SIGFPE,  SIGUSR1, SIGSEGV,   SIGUSR2, SIGPIPE,
                                 SIGALRM, SIGTERM, SIGXCPU, SIGVTALRM, SIGPROF, SIGSYS};

extern "C" void RemovePendingFilesAndEnd(int signalNumber) {
    for (PendingFile* file = pendingFiles.load(); file != nullptr; file = file->next) {
        unlink(file->path);
    }
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

void InstallSignalCleanup() {
    static const bool installed = [] {
        // A handler for a stack overflow needs a stack of its own.
        static std::vector<char> alternate(std::max<std::size_t>(SIGSTKSZ, 65536));
        stack_t stack{};
        stack.ss_sp = alternate.data();
        stack.ss_size = alternate.size();
        sigaltstack(&stack, nullptr);
        struct sigaction action {};
        action.sa_handler = RemovePendingFilesAndEnd;
        action.sa_flags = SA_ONSTACK;
        sigfillset(&action.sa_mask);
        for (int signalNumber : kFatalSignals) {
            struct sigaction previous {};
            // A signal the caller ignores (nohup, a shell's background job) stays ignored.
            if (sigaction(signalNumber, nullptr, &previous) == 0 &&
                previous.sa_handler != SIG_IGN) {
                sigaction(signalNumber, &action, nullptr);
            }
        }
        signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)installed;
}

class SignalsBlocked {
public:
    SignalsBlocked() {
        sigset_t all;
        sigfillset(&all);
        sigprocmask(SIG_BLOCK, &all, &previous_);
    }
    ~SignalsBlocked() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

private:
    sigset_t previous_;
};

// Makes a temporary file with `create` (which may finish the name in place, as mkstemp does)
// and lists it, with the signals blocked in between, so that no signal can leave it behind
// unlisted. Returns what `create` returns; a negative result lists nothing.
template <typename Create> int CreateListed(std::string& path, const Create& create) {
    auto* file = new PendingFile{strdup(path.c_str()), nullptr};
    if (file->path == nullptr) {
        delete file;
        throw std::bad_alloc();
    }
    const SignalsBlocked blocked;
    const int result = create(path);
    if (result < 0) {
        const int error = errno; // for the caller's message
        std::free(file->path);
        delete file;
        errno = error;
        return result;
    }
    std::strcpy(file->path, path.c_str());
    file->next = pendingFiles.load();
    pendingFiles.store(file);
    return result;
}

void RemovePending(const std::string& path) {
    PendingFile* removed = nullptr;
    {
        const SignalsBlocked blocked;
        PendingFile* previous = nullptr;
        for (PendingFile* file = pendingFiles.load(); file != nullptr; file = file->next) {
            if (path == file->path) {
                if (previous != nullptr) {
                    previous->next = file->next;
                } else {
                    pendingFiles.store(file->next);
                }
                removed = file;
                break;
            }
            previous = file;
        }
    }
    if (removed != nullptr) {
        std::free(removed->path);
        delete removed;
    }
}

// ---- destinations ------------------------------------------------------------------------------

struct Place {
    std::string folder;
    std::string name;
};

Place PlaceOf(const std::string& path) {
    const std::filesystem::path whole(path);
    const std::string folder = whole.parent_path().string();
    return {folder.empty() ? std::string(".") : folder, whole.filename().string()};
}

// What stands at a destination: nothing, or a regular file; anything else is refused by name.
void CheckReplaceable(const std::string& destination) {
    struct stat info {};
    if (lstat(destination.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            return;
        }
        throw ToolError("cannot write " + Quoted(destination) + ": " + SystemReason());
    }
    if (S_ISREG(info.st_mode)) {
        return;
    }
    const char* kind = S_ISDIR(info.st_mode)    ? "a folder"
                       : S_ISLNK(info.st_mode)  ? "a symbolic link"
                       : S_ISFIFO(info.st_mode) ? "a pipe"
                       : S_ISSOCK(info.st_mode) ? "a socket"
                                                : "a device";
    throw ToolError("cannot write " + Quoted(destination) + ": it is " + kind +
                    ", and only a regular file is replaced");
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// A file with no name in the folder (O_TMPFILE), written and then linked in by its descriptor's
// name under /proc; -1 when the file system or /proc cannot do that.
int OpenUnnamed(const std::string& folder) {
    const int descriptor = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (descriptor >= 0 &&
        access(("/proc/self/fd/" + std::to_string(descriptor)).c_str(), F_OK) != 0) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}

// Links an unnamed file into its folder under a fresh temporary name, listed for the signal
// handler, and returns the name: "." + name + "." and six characters, as long as mkstemp's.
std::string NameUnnamed(int descriptor, const std::string& folder, const std::string& name) {
    const std::string source = "/proc/self/fd/" + std::to_string(descriptor);
    static unsigned long long counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned long long mix = static_cast<unsigned long long>(getpid()) * 1000003u + ++counter;
        std::string suffix;
        for (int i = 0; i < 6; ++i, mix /= 36) {
            suffix += "0123456789abcdefghijklmnopqrstuvwxyz"[mix % 36];
        }
        std::string temporary = folder + "/." + name + "." + suffix;
        const int linked = CreateListed(temporary, [&](std::string& path) {
            return linkat(AT_FDCWD, source.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
        });
        if (linked == 0) {
            return temporary;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    throw ToolError("cannot write in folder " + Quoted(folder) + ": " + SystemReason());
}

} // namespace

// ---- inputs ------------------------------------------------------------------------------------

InputFile::InputFile(const std::string& path, unsigned long long limit, const std::string& what)
    : path_(path) {
    // Checked before the file is opened, as opening a pipe or a device can block or act.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        throw ToolError("cannot open " + what + " " + Quoted(path) + ": " + SystemReason());
    }
    const auto check = [&](const struct stat& found) {
        if (S_ISDIR(found.st_mode)) {
            throw ToolError(Quoted(path) + " is a folder, not a " + what);
        }
        if (!S_ISREG(found.st_mode)) {
            throw ToolError(Quoted(path) + " is not a regular file, so it cannot be a " + what);
        }
        if (static_cast<unsigned long long>(found.st_size) > limit) {
            throw ToolError(Quoted(path) + " is larger than a " + what + " may be (" +
                            std::to_string(limit >> 20) + " MB)");
        }
    };
    check(info);
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) {
        throw ToolError("cannot open " + what + " " + Quoted(path) + ": " + SystemReason());
    }
    stream_.reset(fdopen(descriptor, "rb"));
    if (!stream_) {
        close(descriptor);
        throw ToolError("cannot open " + what + " " + Quoted(path) + ": " + SystemReason());
    }
    // What was opened is checked again: the name may have changed hands in between.
    if (fstat(descriptor, &info) != 0) {
        throw ToolError("cannot read " + Quoted(path) + ": " + SystemReason());
    }
    check(info);
    size_ = static_cast<unsigned long long>(info.st_size);
}

std::vector<unsigned char> InputFile::ReadAll() {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size_));
    if (std::fread(bytes.data(), 1, bytes.size(), stream_.get()) != bytes.size()) {
        throw ToolError("cannot read " + Quoted(path_) + ": it ended before its size");
    }
    return bytes;
}

// ---- outputs -----------------------------------------------------------------------------------

StagedOutputs::StagedOutputs() {
    InstallSignalCleanup();
}

StagedOutputs::~StagedOutputs() {
    for (Output& output : outputs_) {
        Discard(output);
    }
}

void StagedOutputs::Discard(Output& output) {
    if (output.unnamed >= 0) {
        close(output.unnamed);
        output.unnamed = -1;
    }
    if (!output.temporary.empty() && !output.committed) {
        unlink(output.temporary.c_str());
        RemovePending(output.temporary);
        output.temporary.clear();
    }
}

void StagedOutputs::Plan(const std::string& destination) {
    const Place place = PlaceOf(destination);
    if (place.name.empty() || place.name == "." || place.name == "..") {
        throw ToolError("cannot write " + Quoted(destination) + ": it names no file");
    }
    struct stat folder {};
    if (stat(place.folder.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
        throw ToolError("cannot write " + Quoted(destination) + ": folder " + Quoted(place.folder) +
                        " does not exist");
    }
    if (access(place.folder.c_str(), W_OK | X_OK) != 0) {
        throw ToolError("cannot write " + Quoted(destination) + ": folder " + Quoted(place.folder) +
                        ": " + SystemReason());
    }
    // The temporary file is "." + name + ".XXXXXX".
    const long nameMax = pathconf(place.folder.c_str(), _PC_NAME_MAX);
    if (place.name.size() + 8 > static_cast<std::size_t>(nameMax > 0 ? nameMax : NAME_MAX) ||
        destination.size() + 8 >= PATH_MAX) {
        throw ToolError("cannot write " + Quoted(destination) + ": the name is too long");
    }
    CheckReplaceable(destination);
    Output output;
    output.destination = destination;
    output.folder = place.folder;
    output.name = place.name;
    output.folderDevice = folder.st_dev;
    output.folderInode = folder.st_ino;
    for (const Output& other : outputs_) {
        const bool sameName = other.folderDevice == output.folderDevice &&
                              other.folderInode == output.folderInode && other.name == output.name;
        if (sameName || SameFile(other.destination, destination)) {
            throw ToolError(Quoted(other.destination) + " and " + Quoted(destination) +
                            " name the same file");
        }
    }
    outputs_.push_back(output);
}

void StagedOutputs::CheckNotInput(const std::string& input) const {
    const Place place = PlaceOf(input);
    struct stat folder {};
    const bool folderKnown = stat(place.folder.c_str(), &folder) == 0;
    for (const Output& output : outputs_) {
        const bool sameName = folderKnown && output.folderDevice == folder.st_dev &&
                              output.folderInode == folder.st_ino && output.name == place.name;
        if (sameName || SameFile(output.destination, input)) {
            throw ToolError("cannot write " + Quoted(output.destination) + ": it is the input " +
                            Quoted(input));
        }
    }
}

StagedOutputs::Output& StagedOutputs::Find(const std::string& destination) {
    for (Output& output : outputs_) {
        if (output.destination == destination) {
            return output;
        }
    }
    throw ToolError("cannot write " + Quoted(destination) + ": it was not checked first");
}

void StagedOutputs::Stage(const std::string& destination, const void* data, std::size_t size) {
    Output& output = Find(destination);
    Discard(output);
    // An unnamed file in the destination's folder vanishes by itself however the process ends,
    // even by SIGKILL; where the file system has none, or too many are open, a named
    // temporary file takes its place, removed on failure and by the signal handler.
    const auto unnamed = std::count_if(outputs_.begin(), outputs_.end(),
                                       [](const Output& o) { return o.unnamed >= 0; });
    int descriptor = unnamed < kMaxUnnamedFiles ? OpenUnnamed(output.folder) : -1;
    if (descriptor >= 0) {
        output.unnamed = descriptor;
    } else {
        std::string pattern = output.folder + "/." + output.name + ".XXXXXX";
        descriptor = CreateListed(pattern, [](std::string& path) { return mkstemp(path.data()); });
        if (descriptor < 0) {
            throw ToolError("cannot write in folder " + Quoted(output.folder) + ": " +
                            SystemReason());
        }
        output.temporary = pattern;
        // mkstemp makes files only the owner may read; a finished file gets what the umask
        // allows, as the unnamed file does.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(descriptor, 0666 & ~mask);
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t written = 0; written < size;) {
        const ssize_t n = write(descriptor, bytes + written, size - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const std::string reason = n < 0 ? SystemReason() : "nothing was written";
            Discard(output);
            throw ToolError("cannot write " + Quoted(destination) + ": " + reason);
        }
        written += static_cast<std::size_t>(n);
    }
    if (output.unnamed < 0 && close(descriptor) != 0) {
        const std::string reason = SystemReason();
        Discard(output);
        throw ToolError("cannot write " + Quoted(destination) + ": " + reason);
    }
}

void StagedOutputs::CommitAll() {
    for (const Output& output : outputs_) {
        if (output.temporary.empty() && output.unnamed < 0) {
            throw ToolError("cannot write " + Quoted(output.destination) + ": nothing was made");
        }
        CheckReplaceable(output.destination);
    }
    for (Output& output : outputs_) {
        if (output.unnamed >= 0) {
            // A name of its own first, as a link cannot replace the destination.
            output.temporary = NameUnnamed(output.unnamed, output.folder, output.name);
            close(output.unnamed);
            output.unnamed = -1;
        }
        if (std::rename(output.temporary.c_str(), output.destination.c_str()) != 0) {
            throw ToolError("cannot write " + Quoted(output.destination) + ": " + SystemReason());
        }
        output.committed = true;
        RemovePending(output.temporary);
    }
}

} // namespace imaging
