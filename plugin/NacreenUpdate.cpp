// Caching the parameter values that every shading sample reads.
#include "Nacreen.h"

#include "NacreenParamBlock.h"

namespace {

// Which parameter feeds which field of the snapshot, in the order an update reads them.
struct SnapshotSource {
    ParamID id;
    float nacreen::FilmParams::*field;
};

constexpr SnapshotSource kSnapshotSources[] = {
    {pb_thicknessmax, &nacreen::FilmParams::thicknessAtZero},
    {pb_thicknessmin, &nacreen::FilmParams::thicknessAtOne},
    {pb_nmedium, &nacreen::FilmParams::nMedium},
    {pb_nfilm, &nacreen::FilmParams::nFilm},
    {pb_ninternal, &nacreen::FilmParams::nInternal},
    {pb_hue, &nacreen::FilmParams::hueShift},
    {pb_sat, &nacreen::FilmParams::saturationShift},
};

} // namespace

// The descriptor's defaults, so that a map shades as a default map even before its first update.
nacreen::FilmParams Nacreen::DefaultSnapshot() {
    nacreen::FilmParams defaults{};
    for (const SnapshotSource& source : kSnapshotSources) {
        defaults.*source.field = nacreenParamBlockDesc.GetParamDef(source.id).def.f;
    }
    return defaults;
}

void Nacreen::Update(TimeValue t, Interval& valid) {
    if (!paramBlock) {
        return;
    }
    if (!validity.InInterval(t)) {
        ReadSnapshot(t);
    }
    valid &= validity;
}

// Each read narrows `validity` to the span in which its value holds, so an animated parameter
// or sub-object makes the next update outside that span read everything again.
void Nacreen::ReadSnapshot(TimeValue t) {
    validity = FOREVER;
    if (textureOutput) {
        textureOutput->Update(t, validity);
    }
    IParamBlock2* block = GetParamBlock(0);
    if (!block) {
        return;
    }
    block->GetValue(pb_thicknessmapenabled, t, useThicknessMap, validity);
    if (thicknessMap) {
        thicknessMap->Update(t, validity);
    }
    for (const SnapshotSource& source : kSnapshotSources) {
        block->GetValue(source.id, t, snapshot.*source.field, validity);
    }
}

// Asking for the validity refreshes the snapshot for `t` as a side effect.
Interval Nacreen::Validity(TimeValue t) {
    Interval ignored = NEVER;
    Update(t, ignored);
    return validity;
}
