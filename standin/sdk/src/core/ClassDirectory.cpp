// The class directory: the classes that can be created by identity. The SDK's own classes
// (parameter block, standard texture output) are always there; the host adds the classes of the
// libraries it loads. A parameter block being loaded finds its descriptor's class here.
#include "HostAccess.h"

#include <algorithm>
#include <mutex>

#include "../paramblk2/ParamBlock2.h"
#include "../texout/StdTexOut.h"

namespace MaxStandin {
namespace HostAccess {

namespace {

std::mutex& DirectoryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<ClassDesc*>& Added() {
    static std::vector<ClassDesc*> added;
    return added;
}

} // namespace

void AddClass(ClassDesc* cd) {
    if (!cd) {
        return;
    }
    std::lock_guard<std::mutex> lock(DirectoryMutex());
    auto& added = Added();
    if (std::find(added.begin(), added.end(), cd) == added.end()) {
        added.push_back(cd);
    }
}

void RemoveClass(ClassDesc* cd) {
    std::lock_guard<std::mutex> lock(DirectoryMutex());
    auto& added = Added();
    added.erase(std::remove(added.begin(), added.end(), cd), added.end());
}

std::vector<ClassDesc*> Classes() {
    std::vector<ClassDesc*> all = {ParamBlock2ClassDesc(), StdTexOutClassDesc()};
    std::lock_guard<std::mutex> lock(DirectoryMutex());
    all.insert(all.end(), Added().begin(), Added().end());
    return all;
}

ClassDesc* FindClass(SClass_ID sclass, const Class_ID& cid) {
    for (ClassDesc* cd : Classes()) {
        if (cd->SuperClassID() == sclass && cd->ClassID() == cid) {
            return cd;
        }
    }
    return nullptr;
}

Class_ID StandardTextureOutputClassID() {
    return StdTexOutClassDesc()->ClassID();
}

} // namespace HostAccess
} // namespace MaxStandin
