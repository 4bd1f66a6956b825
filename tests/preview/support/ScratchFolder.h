#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder per test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    // Every entry in the folder, hidden ones included.
    std::vector<std::string> Entries() const;

private:
    std::filesystem::path folder_;
};
