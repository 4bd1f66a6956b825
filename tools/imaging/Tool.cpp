#include "imaging/Tool.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>

namespace imaging {
namespace {

// A message is printed as one line, whatever an exception's text holds.
std::string OneLine(std::string message) {
    for (char& c : message) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return message;
}

} // namespace

void FlushStandardOutput() {
    errno = 0;
    std::cout.flush(); // with the streams in step, this flushes stdout as well
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        const int error = errno;
        throw ToolError(std::string("cannot write to standard output") +
                        (error != 0 ? std::string(": ") + std::strerror(error) : std::string()));
    }
}

int RunTool(const char* name, const std::function<int()>& body) {
    std::string message;
    int status = kFailureStatus;
    try {
        const int ran = body();
        FlushStandardOutput();
        return ran;
    } catch (const UsageError& error) {
        message = std::string(error.what()) + " (see --help)";
        status = kUsageStatus;
    } catch (const std::bad_alloc&) {
        message = "out of memory";
    } catch (const std::exception& error) {
        message = error.what();
    } catch (...) {
        message = "failed for an unknown reason";
    }
    std::fprintf(stderr, "%s: %s\n", name, OneLine(message).c_str());
    return status;
}

} // namespace imaging
