#pragma once

namespace nacreen {

// Single-precision constants of the film model; results are compared bit for bit, so these are
// the exact float values the arithmetic uses.
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;

// The three wavelengths (nanometres) at which the film is sampled for the red, green and blue
// channels.
constexpr float kRedWavelength = 650.0f;
constexpr float kGreenWavelength = 510.0f;
constexpr float kBlueWavelength = 475.0f;

} // namespace nacreen
