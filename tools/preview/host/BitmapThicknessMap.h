#pragma once

#include "HostTexmap.h"
#include "LinearImage.h"

#include <memory>
#include <string>

namespace preview {

// The host's bitmap map: a PNG (grey or colour) mapped over the surface's UVs, its stored
// values read as 0 to 1. Scenes keep the file's absolute path and read the file again on load.
class BitmapThicknessMap : public HostTexmap {
public:
    static const Class_ID kClassID;

    BitmapThicknessMap() = default;
    // Throws PreviewError when the file cannot be read as a PNG.
    explicit BitmapThicknessMap(const std::string& path);

    const std::string& Path() const { return path_; }

    AColor EvalColor(ShadeContext& sc) override;

    Class_ID ClassID() override { return kClassID; }
    void GetClassName(MSTR& s, bool localized = true) const override;
    RefTargetHandle Clone(RemapDir& remap) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

private:
    std::string path_;
    std::shared_ptr<const LinearImage> image_;
};

} // namespace preview
