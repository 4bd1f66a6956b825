// The host's loader of plug-in libraries: opens a library with dlopen, resolves and runs its
// entry points as 3ds Max does, and refuses a library that fails any step.
#if !defined(_WIN32)

#include "maxhost/PluginLibrary.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "maxhost/Host.h"

namespace maxhost {

namespace {

// No real plug-in comes near this; a larger count means LibNumberClasses returned garbage.
constexpr int kMaxClassesPerLibrary = 4096;

// "0x69784200 (release 27000, API 66, revision 0)".
std::string DescribeVersionStamp(ULONG stamp) {
    char text[96];
    std::snprintf(text, sizeof text, "0x%08lX (release %lu, API %lu, revision %lu)",
                  static_cast<unsigned long>(stamp),
                  static_cast<unsigned long>(GET_MAX_RELEASE(stamp)),
                  static_cast<unsigned long>(GET_MAX_API_NUM(stamp)),
                  static_cast<unsigned long>(GET_MAX_SDK_REV(stamp)));
    return text;
}

// Parameter block descriptors report a bad tag list while they are constructed, during the
// library's static initialisation or later through its entry points.
bool CheckDescriptorErrors(std::string& reason) {
    const std::vector<std::string> errors = TakeDescriptorErrors();
    if (errors.empty()) {
        return true;
    }
    std::string first = errors.front();
    std::replace(first.begin(), first.end(), '\n', ' ');
    reason = "a parameter block descriptor is invalid: " + first;
    if (errors.size() > 1) {
        reason += " (and " + std::to_string(errors.size() - 1) + " more)";
    }
    return false;
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
            char id[64];
            std::snprintf(id, sizeof id, "(0x%08lX, 0x%08lX)",
                          static_cast<unsigned long>((*it)->ClassID().PartA()),
                          static_cast<unsigned long>((*it)->ClassID().PartB()));
            reason = std::string("its class id ") + id + " is already registered";
            return false;
        }
    }
    return true;
}

} // namespace

struct PluginLibrary::Loaded {
    std::string path;
    void* handle = nullptr;
    HINSTANCE instance = nullptr; // the library's base address
    PluginEntryPoints entry;
    std::wstring description;
    std::vector<ClassDesc*> classes;

    ~Loaded() {
        if (handle) {
            dlclose(handle);
        }
    }

    // A function the library itself defines, not one of the libraries it depends on. The first
    // required one that is missing is named in `missing`.
    template <typename Function>
    void Resolve(const char* name, Function& function, std::string* missing = nullptr) {
        void* symbol = dlsym(handle, name);
        Dl_info info{};
        if (symbol && (dladdr(symbol, &info) == 0 || info.dli_fbase != instance)) {
            symbol = nullptr;
        }
        function = reinterpret_cast<Function>(symbol);
        if (!symbol && missing && missing->empty()) {
            *missing = name;
        }
    }

    // Opens the library with every symbol bound now and none made global, and checks what its
    // static initialisation left behind. A library the process has already loaded is refused,
    // since its static initialisation would not run again.
    bool Open(std::string& reason) {
        if (path.empty()) {
            reason = "no file name given";
            return false;
        }
        if (void* existing = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
            dlclose(existing);
            reason = "the library is already loaded";
            return false;
        }
        TakeDescriptorErrors(); // left over from anything done before this library
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* message = dlerror();
            reason = message ? message : "unknown dynamic loader error";
            return false;
        }
        link_map* map = nullptr;
        Dl_info info{};
        if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map || dladdr(map->l_ld, &info) == 0) {
            reason = "the dynamic loader does not report where the library is loaded";
            return false;
        }
        instance = static_cast<HINSTANCE>(info.dli_fbase);
        std::string missing;
        Resolve("DllMain", entry.dllMain, &missing);
        Resolve("LibDescription", entry.libDescription, &missing);
        Resolve("LibNumberClasses", entry.libNumberClasses, &missing);
        Resolve("LibClassDesc", entry.libClassDesc, &missing);
        Resolve("LibVersion", entry.libVersion, &missing);
        // Optional, as in the real host.
        Resolve("LibInitialize", entry.libInitialize);
        Resolve("LibShutdown", entry.libShutdown);
        if (!missing.empty()) {
            reason = "it does not export " + missing;
            return false;
        }
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

    // Everything after the library is open; undoes what it did when a step refuses the library.
    bool Start(std::string& reason) {
        if (!entry.dllMain(instance, DLL_PROCESS_ATTACH, nullptr)) {
            reason = "DllMain failed to attach";
            Detach();
            return false;
        }
        // A library built for the same release and SDK interface number as the host is accepted;
        // the SDK revision changes only in binary-compatible ways and is not compared.
        const ULONG version = entry.libVersion();
        if (GET_MAX_RELEASE(version) != GET_MAX_RELEASE(VERSION_3DSMAX) ||
            GET_MAX_API_NUM(version) != GET_MAX_API_NUM(VERSION_3DSMAX)) {
            reason = "its version stamp " + DescribeVersionStamp(version) +
                     " does not match the host's " + DescribeVersionStamp(VERSION_3DSMAX);
            Detach();
            return false;
        }
        if (entry.libInitialize && !entry.libInitialize()) {
            reason = "LibInitialize returned FALSE";
            Detach();
            return false;
        }
        if (!EnumerateClasses(reason) || !CheckDescriptorErrors(reason) ||
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

    bool EnumerateClasses(std::string& reason) {
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

    void Stop() {
        for (ClassDesc* descriptor : classes) {
            UnregisterClassDesc(descriptor);
        }
        Shutdown();
        Detach();
    }

    void Shutdown() {
        if (entry.libShutdown) {
            entry.libShutdown();
        }
    }

    void Detach() { entry.dllMain(instance, DLL_PROCESS_DETACH, nullptr); }
};

PluginLibrary::PluginLibrary() = default;

PluginLibrary::~PluginLibrary() {
    Unload();
}

bool PluginLibrary::Load(const std::string& path, std::string& error) {
    auto library = std::make_unique<Loaded>();
    library->path = path;
    std::string reason = loaded_ ? "this PluginLibrary already holds " + loaded_->path : "";
    if (loaded_ || !library->Open(reason) || !library->Start(reason)) {
        error = "Plug-in library " + path + " refused: " + reason;
        return false;
    }
    loaded_ = std::move(library);
    return true;
}

void PluginLibrary::Unload() {
    // Moved out first, so that the object holds nothing while the library shuts down.
    if (std::unique_ptr<Loaded> library = std::move(loaded_)) {
        library->Stop();
    }
}

bool PluginLibrary::IsLoaded() const {
    return loaded_ != nullptr;
}

HINSTANCE PluginLibrary::Instance() const {
    return loaded_ ? loaded_->instance : nullptr;
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

} // namespace maxhost

#endif
