#if !defined(_WIN32)

#include "maxhost/PluginLibrary.h"

#include "maxhost/ClassRegistry.h"
#include "maxhost/DescriptorErrors.h"
#include "maxhost/ModuleResources.h"

#include "DynamicModule.h"
#include "VersionStamp.h"

#include <plugapi.h>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace maxhost {

namespace {

// No real plug-in comes near this; a larger count means LibNumberClasses returned garbage.
constexpr int kMaxClassesPerLibrary = 4096;

std::string Refusal(const std::string& path, const std::string& reason) {
    return "Plug-in library " + path + " refused: " + reason;
}

template <typename Function>
bool Resolve(const standin::DynamicModule& module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(module.OwnSymbol(name));
    return function != nullptr;
}

bool ResolveEntryPoints(const standin::DynamicModule& module, PluginEntryPoints& entry,
                        std::string& reason) {
    const char* missing = nullptr;
    if (!Resolve(module, "DllMain", entry.dllMain)) {
        missing = "DllMain";
    } else if (!Resolve(module, "LibDescription", entry.libDescription)) {
        missing = "LibDescription";
    } else if (!Resolve(module, "LibNumberClasses", entry.libNumberClasses)) {
        missing = "LibNumberClasses";
    } else if (!Resolve(module, "LibClassDesc", entry.libClassDesc)) {
        missing = "LibClassDesc";
    } else if (!Resolve(module, "LibVersion", entry.libVersion)) {
        missing = "LibVersion";
    }
    if (missing) {
        reason = std::string("it does not export ") + missing;
        return false;
    }
    Resolve(module, "LibInitialize", entry.libInitialize);
    Resolve(module, "LibShutdown", entry.libShutdown);
    return true;
}

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// Parameter block descriptors report a bad tag list while they are constructed, during the
// library's static initialisation or later through its entry points.
bool CheckDescriptorErrors(std::string& reason) {
    const std::vector<std::string> errors = TakeDescriptorErrors();
    if (errors.empty()) {
        return true;
    }
    reason = "a parameter block descriptor is invalid: " + OneLine(errors.front());
    if (errors.size() > 1) {
        reason += " (and " + std::to_string(errors.size() - 1) + " more)";
    }
    return false;
}

// What the library's static initialisation left behind: bad descriptors, unreadable resources.
bool CheckStaticInitialisation(HINSTANCE instance, std::string& reason) {
    if (!CheckDescriptorErrors(reason)) {
        return false;
    }
    const std::string resourceError = ModuleResourceError(instance);
    if (!resourceError.empty()) {
        reason = "its embedded resources are unreadable: " + resourceError;
        return false;
    }
    return true;
}

bool CheckVersion(const PluginEntryPoints& entry, ULONG& version, std::string& reason) {
    version = entry.libVersion();
    if (standin::IsCompatibleVersionStamp(version)) {
        return true;
    }
    reason = "its version stamp " + standin::DescribeVersionStamp(version) +
             " does not match the host's " + standin::DescribeVersionStamp(VERSION_3DSMAX);
    return false;
}

bool EnumerateClasses(const PluginEntryPoints& entry, std::vector<ClassDesc*>& classes,
                      std::string& reason) {
    const int count = entry.libNumberClasses();
    if (count < 0 || count > kMaxClassesPerLibrary) {
        reason = "LibNumberClasses returned " + std::to_string(count);
        return false;
    }
    for (int index = 0; index < count; ++index) {
        ClassDesc* descriptor = entry.libClassDesc(index);
        if (!descriptor) {
            reason = "LibClassDesc(" + std::to_string(index) + ") returned null although " +
                     "LibNumberClasses returned " + std::to_string(count);
            return false;
        }
        classes.push_back(descriptor);
    }
    return true;
}

std::string DescribeClass(ClassDesc* descriptor) {
    const Class_ID id = descriptor->ClassID();
    char text[64];
    std::snprintf(text, sizeof text, "(0x%08lX, 0x%08lX)", static_cast<unsigned long>(id.PartA()),
                  static_cast<unsigned long>(id.PartB()));
    return text;
}

// A class id names one class: a library may not bring a class that the host already has.
bool CheckClassIdentities(const std::vector<ClassDesc*>& classes, std::string& reason) {
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        ClassDesc* known = FindClassDesc((*it)->SuperClassID(), (*it)->ClassID());
        const bool repeated = std::any_of(classes.begin(), it, [it](ClassDesc* earlier) {
            return earlier->SuperClassID() == (*it)->SuperClassID() &&
                   earlier->ClassID() == (*it)->ClassID();
        });
        if ((known && known != *it) || repeated) {
            reason = "its class id " + DescribeClass(*it) + " is already registered";
            return false;
        }
    }
    return true;
}

} // namespace

struct PluginLibrary::Loaded {
    std::string path;
    standin::DynamicModule module;
    PluginEntryPoints entry;
    ULONG version = 0;
    std::wstring description;
    std::vector<ClassDesc*> classes;

    bool Open(std::string& reason) {
        TakeDescriptorErrors(); // left over from anything done before this library
        return module.Open(path, reason) && ResolveEntryPoints(module, entry, reason) &&
               CheckStaticInitialisation(module.Instance(), reason);
    }

    // Everything after the library is open; undoes what it did when a step refuses the library.
    bool Start(std::string& reason) {
        if (!entry.dllMain(module.Instance(), DLL_PROCESS_ATTACH, nullptr)) {
            reason = "DllMain failed to attach";
            Detach();
            return false;
        }
        if (!CheckVersion(entry, version, reason)) {
            Detach();
            return false;
        }
        if (entry.libInitialize && !entry.libInitialize()) {
            reason = "LibInitialize returned FALSE";
            Detach();
            return false;
        }
        if (!EnumerateClasses(entry, classes, reason) || !CheckDescriptorErrors(reason) ||
            !CheckClassIdentities(classes, reason)) {
            Shutdown();
            Detach();
            return false;
        }
        const wchar_t* text = entry.libDescription();
        description = text ? text : L"";
        for (ClassDesc* descriptor : classes) {
            RegisterClassDesc(descriptor);
        }
        return true;
    }

    void Stop() {
        for (ClassDesc* descriptor : classes) {
            UnregisterClassDesc(descriptor);
        }
        Shutdown();
        Detach();
        module.Close();
    }

    void Shutdown() {
        if (entry.libShutdown) {
            entry.libShutdown();
        }
    }

    void Detach() { entry.dllMain(module.Instance(), DLL_PROCESS_DETACH, nullptr); }
};

PluginLibrary::PluginLibrary() = default;

PluginLibrary::~PluginLibrary() {
    Unload();
}

bool PluginLibrary::Load(const std::string& path, std::string& error) {
    if (loaded_) {
        error = Refusal(path, "this PluginLibrary already holds " + loaded_->path);
        return false;
    }
    auto library = std::make_unique<Loaded>();
    library->path = path;
    std::string reason;
    if (!library->Open(reason) || !library->Start(reason)) {
        error = Refusal(path, reason);
        return false;
    }
    loaded_ = std::move(library);
    return true;
}

void PluginLibrary::Unload() {
    if (!loaded_) {
        return;
    }
    std::unique_ptr<Loaded> library = std::move(loaded_);
    library->Stop();
}

bool PluginLibrary::IsLoaded() const {
    return loaded_ != nullptr;
}

const std::string& PluginLibrary::Path() const {
    static const std::string none;
    return loaded_ ? loaded_->path : none;
}

HINSTANCE PluginLibrary::Instance() const {
    return loaded_ ? loaded_->module.Instance() : nullptr;
}

ULONG PluginLibrary::Version() const {
    return loaded_ ? loaded_->version : 0;
}

const std::wstring& PluginLibrary::Description() const {
    static const std::wstring none;
    return loaded_ ? loaded_->description : none;
}

const std::vector<ClassDesc*>& PluginLibrary::ClassDescs() const {
    static const std::vector<ClassDesc*> none;
    return loaded_ ? loaded_->classes : none;
}

const PluginEntryPoints& PluginLibrary::EntryPoints() const {
    static const PluginEntryPoints none;
    return loaded_ ? loaded_->entry : none;
}

void* PluginLibrary::FindExport(const char* name) const {
    return loaded_ && name ? loaded_->module.OwnSymbol(name) : nullptr;
}

} // namespace maxhost

#endif
