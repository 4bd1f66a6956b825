#include "HostTexmapClasses.h"

#include "BitmapThicknessMap.h"
#include "NoiseThicknessMap.h"
#include "ThicknessRampMap.h"

#include <maxhost/ClassRegistry.h>

#include <plugapi.h>

namespace preview {
namespace {

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

void RegisterHostTexmapClasses() {
    static HostTexmapClassDesc<BitmapThicknessMap> bitmap(L"Bitmap");
    static HostTexmapClassDesc<NoiseThicknessMap> noise(L"Noise");
    static HostTexmapClassDesc<ThicknessRampMap> ramp(L"Thickness Ramp");
    maxhost::RegisterClassDesc(&bitmap);
    maxhost::RegisterClassDesc(&noise);
    maxhost::RegisterClassDesc(&ramp);
}

} // namespace preview
