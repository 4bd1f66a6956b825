// Caching the parameter values that every shading sample reads.
#include "Nacreen.h"

#include "NacreenParamBlock.h"

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
    block->GetValue(pb_thicknessmax, t, snapshot.thicknessAtZero, validity);
    block->GetValue(pb_thicknessmin, t, snapshot.thicknessAtOne, validity);
    block->GetValue(pb_nmedium, t, snapshot.nMedium, validity);
    block->GetValue(pb_nfilm, t, snapshot.nFilm, validity);
    block->GetValue(pb_ninternal, t, snapshot.nInternal, validity);
    block->GetValue(pb_hue, t, snapshot.hueShift, validity);
    block->GetValue(pb_sat, t, snapshot.saturationShift, validity);
}

// Asking for the validity refreshes the snapshot for `t` as a side effect.
Interval Nacreen::Validity(TimeValue t) {
    Interval ignored = NEVER;
    Update(t, ignored);
    return validity;
}
