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

class DynamicModule {
public:
    DynamicModule() = default;
    ~DynamicModule();
    DynamicModule(const DynamicModule&) = delete;
    DynamicModule& operator=(const DynamicModule&) = delete;

    // Opens `path` with every symbol bound now and none made global. Refuses a module that the
    // process has already loaded, since its static initialisation would not run again.
    bool Open(const std::string& path, std::string& error);
    void Close();

    // The module's base address, which serves as its HINSTANCE.
    HINSTANCE Instance() const { return instance_; }
    // A symbol defined by this module itself, not by one of its dependencies; null otherwise.
    void* OwnSymbol(const char* name) const;

private:
    void* handle_ = nullptr;
    HINSTANCE instance_ = nullptr;
};

std::string LastDlError() {
    const char* message = dlerror();
    return message ? message : "unknown dynamic loader error";
}

DynamicModule::~DynamicModule() {
    Close();
}

bool DynamicModule::Open(const std::string& path, std::string& error) {
    Close();
    if (path.empty()) {
        error = "no file name given";
        return false;
    }
    if (void* existing = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
        dlclose(existing);
        error = "the library is already loaded";
        return false;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        error = LastDlError();
        return false;
    }
    link_map* map = nullptr;
    Dl_info info{};
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map || dladdr(map->l_ld, &info) == 0) {
        error = "the dynamic loader does not report where the library is loaded";
        dlclose(handle);
        return false;
    }
    handle_ = handle;
    instance_ = static_cast<HINSTANCE>(info.dli_fbase);
    return true;
}

void DynamicModule::Close() {
    if (handle_) {
        dlclose(handle_);
    }
    handle_ = nullptr;
    instance_ = nullptr;
}

void* DynamicModule::OwnSymbol(const char* name) const {
    if (!handle_) {
        return nullptr;
    }
    void* symbol = dlsym(handle_, name);
    Dl_info info{};
    if (!symbol || dladdr(symbol, &info) == 0 || info.dli_fbase != instance_) {
        return nullptr;
    }
    return symbol;
}

// A library is accepted when it was built for the same release and SDK interface number as the
// host; the SDK revision changes only in binary-compatible ways and is not compared.
bool IsCompatibleVersionStamp(ULONG stamp) {
    const ULONG host = VERSION_3DSMAX;
    return GET_MAX_RELEASE(stamp) == GET_MAX_RELEASE(host) &&
           GET_MAX_API_NUM(stamp) == GET_MAX_API_NUM(host);
}

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

// No real plug-in comes near this; a larger count means LibNumberClasses returned garbage.
constexpr int kMaxClassesPerLibrary = 4096;

std::string Refusal(const std::string& path, const std::string& reason) {
    return "Plug-in library " + path + " refused: " + reason;
}

template <typename Function>
bool Resolve(const DynamicModule& module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(module.OwnSymbol(name));
    return function != nullptr;
}

bool ResolveEntryPoints(const DynamicModule& module, PluginEntryPoints& entry,
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
    if (IsCompatibleVersionStamp(version)) {
        return true;
    }
    reason = "its version stamp " + DescribeVersionStamp(version) + " does not match the host's " +
             DescribeVersionStamp(VERSION_3DSMAX);
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
    DynamicModule module;
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
