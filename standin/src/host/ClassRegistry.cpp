// The host's class registry.
#include "maxhost/ClassRegistry.h"

#include <algorithm>
#include <mutex>

#include "../paramblk2/ParamBlock2.h"
#include "../texout/StdTexOut.h"
#include "ref.h"

namespace maxhost {

namespace {

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<ClassDesc*>& Registered() {
    static std::vector<ClassDesc*> registered;
    return registered;
}

// The stand-in's own classes, always present.
std::vector<ClassDesc*> BuiltIn() {
    return {MaxStandin::ParamBlock2ClassDesc(), MaxStandin::StdTexOutClassDesc()};
}

} // namespace

void RegisterClassDesc(ClassDesc* cd) {
    if (!cd)
        return;
    std::lock_guard<std::mutex> lock(RegistryMutex());
    auto& registered = Registered();
    if (std::find(registered.begin(), registered.end(), cd) == registered.end())
        registered.push_back(cd);
}

void UnregisterClassDesc(ClassDesc* cd) {
    std::lock_guard<std::mutex> lock(RegistryMutex());
    auto& registered = Registered();
    registered.erase(std::remove(registered.begin(), registered.end(), cd), registered.end());
}

std::vector<ClassDesc*> RegisteredClassDescs() {
    std::vector<ClassDesc*> all = BuiltIn();
    std::lock_guard<std::mutex> lock(RegistryMutex());
    all.insert(all.end(), Registered().begin(), Registered().end());
    return all;
}

ClassDesc* FindClassDesc(SClass_ID sclass, const Class_ID& cid) {
    for (ClassDesc* cd : RegisteredClassDescs()) {
        if (cd->SuperClassID() == sclass && cd->ClassID() == cid)
            return cd;
    }
    return nullptr;
}

ReferenceTarget* CreateInstance(SClass_ID sclass, const Class_ID& cid, bool loading) {
    ClassDesc* cd = FindClassDesc(sclass, cid);
    return cd ? static_cast<ReferenceTarget*>(cd->Create(loading ? TRUE : FALSE)) : nullptr;
}

Class_ID StandardTextureOutputClassID() {
    return MaxStandin::StdTexOutClassDesc()->ClassID();
}

} // namespace maxhost
