#pragma once

// Amplitude (Fresnel) coefficients of one interface, from a medium of index ni into a medium of
// index nt; cosI is the cosine of the angle on the ni side, cosT on the nt side. The signs carry
// the phase flip of a reflection at a denser medium.

namespace nacreen {

inline float FresnelRs(float ni, float nt, float cosI, float cosT) {
    return (ni * cosI - nt * cosT) / (nt * cosT + ni * cosI);
}

inline float FresnelRp(float ni, float nt, float cosI, float cosT) {
    return (nt * cosI - ni * cosT) / (ni * cosT + nt * cosI);
}

inline float FresnelTs(float ni, float nt, float cosI, float cosT) {
    return (2.0f * ni) * cosI / (ni * cosI + nt * cosT);
}

inline float FresnelTp(float ni, float nt, float cosI, float cosT) {
    return (2.0f * ni) * cosI / (nt * cosI + ni * cosT);
}

} // namespace nacreen
