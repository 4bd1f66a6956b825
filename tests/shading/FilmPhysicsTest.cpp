// The film reflectance against an independent model: the characteristic (transfer) matrix of a
// single layer, in double precision and complex arithmetic, averaged over s and p polarisation.

#include "shading/FilmReflectance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>

namespace nacreen {
namespace {

constexpr double kPiDouble = 3.141592653589793;

struct Layers {
    double n0, n1, n2;
};

// Reflectance of one polarisation from the layer's characteristic matrix; eta are the tilted
// admittances (n·cos for s, n/cos for p) and delta the one-way phase thickness of the film.
double MatrixReflectance(double eta0, double eta1, double eta2, double delta) {
    const std::complex<double> i(0.0, 1.0);
    const std::complex<double> b = std::cos(delta) + i * std::sin(delta) * (eta2 / eta1);
    const std::complex<double> c = i * eta1 * std::sin(delta) + eta2 * std::cos(delta);
    const std::complex<double> r = (eta0 * b - c) / (eta0 * b + c);
    return std::norm(r);
}

double TransferMatrixReflectance(double cos0, double wavelength, double thickness, Layers n) {
    const double sin0Squared = 1.0 - cos0 * cos0;
    const double cos1 = std::sqrt(1.0 - (n.n0 / n.n1) * (n.n0 / n.n1) * sin0Squared);
    const double cos2 = std::sqrt(1.0 - (n.n0 / n.n2) * (n.n0 / n.n2) * sin0Squared);
    const double delta = 2.0 * kPiDouble * n.n1 * thickness * cos1 / wavelength;
    const double rs = MatrixReflectance(n.n0 * cos0, n.n1 * cos1, n.n2 * cos2, delta);
    const double rp = MatrixReflectance(n.n0 / cos0, n.n1 / cos1, n.n2 / cos2, delta);
    return 0.5 * (rs + rp);
}

enum class FilmIndex { Below, Between, Above };

// Three indices with the film's in the requested place; the outer and internal ones are drawn
// in either order.
Layers DrawLayers(std::mt19937& random, FilmIndex place) {
    std::uniform_real_distribution<float> index(1.0f, 2.6f);
    float n[3] = {index(random), index(random), index(random)};
    std::sort(n, n + 3);
    const int film = place == FilmIndex::Below ? 0 : place == FilmIndex::Between ? 1 : 2;
    float others[2];
    int next = 0;
    for (int k = 0; k < 3; ++k) {
        if (k != film) {
            others[next++] = n[k];
        }
    }
    if (random() % 2 == 0) {
        std::swap(others[0], others[1]);
    }
    return Layers{others[0], n[film], others[1]};
}

bool HasTotalInternalReflection(double cos0, Layers n) {
    const double sin0Squared = 1.0 - cos0 * cos0;
    const double margin = 0.999;
    return (n.n0 / n.n1) * (n.n0 / n.n1) * sin0Squared > margin ||
           (n.n0 / n.n2) * (n.n0 / n.n2) * sin0Squared > margin;
}

class FilmAgainstTransferMatrix : public ::testing::TestWithParam<FilmIndex> {};

TEST_P(FilmAgainstTransferMatrix, AgreesOnGeneratedStacks) {
    std::mt19937 random(1234u + static_cast<unsigned>(GetParam()));
    std::uniform_real_distribution<float> cosine(0.02f, 1.0f);
    std::uniform_real_distribution<float> thickness(0.0f, 1500.0f);
    std::uniform_real_distribution<float> wavelength(380.0f, 780.0f);

    int compared = 0;
    double worst = 0.0;
    while (compared < 4000) {
        const Layers n = DrawLayers(random, GetParam());
        const float cos0 = cosine(random);
        if (HasTotalInternalReflection(cos0, n)) {
            continue;
        }
        const float d = thickness(random);
        const float lambda = wavelength(random);
        const double expected = TransferMatrixReflectance(cos0, lambda, d, n);
        const float actual = FilmReflectance(cos0, lambda, d, static_cast<float>(n.n0),
                                             static_cast<float>(n.n1), static_cast<float>(n.n2));
        worst = std::max(worst, std::fabs(actual - expected));
        ASSERT_NEAR(actual, expected, 1e-4) << "n " << n.n0 << " " << n.n1 << " " << n.n2
                                            << " cos0 " << cos0 << " d " << d << " at " << lambda;
        ++compared;
    }
    RecordProperty("worst_difference", std::to_string(worst));
}

INSTANTIATE_TEST_SUITE_P(FilmIndexPlaces, FilmAgainstTransferMatrix,
                         ::testing::Values(FilmIndex::Below, FilmIndex::Between, FilmIndex::Above),
                         [](const ::testing::TestParamInfo<FilmIndex>& info) {
                             switch (info.param) {
                             case FilmIndex::Below:
                                 return "FilmBelowBoth";
                             case FilmIndex::Between:
                                 return "FilmBetween";
                             default:
                                 return "FilmAboveBoth";
                             }
                         });

TEST(FilmAgainstTransferMatrix, ModelItselfMatchesTheClosedFormsAtNormalIncidence) {
    // Guards the independent model: a quarter-wave layer of 1.38 on 1.5 in air.
    const double quarterWave =
        TransferMatrixReflectance(1.0, 550.0, 550.0 / (4.0 * 1.38), Layers{1.0, 1.38, 1.5});
    const double n11 = 1.38 * 1.38;
    EXPECT_NEAR(quarterWave, std::pow((1.5 - n11) / (1.5 + n11), 2.0), 1e-12);
    EXPECT_NEAR(TransferMatrixReflectance(1.0, 500.0, 0.0, Layers{1.0, 2.0, 1.5}), 0.04, 1e-12);
}

} // namespace
} // namespace nacreen
