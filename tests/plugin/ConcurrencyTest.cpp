// Render threads evaluating one map at once.
#include "ConstantMonoMap.h"
#include "NacreenLibrary.h"
#include "TestSupport.h"

#include <maxhost/Host.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

namespace nacreen_test {
namespace {

struct Sample {
    Point3 view;
    Point3 normal;
};

std::vector<Sample> Samples() {
    std::vector<Sample> samples;
    for (int i = 0; i < 64; ++i) {
        const float angle = 0.024f * static_cast<float>(i);
        samples.push_back({Point3(std::sin(angle), 0.0f, -std::cos(angle)),
                           Point3(0.0f, 0.0f, i % 2 == 0 ? 1.0f : -1.0f)});
    }
    return samples;
}

TEST(Concurrency, ManyThreadsGiveTheColoursOfOne) {
    Owned<Texmap> map = NewNacreen();
    IParamBlock2* pb = map->GetParamBlock(0);
    pb->SetValue(kThicknessMapEnabled, 0, TRUE);
    pb->SetValue(kHue, 0, 20.0f);
    maxhost::SetKey(pb, kGamma, 0, 1.2f);
    maxhost::SetKey(pb, kGamma, 4800, 2.0f);
    map->SetSubTexmap(0, ConstantMonoMap::Create(0.4f));
    map->SetGBufID(3);
    UpdateMap(map.get(), 1200);

    const std::vector<Sample> samples = Samples();
    std::vector<AColor> reference;
    for (const Sample& s : samples) {
        maxhost::SimpleShadeContext sc;
        sc.view = s.view;
        sc.normal = s.normal;
        reference.push_back(map->EvalColor(sc));
    }

    constexpr int kThreadCount = 8;
    constexpr int kRounds = 50;
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreadCount; ++i) {
        threads.emplace_back([&] {
            maxhost::SimpleShadeContext sc;
            for (int round = 0; round < kRounds; ++round) {
                for (std::size_t k = 0; k < samples.size(); ++k) {
                    sc.view = samples[k].view;
                    sc.normal = samples[k].normal;
                    const AColor c = map->EvalColor(sc);
                    const float mono = map->EvalMono(sc);
                    const AColor& r = reference[k];
                    if (c.r != r.r || c.g != r.g || c.b != r.b || c.a != r.a ||
                        mono != ((r.r + r.g) + r.b) / 3.0f || sc.GBufferID() != 3) {
                        mismatches.fetch_add(1);
                    }
                }
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    EXPECT_EQ(mismatches.load(), 0);
}

} // namespace
} // namespace nacreen_test
