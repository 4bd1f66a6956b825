// The host's record of plug-in faults.
#include "maxhost/HostFaults.h"

#include <cstdio>
#include <mutex>

namespace maxhost {

namespace {

std::mutex& FaultLock() {
    static std::mutex lock;
    return lock;
}

std::vector<HostFault>& Faults() {
    static std::vector<HostFault> faults;
    return faults;
}

} // namespace

std::vector<HostFault> TakeHostFaults() {
    std::lock_guard<std::mutex> hold(FaultLock());
    std::vector<HostFault> taken;
    taken.swap(Faults());
    return taken;
}

std::size_t HostFaultCount() {
    std::lock_guard<std::mutex> hold(FaultLock());
    return Faults().size();
}

void ReportHostFault(FaultKind kind, const std::string& message) {
    std::lock_guard<std::mutex> hold(FaultLock());
    Faults().push_back(HostFault{kind, message});
    std::fprintf(stderr, "maxhost: plug-in fault: %s\n", message.c_str());
}

} // namespace maxhost
