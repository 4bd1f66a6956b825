// The Nacreen texture map: colours a surface by thin-film interference.
#pragma once

#include <max.h>
#include <imtl.h>
#include <iparamb2.h>

#include "shading/FilmParams.h"

// References, sub-anims and sub-texmaps of a Nacreen map share one numbering.
enum NacreenRefID {
    PBLOCK_REF,
    THICKNESS_MAP_REF,
    OUTPUT_REF,
    NUM_REFS,
};

// The thickness map is the map's only sub-texmap.
enum NacreenSubTexID {
    THICKNESS_MAP_SUBTEX,
    NUM_SUBTEXMAPS,
};

class Nacreen : public Texmap {
public:
    Nacreen();
    ~Nacreen() override = default;

    // Animatable
    void DeleteThis() override;
    void GetClassName(MSTR& s, bool localized = true) const override;
    SClass_ID SuperClassID() override;
    Class_ID ClassID() override;
    int NumSubs() override;
    Animatable* SubAnim(int i) override;
    MSTR SubAnimName(int i, bool localized) override;
    int SubNumToRefNum(int subNum) override;
    int NumParamBlocks() override;
    IParamBlock2* GetParamBlock(int i) override;
    IParamBlock2* GetParamBlockByID(BlockID id) override;

    // ReferenceMaker
    int NumRefs() override;
    RefTargetHandle GetReference(int i) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL propagate) override;

    // ReferenceTarget
    RefTargetHandle Clone(RemapDir& remap) override;

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;
    void Reset() override;
    Interval Validity(TimeValue t) override;
    ParamDlg* CreateParamDlg(HWND hwMtlEdit, IMtlParams* imp) override;

    // Texmap
    AColor EvalColor(ShadeContext& sc) override;
    float EvalMono(ShadeContext& sc) override;
    Point3 EvalNormalPerturb(ShadeContext& sc) override;
    bool IsLocalOutputMeaningful(ShadeContext& sc) override;

    // ISubMap
    int NumSubTexmaps() override;
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i, bool localized) override;
    BOOL SetDlgThing(ParamDlg* dlg) override;

    // Enables the rollout controls that only matter with a thickness map while the
    // "thicknessmapenabled" check box is set.
    void UpdateThicknessControls();

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;

private:
    static nacreen::FilmParams DefaultSnapshot();
    void ReadSnapshot(TimeValue t);
    void HandOffGBufferID(ShadeContext& sc) const;

    Interval validity;
    nacreen::FilmParams snapshot;
    IParamBlock2* paramBlock;
    Texmap* thicknessMap;
    int useThicknessMap;
    TextureOutput* textureOutput;
};
