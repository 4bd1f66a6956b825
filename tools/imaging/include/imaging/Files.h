// Files the way every tool handles them. An input is read only when it is a regular file no
// larger than its kind may be, checked before anything is read. An output is checked before any
// work starts, written whole into a file of its own beside its destination, and put in place
// only once every output of the run is complete; whatever fails, or whatever signal ends the
// process, no temporary file stays behind.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace imaging {

// A regular file open for reading.
class InputFile {
public:
    // `what` names the kind of file in messages ("scene file", "thickness map"). Throws
    // ToolError for a missing file, a folder, a device, a pipe or anything else that is not a
    // regular file, and a file larger than `limit` bytes.
    InputFile(const std::string& path, unsigned long long limit, const std::string& what);

    std::FILE* Stream() const { return stream_.get(); }
    unsigned long long Size() const { return size_; }
    // The whole file, read no further than its size.
    std::vector<unsigned char> ReadAll();

private:
    struct Closer {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };
    std::string path_;
    std::unique_ptr<std::FILE, Closer> stream_;
    unsigned long long size_ = 0;
};

// The files one run writes.
class StagedOutputs {
public:
    // Makes fatal signals remove the temporary files of every run before the process ends, and
    // a write beyond the file size limit fail instead of ending it.
    StagedOutputs();
    // Removes every temporary file that was not put in place.
    ~StagedOutputs();
    StagedOutputs(const StagedOutputs&) = delete;
    StagedOutputs& operator=(const StagedOutputs&) = delete;

    // Checks a destination before any work: a file name with room for its temporary file
    // beside it, in a folder that exists and can be written; in its place nothing or a regular
    // file, never a folder, a link, a device or a pipe; and no other destination of the run
    // naming the same file. Throws ToolError.
    void Plan(const std::string& destination);
    // Throws ToolError when a planned destination names this input file.
    void CheckNotInput(const std::string& input) const;
    // Writes the bytes of a planned destination under its temporary name. Throws ToolError.
    void Stage(const std::string& destination, const void* data, std::size_t size);
    // Puts every staged file in place, after checking again that each destination holds a
    // regular file or nothing. Throws ToolError.
    void CommitAll();

private:
    struct Output {
        std::string destination;
        std::string folder;
        std::string name;
        unsigned long long folderDevice = 0, folderInode = 0;
        int unnamed = -1;      // the staged file when it has no name yet
        std::string temporary; // or its temporary name
        bool committed = false;
    };
    // Unnamed files stay open until the commit; past this many, files wait under a name.
    static constexpr long kMaxUnnamedFiles = 64;

    Output& Find(const std::string& destination);
    static void Discard(Output& output);

    std::vector<Output> outputs_;
};

} // namespace imaging
