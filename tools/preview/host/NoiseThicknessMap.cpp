#include "NoiseThicknessMap.h"

#include <ioapi.h>

#include <algorithm>
#include <cmath>

namespace preview {
namespace {

constexpr USHORT kSettingsChunk = 0x0100;
constexpr int kOctaves = 4;
// Summed octaves crowd round 0.5; this spreads them back over most of 0 to 1.
constexpr float kContrast = 2.2f;

} // namespace

const Class_ID NoiseThicknessMap::kClassID(0x6A1F3C53, 0x4C81E2A7);

float NoiseThicknessMap::ValueAt(const Point3& point) const {
    const FractalNoise noise(seed_, kOctaves);
    const float value = noise.At(point.x / size_, point.y / size_, point.z / size_);
    return std::clamp((value - 0.5f) * kContrast + 0.5f, 0.0f, 1.0f);
}

AColor NoiseThicknessMap::EvalColor(ShadeContext& sc) {
    const float value = ValueAt(sc.PObj());
    return AColor(value, value, value, 1.0f);
}

float NoiseThicknessMap::EvalMono(ShadeContext& sc) {
    return ValueAt(sc.PObj());
}

void NoiseThicknessMap::GetClassName(MSTR& s, bool /*localized*/) const {
    s = L"Noise";
}

RefTargetHandle NoiseThicknessMap::Clone(RemapDir& remap) {
    auto* copy = new NoiseThicknessMap();
    copy->seed_ = seed_;
    copy->size_ = size_;
    BaseClone(this, copy, remap);
    return copy;
}

IOResult NoiseThicknessMap::Save(ISave* isave) {
    ULONG written = 0;
    isave->BeginChunk(kSettingsChunk);
    IOResult result = isave->Write(&seed_, sizeof seed_, &written);
    if (result == IO_OK) {
        result = isave->Write(&size_, sizeof size_, &written);
    }
    isave->EndChunk();
    return result;
}

IOResult NoiseThicknessMap::Load(ILoad* iload) {
    ULONG read = 0;
    while (iload->OpenChunk() == IO_OK) {
        if (iload->CurChunkID() == kSettingsChunk) {
            if (iload->Read(&seed_, sizeof seed_, &read) != IO_OK ||
                iload->Read(&size_, sizeof size_, &read) != IO_OK || !(size_ > 0.0f) ||
                !std::isfinite(size_)) {
                return IO_ERROR;
            }
        }
        iload->CloseChunk();
    }
    return IO_OK;
}

} // namespace preview
