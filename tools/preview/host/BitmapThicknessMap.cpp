#include "BitmapThicknessMap.h"

#include "ImageSampler.h"
#include "PngReader.h"
#include "PreviewError.h"
#include "SceneLoadErrors.h"
#include "WideText.h"

#include <ioapi.h>

#include <filesystem>

namespace preview {
namespace {

constexpr USHORT kPathChunk = 0x0100;

std::string AbsolutePath(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute.lexically_normal().string();
}

} // namespace

const Class_ID BitmapThicknessMap::kClassID(0x6A1F3C52, 0x2E7B9D04);

BitmapThicknessMap::BitmapThicknessMap(const std::string& path)
    : path_(AbsolutePath(path)), image_(std::make_shared<const LinearImage>(ReadPng(path))) {}

AColor BitmapThicknessMap::EvalColor(ShadeContext& sc) {
    if (!image_) {
        return AColor(0.0f, 0.0f, 0.0f, 1.0f);
    }
    const Point3 uvw = sc.UVW(0);
    const RgbPixel value = SampleBilinear(*image_, uvw.x, uvw.y);
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
        image_ = std::make_shared<const LinearImage>(ReadPng(path_));
    } catch (const PreviewError& error) {
        RecordSceneLoadError("its thickness map " + std::string(error.what()));
        return IO_ERROR;
    }
    return IO_OK;
}

} // namespace preview
