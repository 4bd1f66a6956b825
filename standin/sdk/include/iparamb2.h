// Parameter blocks: their types and tags, descriptors built from the SDK's tag list, class
// descriptors that own them, and the blocks themselves. The parameter maps that show them in
// rollouts are declared in iparamm2.h.
#pragma once

#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

#include "plugapi.h"
#include "ref.h"

class IAutoMParamDlg;
class IMtlParams;
class IParamMap2;
class Texmap;

typedef short ParamID;
typedef short MapID;
typedef INT_PTR StringResID;

// Block flags.
#define P_AUTO_CONSTRUCT 0x0002
#define P_AUTO_UI 0x0004

// Parameter flags.
#define P_ANIMATABLE 0x00000001
#define P_OWNERS_REF 0x00000200

// The parameter types of the first parameter block system; ParamType2 continues them.
enum ParamType { TYPE_FLOAT, TYPE_INT, TYPE_RGBA, TYPE_POINT3, TYPE_BOOL };
enum ParamType2 { TYPE_TEXMAP = 15, TYPE_REFTARG = 18 };

// The tags the stand-in models; the SDK's ParamTags counts the others in between.
enum ParamTags {
    p_default = -(1 << 30),
    p_range = p_default + 2,
    p_ui = p_default + 3,
    p_refno = p_default + 7,
    p_subtexno = p_default + 8,
    p_end = p_default + 1024,
};

// Rollout controls a parameter can be bound to: those of the first parameter block system, then
// the ones ParamType2 parameters added.
enum ControlType { TYPE_SPINNER, TYPE_SINGLECHEKBOX = 2, TYPE_SINGLECHECKBOX = TYPE_SINGLECHEKBOX };
enum ControlType2 { TYPE_TEXMAPBUTTON = 8 };

enum EditSpinnerType { EDITTYPE_FLOAT = 1 };

// Notification codes (the high word of WM_COMMAND's WPARAM) that a custom button sends besides
// BN_CLICKED when it is set to report presses, releases and right clicks.
#define BN_BUTTONDOWN 8173
#define BN_BUTTONUP 8174
#define BN_RIGHTCLICK 8183

namespace MaxStandin {

// One argument of a descriptor's tag list, captured with its C++ type so that a wrong list is
// refused with a message instead of being read as garbage.
class DescArg {
public:
    enum class Kind { End, Int, Real, WString, NarrowString, Pointer, Other };

    DescArg() = default;

    template <typename T> static DescArg From(T v) {
        DescArg a;
        if constexpr (std::is_same_v<T, bool>) {
            a.kind = Kind::Int;
            a.integer = v ? 1 : 0;
        } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
            a.kind = Kind::Int;
            a.integer = static_cast<long long>(v);
        } else if constexpr (std::is_floating_point_v<T>) {
            a.kind = Kind::Real;
            a.real = static_cast<double>(v);
        } else if constexpr (std::is_same_v<T, const wchar_t*> || std::is_same_v<T, wchar_t*>) {
            a.kind = Kind::WString;
            a.text = v;
        } else if constexpr (std::is_same_v<T, const char*> || std::is_same_v<T, char*>) {
            a.kind = Kind::NarrowString;
        } else if constexpr (std::is_same_v<T, std::nullptr_t> || std::is_pointer_v<T>) {
            a.kind = Kind::Pointer;
            a.pointer = v;
        } else {
            // Class ids, colours, points, structures passed by value: captured, never read.
            a.kind = Kind::Other;
        }
        return a;
    }

    Kind kind = Kind::End;
    long long integer = 0;
    double real = 0.0;
    const wchar_t* text = nullptr;
    const void* pointer = nullptr;
};

} // namespace MaxStandin

// A default or range value; which member is meaningful follows the parameter's type.
struct PB2Value {
    int i = 0;
    float f = 0.0f;
};

// One parameter of a descriptor, as the tag list described it.
class ParamDef : public MaxHeapOperators {
public:
    ParamID ID = -1;
    MSTR int_name;
    ParamType2 type = static_cast<ParamType2>(TYPE_FLOAT);
    int flags = 0;
    StringResID local_name = 0;
    PB2Value def;
    bool has_range = false;
    PB2Value range_low;
    PB2Value range_high;
    // Rollout binding: the control kind and the dialog control ids it drives.
    bool has_ui = false;
    MapID map_id = 0;
    ControlType2 ctrl_type = static_cast<ControlType2>(TYPE_SPINNER);
    EditSpinnerType spin_type = EDITTYPE_FLOAT;
    float spin_scale = 0.0f;
    std::vector<int> ctrl_IDs;
    short refno = -1;
    short sub_texmap_no = -1;

    bool IsFloatType() const { return static_cast<int>(type) == TYPE_FLOAT; }
    bool IsIntType() const { return static_cast<int>(type) == TYPE_BOOL; }
    bool IsRefType() const { return type == TYPE_TEXMAP || type == TYPE_REFTARG; }
    bool IsOwnersRef() const { return (flags & P_OWNERS_REF) != 0; }
};

class ClassDesc2;
class ParamMap2UserDlgProc;

// The static description of a parameter block, built from the SDK's tag list. The SDK reads the
// list through a C-variadic constructor; the stand-in takes the same arguments through a
// variadic template, which sees their exact number and C++ types: an unknown tag, a missing p_end
// or a value of a type the SDK would misread there (an int where a float is read as a double) is
// reported as a descriptor fault when the library loads, and the descriptor then describes
// nothing.
class PB2Export ParamBlockDesc2 : public InterfaceServer {
public:
    // The block's rollout (P_AUTO_UI; the stand-in refuses P_MULTIMAP's several).
    struct MapSpec {
        MapID map_id = 0;
        int dlg_template = 0;
        StringResID title = 0;
        int test_flags = 0;
        int rollup_flags = 0;
        ParamMap2UserDlgProc* dlgProc = nullptr;
    };

    template <typename... Args>
    ParamBlockDesc2(BlockID ID, const MCHAR* int_name, StringResID local_name, ClassDesc2* cd,
                    USHORT flags, Args... args)
        : cd(cd), int_name(int_name), local_name(local_name), ID(ID), flags(flags) {
        const MaxStandin::DescArg packed[] = {MaxStandin::DescArg::From(args)...,
                                              MaxStandin::DescArg()};
        Build(packed, sizeof...(Args));
    }
    ParamBlockDesc2(const ParamBlockDesc2&) = delete;
    ParamBlockDesc2& operator=(const ParamBlockDesc2&) = delete;
    ~ParamBlockDesc2() override;

    USHORT Count() { return count; }
    ParamDef& GetParamDef(ParamID id);
    int IDtoIndex(ParamID id);
    ParamID IndextoID(int i);
    int NameToIndex(const MCHAR* name);

    // The newest open rollout adopts the procedure (and deletes the one it replaces).
    void SetUserDlgProc(MapID map_id, ParamMap2UserDlgProc* proc = nullptr);
    ParamMap2UserDlgProc* GetUserDlgProc(MapID id = 0);

    // The rollout described for map_id, or null when the block has none.
    MapSpec* GetMapSpec(MapID map_id);
    int NumMapSpecs() { return static_cast<int>(maps.size()); }

    ParamDef* paramdefs = nullptr;
    ClassDesc2* cd = nullptr;
    MSTR int_name;
    StringResID local_name = 0;
    BlockID ID = 0;
    USHORT count = 0;
    DWORD version = 0;
    USHORT flags = 0;
    int ref_no = 0;

private:
    friend class ParamBlockDescParser;
    // A descriptor whose tag list the host hands over as data (maxhost::BuildParamBlockDesc).
    ParamBlockDesc2(BlockID ID, const MCHAR* int_name, StringResID local_name, USHORT flags)
        : int_name(int_name), local_name(local_name), ID(ID), flags(flags) {}
    void Build(const MaxStandin::DescArg* args, std::size_t count);

    std::vector<ParamDef> defs;
    std::vector<MapSpec> maps;
};

// The values of one parameter block, by parameter id and time. Setting stores the value as given
// and notifies dependents with REFMSG_CHANGE; getting writes the value at t and narrows ivalid to
// the span in which it holds. An unknown id, a value kind the parameter does not hold or a table
// index on a parameter that is not a table is a plug-in fault: reported, FALSE.
class PB2Export IParamBlock2 : public ReferenceTarget {
public:
    SClass_ID SuperClassID() override { return PARAMETER_BLOCK2_CLASS_ID; }

    virtual BlockID ID() = 0;
    virtual ReferenceMaker* GetOwner() = 0;
    virtual ParamBlockDesc2* GetDesc() = 0;
    virtual MSTR GetLocalName(ParamID id, int tabIndex = -1, bool localized = true) = 0;

    virtual BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, int v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, Texmap* v, int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid,
                          int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, int& v, Interval& ivalid, int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, Texmap*& v, Interval& ivalid,
                          int tabIndex = 0) = 0;
    virtual float GetFloat(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual int GetInt(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual Texmap* GetTexmap(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual ReferenceTarget* GetReferenceTarget(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;

    // Id of the parameter whose change sent the last REFMSG_CHANGE; -1 for none in particular.
    virtual ParamID LastNotifyParamID() = 0;
    virtual void SetMap(IParamMap2* m, MapID map_id = 0) = 0;
    virtual IParamMap2* GetMap(MapID map_id = 0) = 0;
    virtual void ResetAll(BOOL updateUI = TRUE, BOOL callSetHandlers = TRUE) = 0;
};

// A class descriptor that also knows the class's parameter block descriptors and builds, resets
// and shows the blocks they describe.
class PB2Export ClassDesc2 : public ClassDesc {
public:
    ClassDesc2();
    ~ClassDesc2() override;

    // Creates each P_AUTO_CONSTRUCT block and installs it as the owner's reference ref_no.
    void MakeAutoParamBlocks(ReferenceMaker* owner) override;
    // Returns every automatic block of the owner to the descriptor's defaults.
    void Reset(ReferenceMaker* owner, BOOL updateUI = TRUE, BOOL callSetHandlers = TRUE);

    int NumParamBlockDescs() override;
    ParamBlockDesc2* GetParamBlockDesc(int i) override;
    ParamBlockDesc2* GetParamBlockDescByID(BlockID id) override;
    ParamBlockDesc2* GetParamBlockDescByName(const MCHAR* name);
    void AddParamBlockDesc(ParamBlockDesc2* pbd) override;

    // Builds the material-editor rollouts of every P_AUTO_UI block of obj.
    IAutoMParamDlg* CreateParamDlgs(HWND hwMtlEdit, IMtlParams* imp, ReferenceTarget* obj);
    void MasterDlgDeleted(IAutoMParamDlg* dlg);

    // Redraws the controls of parameter id in pbd's open rollouts.
    void InvalidateUI(ParamBlockDesc2* pbd, ParamID id, int tabIndex = -1);
    // The newest open rollout of pbd's map, or null when none is open.
    IParamMap2* GetParamMap(ParamBlockDesc2* pbd, MapID map_id = 0);

private:
    friend class ParamBlockDesc2;
    void RemoveParamBlockDesc(ParamBlockDesc2* pbd);

    std::vector<ParamBlockDesc2*> pbDescs;
    std::vector<IAutoMParamDlg*> masterDlgs;
};
