// The per-sample road: runs on the host's render threads, several at once, so it only reads
// the map's cached state and allocates nothing.
#include "Nacreen.h"

#include "shading/ShadeFilm.h"

#include "NacreenParamBlock.h"
#include "ShadingAdapters.h"

void Nacreen::HandOffGBufferID(ShadeContext& sc) const {
    if (gbufID != 0) {
        sc.SetGBufferID(static_cast<int>(gbufID));
    }
}

AColor Nacreen::EvalColor(ShadeContext& sc) {
    HandOffGBufferID(sc);
    float mapValue = 0.0f;
    if (useThicknessMap && thicknessMap) {
        mapValue = thicknessMap->EvalMono(sc);
    }
    const Point3 view = sc.V();
    const Point3 normal = sc.Normal();
    // Gamma is not cached: its value at time 0 applies at every frame.
    const float gamma = paramBlock->GetFloat(pb_gamma, 0, 0);
    const nacreen::Color4 colour =
        nacreen::ShadeFilm(ToVec3(view), ToVec3(normal), mapValue, snapshot, gamma);
    return textureOutput->Filter(ToAColor(colour));
}

float Nacreen::EvalMono(ShadeContext& sc) {
    HandOffGBufferID(sc);
    const AColor c = EvalColor(sc);
    return ((c.r + c.g) + c.b) / 3.0f;
}

Point3 Nacreen::EvalNormalPerturb(ShadeContext& sc) {
    HandOffGBufferID(sc);
    return Point3(0.0f, 0.0f, 0.0f);
}

bool Nacreen::IsLocalOutputMeaningful(ShadeContext& /*sc*/) {
    return true;
}
