// Runs a harness over its checked-in inputs (the seed corpus and every minimised finding) in
// the ordinary test suite, so that what the fuzzer once found stays fixed in every build, the
// sanitizer builds included.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> Inputs() {
    std::vector<std::filesystem::path> inputs;
    for (const char* folder : {FUZZ_CORPUS_DIR, FUZZ_FINDINGS_DIR}) {
        std::error_code error;
        if (!std::filesystem::is_directory(folder, error)) {
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.is_regular_file()) {
                inputs.push_back(entry.path());
            }
        }
    }
    return inputs;
}

TEST(FuzzReplay, EveryCheckedInInputIsHandled) {
    const std::vector<std::filesystem::path> inputs = Inputs();
    ASSERT_FALSE(inputs.empty()) << "no inputs in " << FUZZ_CORPUS_DIR;
    for (const std::filesystem::path& path : inputs) {
        SCOPED_TRACE(path.string());
        std::ifstream stream(path, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)),
                                      std::istreambuf_iterator<char>());
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size()),
                  0);
    }
}

} // namespace
