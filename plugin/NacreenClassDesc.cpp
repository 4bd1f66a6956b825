// The class descriptor of the Nacreen texture map, with its identity, names and creation, and the
// static descriptor of the map's parameter block, whose tag list also lays out the rollout.
#include "NacreenClassDesc.h"

#include "resources/resource.h"

#include "DllEntry.h"
#include "HostHeap.h"
#include "Nacreen.h"

class NacreenClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return TRUE; }
    // A map created for loading is built exactly like a new one; the host then loads into it.
    void* Create(BOOL /*loading*/ = FALSE) override { return NewOnHostHeap<Nacreen>(); }
    const MCHAR* ClassName() override { return GetResourceString(IDS_CLASS_NAME); }
    const MCHAR* NonLocalizedClassName() override { return _T("Nacreen"); }
    const MCHAR* InternalName() override { return _T("Nacreen"); }
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    Class_ID ClassID() override { return NACREEN_CLASS_ID; }
    const MCHAR* Category() override { return GetResourceString(IDS_CATEGORY); }
    HINSTANCE HInstance() override { return GetModuleInstance(); }
};

ClassDesc2* GetNacreenDesc() {
    static NacreenClassDesc nacreenDesc;
    return &nacreenDesc;
}

// Built during static initialisation; GetNacreenDesc() constructs the class descriptor first.
// clang-format off
ParamBlockDesc2 nacreenParamBlockDesc(
    nacreen_params, _T("params"), 0, GetNacreenDesc(), P_AUTO_CONSTRUCT + P_AUTO_UI, PBLOCK_REF,
    // rollout
    IDD_NACREEN, IDS_PARAMS, 0, 0, nullptr,
    // params
    pb_thicknessmax, _T("thicknessmax"), TYPE_FLOAT, P_ANIMATABLE, IDS_THICKNESS_MIN,
        p_default, 250.0f,
        p_range, 0.0f, 3000.0f,
        p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_THICKNESS_MIN_EDIT, IDC_THICKNESS_MIN_SPIN, 1.0f,
        p_end,
    pb_thicknessmin, _T("thicknessmin"), TYPE_FLOAT, P_ANIMATABLE, IDS_THICKNESS_MAX,
        p_default, 350.0f,
        p_range, 0.0f, 3000.0f,
        p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_THICKNESS_MAX_EDIT, IDC_THICKNESS_MAX_SPIN, 1.0f,
        p_end,
    pb_nmedium, _T("nmedium"), TYPE_FLOAT, P_ANIMATABLE, IDS_N_MEDIUM,
        p_default, 1.0f,
        p_range, 0.2f, 100.0f,
        p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_N_MEDIUM_EDIT, IDC_N_MEDIUM_SPIN, 0.01f,
        p_end,
    pb_nfilm, _T("nfilm"), TYPE_FLOAT, P_ANIMATABLE, IDS_N_FILM,
        p_default, 1.5f,
        p_range, 0.2f, 100.0f,
        p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_N_FILM_EDIT, IDC_N_FILM_SPIN, 0.01f,
        p_end,
    pb_ninternal, _T("ninternal"), TYPE_FLOAT, P_ANIMATABLE, IDS_N_INTERNAL,
        p_default, 1.0f,
        p_range, 0.2f, 100.0f,
        p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_N_INTERNAL_EDIT, IDC_N_INTERNAL_SPIN, 0.01f,
        p_end,
    pb_thicknessmap, _T("thicknessmap"), TYPE_TEXMAP, P_OWNERS_REF, IDS_THICKNESS_MAP,
        p_refno, THICKNESS_MAP_REF,
        p_subtexno, THICKNESS_MAP_SUBTEX,
        p_ui, TYPE_TEXMAPBUTTON, IDC_THICKNESS_MAP,
        p_end,
    pb_thicknessmapenabled, _T("thicknessmapenabled"), TYPE_BOOL, 0, IDS_USE_THICKNESS_MAP,
        p_default, FALSE,
        p_ui, TYPE_SINGLECHEKBOX, IDC_THICKNESS_MAP_ENABLED,
        p_end,
    pb_gamma, _T("gamma"), TYPE_FLOAT, P_ANIMATABLE, IDS_GAMMA,
        p_default, 1.0f,
        p_range, 0.05f, 20.0f,
        p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_GAMMA_EDIT, IDC_GAMMA_SPIN, 0.01f,
        p_end,
    pb_hue, _T("hue"), TYPE_FLOAT, P_ANIMATABLE, IDS_HUE_SHIFT,
        p_default, 0.0f,
        p_range, -180.0f, 180.0f,
        p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_HUE_EDIT, IDC_HUE_SPIN, 0.1f,
        p_end,
    pb_sat, _T("sat"), TYPE_FLOAT, P_ANIMATABLE, IDS_SATURATION,
        p_default, 0.0f,
        p_range, -100.0f, 100.0f,
        p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_SATURATION_EDIT, IDC_SATURATION_SPIN, 0.1f,
        p_end,
    pb_output, _T("output"), TYPE_REFTARG, P_OWNERS_REF, IDS_OUTPUT,
        p_refno, OUTPUT_REF,
        p_end,
    p_end);
// clang-format on
