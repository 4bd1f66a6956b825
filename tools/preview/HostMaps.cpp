#include "HostMaps.h"

#include "Parameters.h"
#include "imaging/Files.h"
#include "imaging/Noise.h"
#include "imaging/Png.h"
#include "imaging/Tool.h"

#include <iparamb2.h>
#include <ioapi.h>
#include <maxhost/Host.h>
#include <maxhost/SceneFiles.h>
#include <plugapi.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

namespace preview {
namespace {

constexpr USHORT kPathChunk = 0x0100;

std::string AbsolutePath(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute.lexically_normal().string();
}

std::shared_ptr<const imaging::LinearImage> ReadThicknessMap(const std::string& path) {
    imaging::InputFile file(path, kMaxThicknessMapBytes, "thickness map");
    return std::make_shared<const imaging::LinearImage>(
        imaging::DecodePng(file.Stream(), file.Size(), path));
}

int Wrap(int index, int size) {
    const int wrapped = index % size;
    return wrapped < 0 ? wrapped + size : wrapped;
}

imaging::RgbPixel Mix(const imaging::RgbPixel& a, const imaging::RgbPixel& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Bilinear lookup at (u, v): u repeats, so the map is seamless round a sphere, and v holds at
// the edges, so nothing bleeds across the poles.
imaging::RgbPixel SampleBilinear(const imaging::LinearImage& image, float u, float v) {
    if (!std::isfinite(u) || !std::isfinite(v)) {
        return image.At(0, 0);
    }
    const double x = static_cast<double>(u) * image.Width() - 0.5;
    const double y = (1.0 - static_cast<double>(v)) * image.Height() - 0.5;
    const double clampedY = std::clamp(y, 0.0, image.Height() - 1.0);
    const double x0 = std::floor(x);
    const double y0 = std::floor(clampedY);
    const auto tx = static_cast<float>(x - x0);
    const auto ty = static_cast<float>(clampedY - y0);
    const int column0 = Wrap(static_cast<int>(std::fmod(x0, image.Width())), image.Width());
    const int column1 = Wrap(column0 + 1, image.Width());
    const int row0 = static_cast<int>(y0);
    const int row1 = std::min(row0 + 1, image.Height() - 1);
    const imaging::RgbPixel top = Mix(image.At(column0, row0), image.At(column1, row0), tx);
    const imaging::RgbPixel bottom = Mix(image.At(column0, row1), image.At(column1, row1), tx);
    return Mix(top, bottom, ty);
}

constexpr USHORT kNoiseChunk = 0x0100;
constexpr int kOctaves = 4;
// Summed octaves crowd round 0.5; this spreads them back over most of 0 to 1.
constexpr float kContrast = 2.2f;

// The descriptor of a host map class: creates it, names it and files it under "Maps".
template <typename Map> class HostTexmapClassDesc : public ClassDesc {
public:
    explicit HostTexmapClassDesc(const MCHAR* name) : name_(name) {}

    int IsPublic() override { return 0; }
    void* Create(BOOL /*loading*/) override { return new Map(); }
    const MCHAR* ClassName() override { return name_; }
    const MCHAR* NonLocalizedClassName() override { return name_; }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return Map::kClassID; }
    const MCHAR* Category() override { return L"Maps"; }

private:
    const MCHAR* name_;
};

} // namespace

const Class_ID BitmapThicknessMap::kClassID(0x6A1F3C52, 0x2E7B9D04);

BitmapThicknessMap::BitmapThicknessMap(const std::string& path)
    : path_(AbsolutePath(path)), image_(ReadThicknessMap(path)) {}

AColor BitmapThicknessMap::EvalColor(ShadeContext& sc) {
    if (!image_) {
        return AColor(0.0f, 0.0f, 0.0f, 1.0f);
    }
    const Point3 uvw = sc.UVW(0);
    const imaging::RgbPixel value = SampleBilinear(*image_, uvw.x, uvw.y);
    return AColor(value.r, value.g, value.b, 1.0f);
}

void BitmapThicknessMap::GetClassName(MSTR& s, bool /*localized*/) const {
    s = L"Bitmap";
}

RefTargetHandle BitmapThicknessMap::Clone(RemapDir& remap) {
    auto* copy = new BitmapThicknessMap();
    copy->path_ = path_;
    copy->image_ = image_;
    BaseClone(this, copy, remap);
    return copy;
}

IOResult BitmapThicknessMap::Save(ISave* isave) {
    isave->BeginChunk(kPathChunk);
    const IOResult result = isave->WriteWString(ToWide(path_).c_str());
    isave->EndChunk();
    return result;
}

IOResult BitmapThicknessMap::Load(ILoad* iload) {
    while (iload->OpenChunk() == IO_OK) {
        if (iload->CurChunkID() == kPathChunk) {
            wchar_t* text = nullptr;
            if (iload->ReadWStringChunk(&text) != IO_OK || text == nullptr) {
                return IO_ERROR;
            }
            path_ = ToUtf8(text);
        }
        iload->CloseChunk();
    }
    try {
        image_ = ReadThicknessMap(path_);
    } catch (const imaging::ToolError& error) {
        if (auto* reader = dynamic_cast<maxhost::ChunkReader*>(iload)) {
            reader->failure = "its thickness map: " + std::string(error.what());
        }
        return IO_ERROR;
    }
    return IO_OK;
}

const Class_ID NoiseThicknessMap::kClassID(0x6A1F3C53, 0x4C81E2A7);

float NoiseThicknessMap::ValueAt(const Point3& point) const {
    const imaging::FractalNoise noise(seed_, kOctaves);
    const float value = noise.At(point.x / size_, point.y / size_, point.z / size_);
    return std::clamp((value - 0.5f) * kContrast + 0.5f, 0.0f, 1.0f);
}

AColor NoiseThicknessMap::EvalColor(ShadeContext& sc) {
    const float value = ValueAt(sc.PObj());
    return AColor(value, value, value, 1.0f);
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
    isave->BeginChunk(kNoiseChunk);
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
        if (iload->CurChunkID() == kNoiseChunk) {
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

const Class_ID ThicknessRampMap::kClassID(0x6A1F3C54, 0x13D5A6F9);

AColor ThicknessRampMap::EvalColor(ShadeContext& sc) {
    const float u = sc.UVW(0).x;
    return AColor(u, u, u, 1.0f);
}

void ThicknessRampMap::GetClassName(MSTR& s, bool /*localized*/) const {
    s = L"Thickness Ramp";
}

RefTargetHandle ThicknessRampMap::Clone(RemapDir& remap) {
    auto* copy = new ThicknessRampMap();
    BaseClone(this, copy, remap);
    return copy;
}

void RegisterHostTexmapClasses() {
    static HostTexmapClassDesc<BitmapThicknessMap> bitmap(L"Bitmap");
    static HostTexmapClassDesc<NoiseThicknessMap> noise(L"Noise");
    static HostTexmapClassDesc<ThicknessRampMap> ramp(L"Thickness Ramp");
    maxhost::RegisterClassDesc(&bitmap);
    maxhost::RegisterClassDesc(&noise);
    maxhost::RegisterClassDesc(&ramp);
}

void PrepareChartMap(Texmap& map, MapParameters& parameters, float maxThickness) {
    // thicknessmax is the thickness at map value 0 and thicknessmin the one at value 1.
    parameters.ClearKeys("thicknessmax");
    parameters.ClearKeys("thicknessmin");
    parameters.SetFloat("thicknessmax", 0.0f);
    parameters.SetFloat("thicknessmin", maxThickness);
    parameters.SetInteger("thicknessmapenabled", 1);
    map.SetSubTexmap(0, new ThicknessRampMap());
}

std::vector<float> FilmThicknesses(Texmap& map, MapParameters& parameters, TimeValue t) {
    IParamBlock2& block = parameters.Block();
    const auto id = [&](const char* name) { return FindParameter(parameters.Table(), name).id; };
    std::vector<float> thicknesses{block.GetFloat(id("thicknessmax"), t)};
    if (block.GetInt(id("thicknessmapenabled"), t) != 0 && map.GetSubTexmap(0) != nullptr) {
        thicknesses.push_back(block.GetFloat(id("thicknessmin"), t));
    }
    return thicknesses;
}

std::vector<std::string> ThicknessMapFiles(Texmap& map) {
    std::vector<std::string> files;
    std::vector<Texmap*> maps{&map};
    while (!maps.empty()) {
        Texmap* next = maps.back();
        maps.pop_back();
        if (auto* bitmap = dynamic_cast<BitmapThicknessMap*>(next)) {
            files.push_back(bitmap->Path());
        }
        for (int i = 0; i < next->NumSubTexmaps(); ++i) {
            if (Texmap* sub = next->GetSubTexmap(i)) {
                maps.push_back(sub);
            }
        }
    }
    return files;
}

} // namespace preview
