// The record of plug-in faults the SDK notices, kept until the host takes them. Descriptor faults
// are found while a library initialises and are taken by the loader; the others are taken by the
// test programs that play the host.
#include "HostAccess.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

namespace MaxStandin {
namespace HostAccess {

namespace {

std::mutex& FaultLock() {
    static std::mutex lock;
    return lock;
}

std::vector<Fault>& Faults() {
    static std::vector<Fault> faults;
    return faults;
}

bool Selected(const Fault& fault, bool descriptors) {
    return (fault.kind == FaultKind::Descriptor) == descriptors;
}

} // namespace

void ReportFault(FaultKind kind, const std::string& message) {
    std::lock_guard<std::mutex> hold(FaultLock());
    Faults().push_back(Fault{kind, message});
    // scripts/fuzz.sh filters the descriptor lines, which fuzzing provokes by the thousand.
    if (kind == FaultKind::Descriptor) {
        std::fprintf(stderr, "max_standin: %s\n", message.c_str());
    } else {
        std::fprintf(stderr, "maxhost: plug-in fault: %s\n", message.c_str());
    }
}

std::vector<Fault> TakeFaults(bool descriptors) {
    std::lock_guard<std::mutex> hold(FaultLock());
    std::vector<Fault>& faults = Faults();
    const auto kept = std::stable_partition(
        faults.begin(), faults.end(), [&](const Fault& f) { return !Selected(f, descriptors); });
    std::vector<Fault> taken(std::make_move_iterator(kept), std::make_move_iterator(faults.end()));
    faults.erase(kept, faults.end());
    return taken;
}

std::size_t FaultCount(bool descriptors) {
    std::lock_guard<std::mutex> hold(FaultLock());
    const std::vector<Fault>& faults = Faults();
    return static_cast<std::size_t>(std::count_if(
        faults.begin(), faults.end(), [&](const Fault& f) { return Selected(f, descriptors); }));
}

} // namespace HostAccess
} // namespace MaxStandin
