#if !defined(_WIN32)

#include "DynamicModule.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <utility>

namespace standin {

namespace {

std::string LastDlError() {
    const char* message = dlerror();
    return message ? message : "unknown dynamic loader error";
}

} // namespace

DynamicModule::~DynamicModule() {
    Close();
}

DynamicModule::DynamicModule(DynamicModule&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      instance_(std::exchange(other.instance_, nullptr)) {}

DynamicModule& DynamicModule::operator=(DynamicModule&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, nullptr);
        instance_ = std::exchange(other.instance_, nullptr);
    }
    return *this;
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

} // namespace standin

#endif
