// A shared object opened with dlopen, closed when the object goes away.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

class DynamicModule {
public:
    DynamicModule() = default;
    ~DynamicModule();
    DynamicModule(DynamicModule&& other) noexcept;
    DynamicModule& operator=(DynamicModule&& other) noexcept;
    DynamicModule(const DynamicModule&) = delete;
    DynamicModule& operator=(const DynamicModule&) = delete;

    // Opens `path` with every symbol bound now and none made global. Refuses a module that the
    // process has already loaded, since its static initialisation would not run again.
    bool Open(const std::string& path, std::string& error);
    void Close();

    bool IsOpen() const { return handle_ != nullptr; }
    // The module's base address, which serves as its HINSTANCE.
    HINSTANCE Instance() const { return instance_; }
    // A symbol defined by this module itself, not by one of its dependencies; null otherwise.
    void* OwnSymbol(const char* name) const;

private:
    void* handle_ = nullptr;
    HINSTANCE instance_ = nullptr;
};

} // namespace standin
