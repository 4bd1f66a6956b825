// ParamBlockDesc2: the static description of a parameter block, built from the SDK's tag list.
//
// Besides the SDK's C-variadic constructor, the stand-in has a variadic template constructor with
// the same leading parameters. Overload resolution prefers it, and it sees the exact number and
// C++ types of the arguments: an unknown tag, a missing p_end or a value of a type the SDK would
// not read there (an int where a float is read as a double) is reported when the library loads.
//
// With MAX_STANDIN_SDK_VARARGS_ONLY defined, only the C-variadic constructor is declared, so a tag
// list is read exactly as the real SDK reads it: through va_arg, floats promoted to double.
#pragma once

#include <cstdarg>
#include <string>
#include <vector>

#include "../baseinterface.h"
#include "../Noncopyable.h"
#include "DescArgs.h"
#include "ParamDef.h"

class ClassDesc2;
class ParamMap2UserDlgProc;

class PB2Export ParamBlockDesc2 : public BaseInterfaceServer, public MaxSDK::Util::Noncopyable {
public:
    // The block's rollout (P_AUTO_UI; the stand-in refuses P_MULTIMAP's several).
    struct MapSpec {
        MapID map_id = 0;
        int dlg_template = 0;
        StringResID title = 0;
        int test_flags = 0;
        int rollup_flags = 0;
        ParamMap2UserDlgProc* dlgProc = nullptr;
        int category = 0; // stays 0: the stand-in refuses P_HASCATEGORY
    };

    ParamBlockDesc2(BlockID ID, const MCHAR* int_name, StringResID local_name, ClassDesc2* cd,
                    USHORT flags, ...);
#ifndef MAX_STANDIN_SDK_VARARGS_ONLY
    template <typename... Args>
    ParamBlockDesc2(BlockID ID, const MCHAR* int_name, StringResID local_name, ClassDesc2* cd,
                    USHORT flags, Args... args)
        : ParamBlockDesc2(Head{ID, int_name, local_name, cd, flags}) {
        const MaxStandin::DescArg packed[] = {MaxStandin::DescArg::From(args)...,
                                              MaxStandin::DescArg()};
        BuildFromArgs(packed, sizeof...(Args));
    }
#endif
    ~ParamBlockDesc2() override;

    USHORT Count() {
        return count;
    }
    DWORD Version() {
        return version;
    }
    ParamDef& GetParamDef(ParamID id);
    int IDtoIndex(ParamID id);
    ParamID IndextoID(int i);
    int NameToIndex(const MCHAR* name);

    void SetClassDesc(ClassDesc2* cd);
    void InvalidateUI();
    void InvalidateUI(ParamID id, int tabIndex = -1);
    void SetUserDlgProc(MapID map_id, ParamMap2UserDlgProc* proc = nullptr);
    void SetUserDlgProc(ParamMap2UserDlgProc* proc = nullptr) {
        SetUserDlgProc(0, proc);
    }
    ParamMap2UserDlgProc* GetUserDlgProc(MapID id = 0);

    // The rollout described for map_id, or null when the block has none.
    MapSpec* GetMapSpec(MapID map_id);
    int NumMapSpecs() {
        return static_cast<int>(maps.size());
    }
    MapSpec* GetMapSpecByIndex(int i);

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
    struct Head {
        BlockID id;
        const MCHAR* int_name;
        StringResID local_name;
        ClassDesc2* cd;
        USHORT flags;
    };
    explicit ParamBlockDesc2(const Head& head);
    void BuildFromArgs(const MaxStandin::DescArg* args, std::size_t count);
    void BuildFromVaList(std::va_list* args);
    void Finish(const std::string& error);
    friend class ParamBlockDescParser;

    std::vector<ParamDef> defs;
    std::vector<MapSpec> maps;
};
