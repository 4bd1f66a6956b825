// Construction, identity and the reference structure of the Nacreen map.
#include "Nacreen.h"

#include "resources/resource.h"

#include "HostHeap.h"
#include "NacreenClassDesc.h"
#include "NacreenParamBlock.h"
#include "NacreenReferences.h"
#include "ResourceString.h"

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
