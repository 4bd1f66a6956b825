// Problems found in parameter block descriptors, kept until the loader takes them.
#include "DescriptorErrors.h"

#include <cstdio>
#include <mutex>
#include <vector>

#include "maxhost/DescriptorErrors.h"

namespace {

std::mutex& ErrorsMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<std::string>& Errors() {
    static std::vector<std::string> errors;
    return errors;
}

} // namespace

namespace MaxStandin {

void ReportDescriptorError(const std::string& message) {
    std::fprintf(stderr, "max_standin: %s\n", message.c_str());
    std::lock_guard<std::mutex> lock(ErrorsMutex());
    Errors().push_back(message);
}

} // namespace MaxStandin

namespace maxhost {

std::vector<std::string> TakeDescriptorErrors() {
    std::lock_guard<std::mutex> lock(ErrorsMutex());
    std::vector<std::string> taken;
    taken.swap(Errors());
    return taken;
}

} // namespace maxhost
