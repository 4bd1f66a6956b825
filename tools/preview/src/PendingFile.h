#pragma once

#include <string>

namespace preview {

// A file written in full under a temporary name beside its destination and renamed over it
// only once complete, so a reader never sees half a file and a failure leaves nothing behind.
class PendingFile {
public:
    // Creates the temporary file in the destination's folder; throws PreviewError if the
    // folder cannot be written.
    explicit PendingFile(std::string destination);
    ~PendingFile();

    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::string& TemporaryPath() const { return temporary_; }
    const std::string& Destination() const { return destination_; }

    // Renames the temporary file to the destination; throws PreviewError on failure.
    void Commit();

private:
    std::string destination_;
    std::string temporary_;
    bool committed_ = false;
};

} // namespace preview
