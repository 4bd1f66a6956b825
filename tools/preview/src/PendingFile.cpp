#include "PendingFile.h"

#include "InterruptCleanup.h"
#include "PreviewError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace preview {
namespace {

std::string FolderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string NameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// mkstemp creates files readable by the owner only; a finished image should get the usual
// permissions that the user's umask allows.
void GiveUsualPermissions(const std::string& path) {
    const mode_t mask = umask(0);
    umask(mask);
    chmod(path.c_str(), 0666 & ~mask);
}

} // namespace

PendingFile::PendingFile(std::string destination) : destination_(std::move(destination)) {
    if (destination_.empty() || NameOf(destination_).empty()) {
        throw PreviewError("no file name given for the output");
    }
    const std::string pattern = FolderOf(destination_) + "/." + NameOf(destination_) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int descriptor = mkstemp(buffer.data());
    if (descriptor < 0) {
        throw PreviewError("cannot write in folder '" + FolderOf(destination_) +
                           "': " + std::strerror(errno));
    }
    close(descriptor);
    temporary_ = buffer.data();
    SetInterruptCleanupPath(temporary_.c_str());
    GiveUsualPermissions(temporary_);
}

PendingFile::~PendingFile() {
    SetInterruptCleanupPath(nullptr);
    if (!committed_) {
        std::remove(temporary_.c_str());
    }
}

void PendingFile::Commit() {
    if (std::rename(temporary_.c_str(), destination_.c_str()) != 0) {
        throw PreviewError("cannot write '" + destination_ + "': " + std::strerror(errno));
    }
    committed_ = true;
    SetInterruptCleanupPath(nullptr);
}

} // namespace preview
