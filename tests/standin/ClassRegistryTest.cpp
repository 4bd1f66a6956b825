// The loader registers a library's classes with the host for as long as the library is loaded,
// and refuses libraries whose classes clash or whose parameter block descriptors are broken.
#if !defined(_WIN32)

#include "maxhost/Host.h"
#include "maxhost/PluginLibrary.h"

#include "fixtures/FixtureEventLog.h"
#include "fixtures/FixturePaths.h"

#include <gtest/gtest.h>

#include <plugapi.h>

namespace {

const Class_ID fixtureClass(0x1F1C7A01, 0x2B3C4D5E);

TEST(PluginClassRegistration, ClassesAreKnownWhileTheLibraryIsLoaded) {
    maxhost::PluginLibrary library;
    std::string error;
    ASSERT_TRUE(library.Load(FixtureLibrary("fixture_good"), error)) << error;
    ASSERT_EQ(library.ClassDescs().size(), 1u);
    EXPECT_EQ(maxhost::FindClassDesc(TEXMAP_CLASS_ID, fixtureClass), library.ClassDescs()[0]);
    library.Unload();
    EXPECT_EQ(maxhost::FindClassDesc(TEXMAP_CLASS_ID, fixtureClass), nullptr);
}

// fixture_without_resources is built from the same source, so it brings the same class.
TEST(PluginClassRegistration, RefusesAClassIdThatIsAlreadyRegistered) {
    maxhost::PluginLibrary first;
    maxhost::PluginLibrary second;
    std::string error;
    ASSERT_TRUE(first.Load(FixtureLibrary("fixture_good"), error)) << error;
    FixtureEventLog log;
    EXPECT_FALSE(second.Load(FixtureLibrary("fixture_without_resources"), error));
    EXPECT_NE(error.find("class id (0x1F1C7A01, 0x2B3C4D5E) is already registered"),
              std::string::npos)
        << error;
    EXPECT_EQ(log.Events().back(), "static exit");
    EXPECT_EQ(maxhost::FindClassDesc(TEXMAP_CLASS_ID, fixtureClass), first.ClassDescs()[0]);
}

TEST(PluginClassRegistration, RefusesABrokenParameterBlockDescriptor) {
    FixtureEventLog log;
    maxhost::PluginLibrary library;
    std::string error;
    EXPECT_FALSE(library.Load(FixtureLibrary("fixture_bad_descriptor"), error));
    EXPECT_NE(error.find(FixtureLibrary("fixture_bad_descriptor")), std::string::npos) << error;
    EXPECT_NE(error.find("parameter block descriptor is invalid"), std::string::npos) << error;
    EXPECT_NE(error.find("p_end"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    // Refused before its entry point ran.
    EXPECT_EQ(log.Events(), (std::vector<std::string>{"static init", "static exit"}));
    EXPECT_TRUE(maxhost::TakeDescriptorErrors().empty());
}

} // namespace

#endif
