#include "Render.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

using namespace preview;

namespace {

// A row's result depends on the row alone; the worker index shows who rendered it.
std::vector<int> Render(int rows, int threads, std::vector<int>* workerOfRow = nullptr) {
    std::vector<int> result(rows, -1);
    std::atomic<int> workers{0};
    RenderRows(
        rows, threads,
        [&] {
            const int worker = workers++;
            return [&result, workerOfRow, worker](int row) {
                result[row] = row * row;
                if (workerOfRow) {
                    (*workerOfRow)[row] = worker;
                }
            };
        },
        nullptr);
    return result;
}

} // namespace

TEST(RenderRows, RendersEveryRowOnceWhateverTheThreadCount) {
    const std::vector<int> single = Render(97, 1);
    for (int row = 0; row < 97; ++row) {
        ASSERT_EQ(single[row], row * row);
    }
    EXPECT_EQ(Render(97, 8), single);
    EXPECT_EQ(Render(3, 16), Render(3, 1));
    EXPECT_TRUE(Render(0, 4).empty());
}

TEST(RenderRows, MakesOneRendererPerThreadButNoMoreThanRows) {
    int made = 0;
    RenderRows(
        5, 3,
        [&] {
            ++made;
            return [](int) {};
        },
        nullptr);
    EXPECT_EQ(made, 3);
    made = 0;
    RenderRows(
        2, 8,
        [&] {
            ++made;
            return [](int) {};
        },
        nullptr);
    EXPECT_EQ(made, 2);
}

TEST(RenderRows, PassesOnTheFirstFailureAfterAllThreadsStop) {
    std::atomic<int> rendered{0};
    EXPECT_THROW(RenderRows(
                     1000, 4,
                     [&] {
                         return [&](int row) {
                             if (row == 10) {
                                 throw std::runtime_error("row 10");
                             }
                             // Rows take a while, as real ones do, so that the failure is
                             // seen long before the other threads could run out of rows.
                             std::this_thread::sleep_for(std::chrono::milliseconds(1));
                             ++rendered;
                         };
                     },
                     nullptr),
                 std::runtime_error);
    EXPECT_LT(rendered.load(), 999);
}

TEST(ProgressLine, ShowsPercentOnlyWhenEnabledAndLate) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    ProgressLine silent(stream, false, std::chrono::seconds(0));
    silent.Start("frame 1", 10);
    silent.Show(5);
    ProgressLine early(stream, true, std::chrono::hours(1));
    early.Start("frame 1", 10);
    early.Show(5);
    EXPECT_EQ(std::ftell(stream), 0);

    ProgressLine shown(stream, true, std::chrono::seconds(0));
    shown.Start("frame 2", 4);
    shown.Show(1);
    shown.Show(1); // unchanged: not written again
    shown.Finish();
    std::rewind(stream);
    char text[64] = {};
    std::fread(text, 1, sizeof text - 1, stream);
    EXPECT_EQ(std::string(text), "\rframe 2:  25%\r\033[K");
    std::fclose(stream);
    EXPECT_FALSE(ProgressLine::IsTerminal(nullptr));
}
