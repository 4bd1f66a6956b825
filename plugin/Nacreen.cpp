// The Nacreen texture map: construction and identity, references, update, shading of a sample,
// saving and loading, and the hand-off to its rollout.
#include "Nacreen.h"

#include <iparamm2.h>

#include "resources/resource.h"
#include "shading/ShadeFilm.h"

#include "DllEntry.h"
#include "HostHeap.h"
#include "NacreenClassDesc.h"
#include "NacreenDlgProc.h"

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

// Scene-file chunks. The map writes only its base-class data, wrapped in the first; the host
// stores the parameter block, the thickness map and the output object as references 0 to 2.
constexpr USHORT kMtlHeaderChunk = 0x4000;
// Written by earlier versions. Its contents are no longer used; it only clears the cached flag,
// which the next update reads again from the parameter block.
constexpr USHORT kLegacyChunk = 0x1000;

// The output object's dialog made by the latest CreateParamDlg; shared by all maps and never
// owned.
ParamDlg* outputDlg = nullptr;

// Conversions between the host's geometry and colour types and those of the shading core.
nacreen::Vec3 ToVec3(const Point3& p) {
    return nacreen::Vec3{p.x, p.y, p.z};
}

AColor ToAColor(const nacreen::Color4& c) {
    return AColor(c.r, c.g, c.b, c.a);
}

} // namespace

// Until the first update the snapshot holds the block's defaults.
Nacreen::Nacreen()
    : validity(NEVER), snapshot(DefaultSnapshot()), paramBlock(nullptr), thicknessMap(nullptr),
      useThicknessMap(0), textureOutput(nullptr) {
    GetNacreenDesc()->MakeAutoParamBlocks(this);
    Reset();
}

void Nacreen::DeleteThis() {
    delete this;
}

void Nacreen::GetClassName(MSTR& s, bool /*localized*/) const {
    s = _T("Nacreen");
}

SClass_ID Nacreen::SuperClassID() {
    return TEXMAP_CLASS_ID;
}

Class_ID Nacreen::ClassID() {
    return NACREEN_CLASS_ID;
}

int Nacreen::NumSubs() {
    return NUM_REFS;
}

Animatable* Nacreen::SubAnim(int i) {
    return GetReference(i);
}

// The resources are English only, so the localized and the non-localized names are the same.
MSTR Nacreen::SubAnimName(int i, bool localized) {
    switch (i) {
    case PBLOCK_REF:
        return GetResourceText(IDS_PARAMS);
    case THICKNESS_MAP_REF:
        return GetSubTexmapTVName(THICKNESS_MAP_SUBTEX, localized);
    case OUTPUT_REF:
        return GetResourceText(IDS_OUTPUT);
    default:
        return MSTR();
    }
}

int Nacreen::SubNumToRefNum(int subNum) {
    return subNum;
}

int Nacreen::NumParamBlocks() {
    return 1;
}

IParamBlock2* Nacreen::GetParamBlock(int /*i*/) {
    return paramBlock;
}

IParamBlock2* Nacreen::GetParamBlockByID(BlockID id) {
    return paramBlock && paramBlock->ID() == id ? paramBlock : nullptr;
}

int Nacreen::NumRefs() {
    return NUM_REFS;
}

RefTargetHandle Nacreen::GetReference(int i) {
    switch (i) {
    case PBLOCK_REF:
        return paramBlock;
    case THICKNESS_MAP_REF:
        return thicknessMap;
    case OUTPUT_REF:
        return textureOutput;
    default:
        return nullptr;
    }
}

void Nacreen::SetReference(int i, RefTargetHandle rtarg) {
    switch (i) {
    case PBLOCK_REF:
        paramBlock = static_cast<IParamBlock2*>(rtarg);
        break;
    case THICKNESS_MAP_REF:
        thicknessMap = static_cast<Texmap*>(rtarg);
        break;
    case OUTPUT_REF:
        textureOutput = static_cast<TextureOutput*>(rtarg);
        break;
    default:
        break;
    }
}

RefResult Nacreen::NotifyRefChanged(const Interval& /*changeInt*/, RefTargetHandle hTarget,
                                    PartID& /*partID*/, RefMessage message, BOOL /*propagate*/) {
    if (message == REFMSG_CHANGE) {
        validity.SetEmpty();
        if (hTarget == paramBlock) {
            GetNacreenDesc()->InvalidateUI(&nacreenParamBlockDesc, paramBlock->LastNotifyParamID(),
                                           -1);
        }
    }
    return REF_SUCCEED;
}

RefTargetHandle Nacreen::Clone(RemapDir& remap) {
    Nacreen* copy = NewOnHostHeap<Nacreen>();
    if (!copy) {
        return nullptr;
    }
    *static_cast<MtlBase*>(copy) = *static_cast<MtlBase*>(this);
    copy->ReplaceReference(OUTPUT_REF, remap.CloneRef(textureOutput));
    copy->ReplaceReference(PBLOCK_REF, remap.CloneRef(paramBlock));
    copy->validity.SetEmpty();
    if (thicknessMap) {
        copy->ReplaceReference(THICKNESS_MAP_REF, remap.CloneRef(thicknessMap));
        copy->useThicknessMap = useThicknessMap;
    }
    BaseClone(this, copy, remap);
    return copy;
}

void Nacreen::Reset() {
    GetNacreenDesc()->Reset(this, TRUE, TRUE);
    DeleteReference(THICKNESS_MAP_REF);
    if (textureOutput) {
        textureOutput->Reset();
    } else {
        ReplaceReference(OUTPUT_REF, GetNewDefaultTextureOutput());
    }
    useThicknessMap = 0;
    validity.SetEmpty();
}

int Nacreen::NumSubTexmaps() {
    return NUM_SUBTEXMAPS;
}

Texmap* Nacreen::GetSubTexmap(int i) {
    return i == THICKNESS_MAP_SUBTEX ? thicknessMap : nullptr;
}

// The map goes straight onto its reference; the block's "thicknessmap" parameter is bound to
// that reference and so reports the new map by itself.
void Nacreen::SetSubTexmap(int i, Texmap* m) {
    if (i != THICKNESS_MAP_SUBTEX) {
        return;
    }
    ReplaceReference(THICKNESS_MAP_REF, m);
    GetNacreenDesc()->InvalidateUI(&nacreenParamBlockDesc, pb_thicknessmap, -1);
    validity.SetEmpty();
}

// As with SubAnimName, both forms are the one English name.
MSTR Nacreen::GetSubTexmapSlotName(int i, bool /*localized*/) {
    return i == THICKNESS_MAP_SUBTEX ? GetResourceText(IDS_THICKNESS_MAP) : MSTR(_T(""));
}

// Update: caching the parameter values that every shading sample reads.

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

// Shading: runs on the host's render threads, several at once, so it only reads the map's
// cached state and allocates nothing.

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

// Saving and loading.

IOResult Nacreen::Save(ISave* isave) {
    isave->BeginChunk(kMtlHeaderChunk);
    const IOResult result = MtlBase::Save(isave);
    if (result != IO_OK) {
        return result;
    }
    isave->EndChunk();
    return IO_OK;
}

IOResult Nacreen::Load(ILoad* iload) {
    IOResult opened;
    while ((opened = iload->OpenChunk()) == IO_OK) {
        IOResult result = IO_OK;
        switch (iload->CurChunkID()) {
        case kMtlHeaderChunk:
            result = MtlBase::Load(iload);
            break;
        case kLegacyChunk:
            useThicknessMap = 0;
            break;
        default:
            break;
        }
        iload->CloseChunk();
        if (result != IO_OK) {
            return result;
        }
    }
    // Running out of chunks is the normal end; a failed read is reported as such.
    return opened == IO_END ? IO_OK : opened;
}

// The editor dialog: the automatic "Nacreen Parameters" rollout with its user dialog procedure,
// and the output object's rollout below it.

ParamDlg* Nacreen::CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) {
    IAutoMParamDlg* masterDlg = GetNacreenDesc()->CreateParamDlgs(hwMtlEdit, imp, this);
    // From here on the host owns the procedure and frees it through DeleteThis. Without one the
    // rollout still works, only without the link buttons and the check-box refresh.
    nacreenParamBlockDesc.SetUserDlgProc(nacreen_rollout, NewOnHostHeap<NacreenDlgProc>(this));
    outputDlg = textureOutput->CreateParamDlg(hwMtlEdit, imp);
    masterDlg->AddDlg(outputDlg);
    UpdateThicknessControls();
    return masterDlg;
}

void Nacreen::UpdateThicknessControls() {
    if (!paramBlock) {
        return;
    }
    const BOOL enabled = paramBlock->GetInt(pb_thicknessmapenabled, 0, 0);
    IParamMap2* map = paramBlock->GetMap(nacreen_rollout);
    if (!map) {
        return;
    }
    map->Enable(pb_thicknessmin, enabled, 0);
    map->Enable(pb_thicknessmap, enabled, 0);
}

BOOL Nacreen::SetDlgThing(ParamDlg* dlg) {
    if (outputDlg && dlg == outputDlg) {
        outputDlg->SetThing(textureOutput);
        return TRUE;
    }
    return FALSE;
}
