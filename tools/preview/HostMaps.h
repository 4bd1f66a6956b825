// The host's own texture maps, which a Nacreen map takes as its thickness map: a bitmap, a
// procedural noise, and the ramp that drives a chart. The first two save and load with scenes.
#pragma once

#include "imaging/Image.h"

#include <imtl.h>

#include <memory>
#include <string>
#include <vector>

namespace preview {

class MapParameters;

// The largest PNG file a bitmap thickness map reads.
constexpr unsigned long long kMaxThicknessMapBytes = 512ull << 20;

// What the host's simple maps share: no references, no parameter block, no editor rollout, no
// animation and no bump. A subclass supplies its colour and identity.
class HostTexmap : public Texmap {
public:
    void DeleteThis() override { delete this; }

    void Update(TimeValue /*t*/, Interval& /*valid*/) override {}
    void Reset() override {}
    Interval Validity(TimeValue /*t*/) override { return FOREVER; }
    ParamDlg* CreateParamDlg(HWND /*hwMtlEdit*/, IMtlParams* /*imp*/) override { return nullptr; }
    Point3 EvalNormalPerturb(ShadeContext& /*sc*/) override { return Point3(0.0f, 0.0f, 0.0f); }
    float EvalMono(ShadeContext& sc) override {
        const AColor c = EvalColor(sc);
        return ((c.r + c.g) + c.b) / 3.0f;
    }

protected:
    RefResult NotifyRefChanged(const Interval& /*changeInt*/, RefTargetHandle /*hTarget*/,
                               PartID& /*partID*/, RefMessage /*message*/,
                               BOOL /*propagate*/) override {
        return REF_SUCCEED;
    }
};

// A PNG (grey or colour) over the surface's UVs, its stored values read as 0 to 1: u repeats,
// v runs from the bottom row (0) to the top row (1) and holds at the edges. Scenes keep the
// file's absolute path and read the file again on load.
class BitmapThicknessMap : public HostTexmap {
public:
    static const Class_ID kClassID;

    BitmapThicknessMap() = default;
    // Throws ToolError when the file cannot be read as a thickness map.
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
    std::shared_ptr<const imaging::LinearImage> image_;
};

// Fractal noise over the object's own coordinates, stretched to use most of 0 to 1, grey: the
// swirled, uneven look of a real film without a picture. Scenes keep its seed and cell size.
class NoiseThicknessMap : public HostTexmap {
public:
    static const Class_ID kClassID;

    float ValueAt(const Point3& point) const;

    AColor EvalColor(ShadeContext& sc) override;
    float EvalMono(ShadeContext& sc) override { return ValueAt(sc.PObj()); }
    Class_ID ClassID() override { return kClassID; }
    void GetClassName(MSTR& s, bool localized = true) const override;
    RefTargetHandle Clone(RemapDir& remap) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

private:
    std::uint32_t seed_ = 1;
    float size_ = 0.7f; // object units per noise cell
};

// Drives a chart: its value is the sample's u coordinate, which the chart sets to the column's
// share of the thickness axis. Lives only while a chart renders; never saved.
class ThicknessRampMap : public HostTexmap {
public:
    static const Class_ID kClassID;

    AColor EvalColor(ShadeContext& sc) override;
    float EvalMono(ShadeContext& sc) override { return sc.UVW(0).x; }
    Class_ID ClassID() override { return kClassID; }
    void GetClassName(MSTR& s, bool localized = true) const override;
    RefTargetHandle Clone(RemapDir& remap) override;
};

// Registers the three classes with the host, so that scenes holding them save and load. Safe
// to call more than once.
void RegisterHostTexmapClasses();

// Turns the map into its own chart: thickness 0 at map value 0 and maxThickness at 1, keys on
// the two thicknesses removed, the thickness map switched on and replaced by a ramp. Everything
// else (indices, hue, saturation, gamma, output) stays as the user set it.
void PrepareChartMap(Texmap& map, MapParameters& parameters, float maxThickness);

// The thicknesses the map's film takes at time t, before the chart changes it: thicknessmax
// alone, or with a thickness map in use also thicknessmin, the other end of its range.
std::vector<float> FilmThicknesses(Texmap& map, MapParameters& parameters, TimeValue t);

// The files of every bitmap thickness map in the map's tree of sub-maps.
std::vector<std::string> ThicknessMapFiles(Texmap& map);

} // namespace preview
