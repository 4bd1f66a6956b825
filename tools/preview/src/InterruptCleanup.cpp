#include "InterruptCleanup.h"

#include <csignal>
#include <cstring>
#include <initializer_list>

#include <unistd.h>

namespace preview {
namespace {

// Only what a signal handler may touch: a fixed buffer and a flag.
char pendingPath[4096];
volatile std::sig_atomic_t hasPendingPath = 0;

extern "C" void RemovePendingFileAndStop(int signalNumber) {
    if (hasPendingPath != 0) {
        unlink(pendingPath);
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

} // namespace

void InstallInterruptCleanup() {
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signalNumber, RemovePendingFileAndStop);
    }
}

void SetInterruptCleanupPath(const char* path) {
    hasPendingPath = 0;
    if (path == nullptr || std::strlen(path) >= sizeof pendingPath) {
        return;
    }
    std::strcpy(pendingPath, path);
    hasPendingPath = 1;
}

} // namespace preview
