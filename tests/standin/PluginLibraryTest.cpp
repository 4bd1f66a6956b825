// The plug-in loader on small test libraries: what it calls, in which order, what it reads, and
// how it refuses a library that is not fit to load.
#if !defined(_WIN32)

#include "maxhost/Host.h"
#include "maxhost/PluginLibrary.h"

#include "fixtures/FixtureEventLog.h"
#include "fixtures/FixturePaths.h"

#include <gtest/gtest.h>

#include <plugapi.h>

#include <dlfcn.h>

#include <fstream>

namespace {

using Events = std::vector<std::string>;

bool IsOpenInProcess(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) {
        return false;
    }
    dlclose(handle);
    return true;
}

// Loads a fixture that must be refused; returns the message.
std::string Refusal(const std::string& fixture) {
    maxhost::PluginLibrary library;
    std::string error;
    EXPECT_FALSE(library.Load(FixtureLibrary(fixture), error));
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_FALSE(IsOpenInProcess(FixtureLibrary(fixture))) << fixture << " left open";
    EXPECT_NE(error.find(FixtureLibrary(fixture)), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    return error;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(PluginLibraryLoad, ReadsWhatTheLibraryDeclares) {
    maxhost::PluginLibrary library;
    std::string error;
    ASSERT_TRUE(library.Load(FixtureLibrary("fixture_good"), error)) << error;
    EXPECT_TRUE(library.IsLoaded());
    EXPECT_EQ(library.Description(), L"Stand-in loader test library.");
    ASSERT_EQ(library.ClassDescs().size(), 1u);
    ClassDesc* descriptor = library.ClassDescs()[0];
    EXPECT_EQ(descriptor->ClassID(), Class_ID(0x1F1C7A01, 0x2B3C4D5E));
    EXPECT_EQ(descriptor->HInstance(), library.Instance());
    EXPECT_EQ(library.EntryPoints().libClassDesc(0), descriptor);
    EXPECT_EQ(library.EntryPoints().libClassDesc(1), nullptr);
}

// On Linux a module's HINSTANCE is its base address; DllMain receives exactly that.
TEST(PluginLibraryLoad, HandsDllMainTheModuleBaseAsItsInstance) {
    maxhost::ClearDisableThreadLibraryCallsLog();
    maxhost::PluginLibrary library;
    std::string error;
    ASSERT_TRUE(library.Load(FixtureLibrary("fixture_good"), error)) << error;
    EXPECT_EQ(maxhost::ModuleHandleFromAddress(
                  reinterpret_cast<const void*>(library.EntryPoints().libVersion)),
              library.Instance());

    const auto calls = maxhost::DisableThreadLibraryCallsLog();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].module, library.Instance());
    EXPECT_EQ(calls[0].result, TRUE);
}

TEST(PluginLibraryLoad, CallsTheEntryPointsInTheHostsOrder) {
    FixtureEventLog log;
    {
        maxhost::PluginLibrary library;
        std::string error;
        ASSERT_TRUE(library.Load(FixtureLibrary("fixture_good"), error)) << error;
        EXPECT_EQ(log.Events(), (Events{"static init", "attach", "version", "initialize",
                                        "number of classes", "class descriptor", "description"}));
    }
    EXPECT_EQ(log.Events(),
              (Events{"static init", "attach", "version", "initialize", "number of classes",
                      "class descriptor", "description", "shutdown", "detach", "static exit"}));
    EXPECT_FALSE(IsOpenInProcess(FixtureLibrary("fixture_good")));
}

TEST(PluginLibraryLoad, LoadsAgainAfterUnloading) {
    maxhost::PluginLibrary library;
    std::string error;
    ASSERT_TRUE(library.Load(FixtureLibrary("fixture_good"), error)) << error;
    library.Unload();
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_TRUE(library.ClassDescs().empty());
    EXPECT_EQ(library.Instance(), nullptr);
    library.Unload(); // a second unload does nothing
    ASSERT_TRUE(library.Load(FixtureLibrary("fixture_good"), error)) << error;
    EXPECT_EQ(library.Description(), L"Stand-in loader test library.");
}

TEST(PluginLibraryLoad, OptionalEntryPointsMayBeMissing) {
    FixtureEventLog log;
    {
        maxhost::PluginLibrary library;
        std::string error;
        ASSERT_TRUE(library.Load(FixtureLibrary("fixture_without_optional_exports"), error))
            << error;
        EXPECT_EQ(library.EntryPoints().libInitialize, nullptr);
        EXPECT_EQ(library.EntryPoints().libShutdown, nullptr);
    }
    EXPECT_EQ(log.Events().back(), "static exit");
}

// Only the SDK revision may differ: it changes only in binary-compatible ways.
TEST(PluginLibraryLoad, AcceptsAnotherRevisionOfTheSameSdk) {
    maxhost::PluginLibrary library;
    std::string error;
    ASSERT_TRUE(library.Load(FixtureLibrary("fixture_other_revision"), error)) << error;
    EXPECT_EQ(library.EntryPoints().libVersion(), 0x69784203u);
}

TEST(PluginLibraryLoad, RefusesASecondLoadOfOneLibrary) {
    maxhost::PluginLibrary first;
    maxhost::PluginLibrary second;
    std::string error;
    ASSERT_TRUE(first.Load(FixtureLibrary("fixture_good"), error)) << error;
    EXPECT_FALSE(second.Load(FixtureLibrary("fixture_good"), error));
    EXPECT_TRUE(Contains(error, "already loaded")) << error;
    EXPECT_FALSE(first.Load(FixtureLibrary("fixture_without_resources"), error));
    EXPECT_TRUE(Contains(error, "already holds")) << error;
    EXPECT_TRUE(first.IsLoaded());
}

TEST(PluginLibraryRefusal, WrongVersionStamp) {
    FixtureEventLog log;
    const std::string error = Refusal("fixture_wrong_version");
    EXPECT_TRUE(Contains(error, "version stamp 0x65904000 (release 26000, API 64")) << error;
    EXPECT_TRUE(Contains(error, "0x69784200 (release 27000, API 66")) << error;
    EXPECT_EQ(log.Events(), (Events{"static init", "attach", "version", "detach", "static exit"}));
}

TEST(PluginLibraryRefusal, MissingExport) {
    FixtureEventLog log;
    const std::string error = Refusal("fixture_missing_export");
    EXPECT_TRUE(Contains(error, "does not export LibClassDesc")) << error;
    EXPECT_EQ(log.Events(), (Events{"static init", "static exit"}));
}

TEST(PluginLibraryRefusal, FailingLibInitialize) {
    FixtureEventLog log;
    const std::string error = Refusal("fixture_initialize_fails");
    EXPECT_TRUE(Contains(error, "LibInitialize returned FALSE")) << error;
    EXPECT_EQ(log.Events(),
              (Events{"static init", "attach", "version", "initialize", "detach", "static exit"}));
}

TEST(PluginLibraryRefusal, FailingAttach) {
    FixtureEventLog log;
    const std::string error = Refusal("fixture_attach_fails");
    EXPECT_TRUE(Contains(error, "DllMain failed to attach")) << error;
    EXPECT_EQ(log.Events(), (Events{"static init", "attach", "detach", "static exit"}));
}

TEST(PluginLibraryRefusal, NullClassDescriptor) {
    FixtureEventLog log;
    const std::string error = Refusal("fixture_null_descriptor");
    EXPECT_TRUE(Contains(error, "LibClassDesc(1) returned null")) << error;
    const Events events = log.Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ((Events{events.end() - 3, events.end()}),
              (Events{"shutdown", "detach", "static exit"}));
}

TEST(PluginLibraryRefusal, UnreadableEmbeddedResources) {
    const std::string error = Refusal("fixture_corrupt_resources");
    EXPECT_TRUE(Contains(error, "embedded resources are unreadable")) << error;
}

TEST(PluginLibraryRefusal, MissingFile) {
    maxhost::PluginLibrary library;
    std::string error;
    const std::string path = FixturePath("no_such_library.dlt");
    EXPECT_FALSE(library.Load(path, error));
    EXPECT_TRUE(Contains(error, path)) << error;
    EXPECT_FALSE(library.Load("", error));
    EXPECT_TRUE(Contains(error, "no file name")) << error;
}

TEST(PluginLibraryRefusal, NotALibrary) {
    const std::string path = FixturePath("not_a_library.dlt");
    std::ofstream(path) << "LIBRARY Nacreen.dlt\nEXPORTS\n";
    maxhost::PluginLibrary library;
    std::string error;
    EXPECT_FALSE(library.Load(path, error));
    EXPECT_TRUE(Contains(error, "refused")) << error;
    EXPECT_TRUE(Contains(error, path)) << error;
    std::remove(path.c_str());
}

} // namespace

#endif
