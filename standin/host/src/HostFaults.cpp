// The host's side of the fault record, which the stand-in SDK keeps.
#include "maxhost/DescriptorErrors.h"
#include "maxhost/HostFaults.h"

namespace maxhost {

std::vector<HostFault> TakeHostFaults() {
    return MaxStandin::HostAccess::TakeFaults(false);
}

std::size_t HostFaultCount() {
    return MaxStandin::HostAccess::FaultCount(false);
}

std::vector<std::string> TakeDescriptorErrors() {
    std::vector<std::string> messages;
    for (HostFault& fault : MaxStandin::HostAccess::TakeFaults(true)) {
        messages.push_back(std::move(fault.message));
    }
    return messages;
}

} // namespace maxhost
