// Nacreen.dlt opened directly with dlopen, as a Linux process sees it before and after the host
// runs its entry point: what is exported, and what string lookups give before attach.
#include <max.h>
#include <iparamb2.h>

#include <maxhost/Host.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

namespace {

class UnattachedModule : public ::testing::Test {
protected:
    static void* handle;

    static void SetUpTestSuite() {
        handle = dlopen(NACREEN_DLT_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
    }

    template <class F> static F Export(const char* name) {
        return reinterpret_cast<F>(dlsym(handle, name));
    }
};

void* UnattachedModule::handle = nullptr;

using DescriptionFn = const MCHAR* (*)();
using ClassDescFn = ClassDesc* (*)(int);
using DllMainFn = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

TEST_F(UnattachedModule, ExportsTheSixEntryPointsAndDllMainByPlainName) {
    for (const char* name : {"LibDescription", "LibNumberClasses", "LibClassDesc", "LibVersion",
                             "LibInitialize", "LibShutdown", "DllMain"}) {
        EXPECT_NE(dlsym(handle, name), nullptr) << name;
    }
}

TEST_F(UnattachedModule, HidesEverythingElse) {
    for (const char* name :
         {"_Z14GetNacreenDescv", "_Z17GetResourceStringi", "nacreenParamBlockDesc",
          "_Z17GetModuleInstancev", "_ZN7nacreen9ShadeFilmERKNS_4Vec3ES2_fRKNS_10FilmParamsEf"}) {
        EXPECT_EQ(dlsym(handle, name), nullptr) << name;
    }
}

TEST_F(UnattachedModule, DescribesNothingBeforeAttachAndEverythingAfter) {
    EXPECT_TRUE(maxhost::TakeDescriptorErrors().empty());
    auto description = Export<DescriptionFn>("LibDescription");
    auto classDesc = Export<ClassDescFn>("LibClassDesc");
    auto dllMain = Export<DllMainFn>("DllMain");
    ASSERT_TRUE(description && classDesc && dllMain);

    ClassDesc* desc = classDesc(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(description(), nullptr);
    EXPECT_EQ(desc->ClassName(), nullptr);
    EXPECT_EQ(desc->Category(), nullptr);
    EXPECT_EQ(desc->HInstance(), nullptr);
    // The identity does not depend on the string table.
    EXPECT_EQ(std::wstring(desc->NonLocalizedClassName()), L"Nacreen");

    HINSTANCE instance = maxhost::ModuleHandleFromAddress(reinterpret_cast<void*>(description));
    ASSERT_NE(instance, nullptr);
    maxhost::ClearDisableThreadLibraryCallsLog();
    EXPECT_EQ(dllMain(instance, DLL_PROCESS_ATTACH, nullptr), TRUE);
    const auto calls = maxhost::DisableThreadLibraryCallsLog();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].module, instance);

    EXPECT_EQ(desc->HInstance(), instance);
    ASSERT_NE(description(), nullptr);
    EXPECT_EQ(std::wstring(description()), L"Nacreen coating Texmap.");
    EXPECT_EQ(std::wstring(desc->ClassName()), L"Nacreen");

    // Other reasons change nothing and still answer TRUE.
    EXPECT_EQ(dllMain(instance, DLL_THREAD_ATTACH, nullptr), TRUE);
    EXPECT_EQ(dllMain(instance, DLL_PROCESS_DETACH, nullptr), TRUE);
    EXPECT_EQ(desc->HInstance(), instance);
    EXPECT_EQ(maxhost::DisableThreadLibraryCallsLog().size(), 1u);
}

} // namespace
