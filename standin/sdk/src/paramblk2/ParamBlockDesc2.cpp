// ParamBlockDesc2: construction from the tag list, lookups and the user dialog procedures.
#include "paramblk2/ParamBlockDesc2.h"

#include <cstring>

#include "DescArgReader.h"
#include "HostAccess.h"
#include "OpenMaps.h"
#include "ParamBlockDescParser.h"
#include "iparamm2.h"

ParamBlockDesc2::ParamBlockDesc2(const Head& head)
    : cd(head.cd), int_name(head.int_name), local_name(head.local_name), ID(head.id),
      flags(head.flags) {}

ParamBlockDesc2::ParamBlockDesc2(BlockID ID, const MCHAR* int_name, StringResID local_name,
                                 ClassDesc2* cd, USHORT flags, ...)
    : ParamBlockDesc2(Head{ID, int_name, local_name, cd, flags}) {
    std::va_list args;
    va_start(args, flags);
    BuildFromVaList(&args);
    va_end(args);
}

namespace {

std::string BlockName(const ParamBlockDesc2& desc) {
    std::string name;
    for (const wchar_t* c = desc.int_name.data(); *c; ++c) {
        name += (*c >= 0x20 && *c < 0x7f) ? static_cast<char>(*c) : '?';
    }
    return name;
}

} // namespace

void ParamBlockDesc2::Finish(const std::string& error) {
    if (!error.empty()) {
        // A broken descriptor describes nothing; the loader refuses its library.
        MaxStandin::HostAccess::ReportFault(MaxStandin::HostAccess::FaultKind::Descriptor, error);
        defs.clear();
        maps.clear();
        cd = nullptr;
    }
    paramdefs = defs.empty() ? nullptr : defs.data();
    count = static_cast<USHORT>(defs.size());
    if (cd) {
        cd->AddParamBlockDesc(this);
    }
}

void ParamBlockDesc2::BuildFromArgs(const MaxStandin::DescArg* args, std::size_t n) {
    MaxStandin::PackedArgReader reader(args, n);
    ParamBlockDescParser parser(*this, reader);
    if (!parser.Run()) {
        Finish(parser.Error());
    } else if (reader.Unread() != 0) {
        Finish("ParamBlockDesc2 \"" + BlockName(*this) + "\" (block " + std::to_string(ID) +
               "): " + std::to_string(reader.Unread()) + " argument(s) follow the final p_end");
    } else {
        Finish(std::string());
    }
}

ParamBlockDesc2* ParamBlockDescParser::BuildFromPacked(BlockID id, const MCHAR* intName,
                                                       StringResID localName, ClassDesc2* cd,
                                                       USHORT flags,
                                                       const MaxStandin::DescArg* args,
                                                       std::size_t count) {
    auto* desc = new ParamBlockDesc2(ParamBlockDesc2::Head{id, intName, localName, cd, flags});
    desc->BuildFromArgs(args, count);
    return desc;
}

ParamBlockDesc2* MaxStandin::HostAccess::BuildParamBlockDesc(BlockID id, const MCHAR* intName,
                                                             StringResID localName, ClassDesc2* cd,
                                                             USHORT flags, const DescArg* args,
                                                             std::size_t count) {
    return ParamBlockDescParser::BuildFromPacked(id, intName, localName, cd, flags, args, count);
}

void ParamBlockDesc2::BuildFromVaList(std::va_list* args) {
    MaxStandin::VaListArgReader reader(args);
    ParamBlockDescParser parser(*this, reader);
    Finish(parser.Run() ? std::string() : parser.Error());
}

ParamBlockDesc2::~ParamBlockDesc2() {
    if (cd) {
        cd->RemoveParamBlockDesc(this);
    }
    // A procedure installed after the last rollout closed is still the host's to delete.
    for (MapSpec& mapDef : maps) {
        if (mapDef.dlgProc && !MaxStandin::ProcInUse(mapDef.dlgProc, nullptr)) {
            mapDef.dlgProc->DeleteThis();
        }
        mapDef.dlgProc = nullptr;
    }
}

ParamDef& ParamBlockDesc2::GetParamDef(ParamID id) {
    const int index = IDtoIndex(id);
    if (index >= 0) {
        return defs[static_cast<std::size_t>(index)];
    }
    static ParamDef missing;
    missing = ParamDef();
    return missing;
}

int ParamBlockDesc2::IDtoIndex(ParamID id) {
    for (std::size_t i = 0; i < defs.size(); ++i) {
        if (defs[i].ID == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ParamID ParamBlockDesc2::IndextoID(int i) {
    return i >= 0 && i < static_cast<int>(defs.size()) ? defs[static_cast<std::size_t>(i)].ID : -1;
}

int ParamBlockDesc2::NameToIndex(const MCHAR* name) {
    for (std::size_t i = 0; i < defs.size(); ++i) {
        if (name && defs[i].int_name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ParamBlockDesc2::SetClassDesc(ClassDesc2* newCd) {
    if (cd == newCd) {
        return;
    }
    if (cd) {
        cd->RemoveParamBlockDesc(this);
    }
    cd = newCd;
    if (cd) {
        cd->AddParamBlockDesc(this);
    }
}

void ParamBlockDesc2::InvalidateUI() {
    if (cd) {
        cd->InvalidateUI(this);
    }
}

void ParamBlockDesc2::InvalidateUI(ParamID id, int tabIndex) {
    if (cd) {
        cd->InvalidateUI(this, id, tabIndex);
    }
}

ParamBlockDesc2::MapSpec* ParamBlockDesc2::GetMapSpec(MapID map_id) {
    for (MapSpec& mapDef : maps) {
        if (mapDef.map_id == map_id) {
            return &mapDef;
        }
    }
    return nullptr;
}

ParamBlockDesc2::MapSpec* ParamBlockDesc2::GetMapSpecByIndex(int i) {
    return i >= 0 && i < static_cast<int>(maps.size()) ? &maps[static_cast<std::size_t>(i)]
                                                       : nullptr;
}

ParamMap2UserDlgProc* ParamBlockDesc2::GetUserDlgProc(MapID id) {
    MapSpec* mapDef = GetMapSpec(id);
    return mapDef ? mapDef->dlgProc : nullptr;
}

void ParamBlockDesc2::SetUserDlgProc(MapID map_id, ParamMap2UserDlgProc* proc) {
    MapSpec* mapDef = GetMapSpec(map_id);
    if (!mapDef) {
        // No such rollout: the procedure would never run, and it is ours to delete.
        if (proc) {
            proc->DeleteThis();
        }
        return;
    }
    ParamMap2UserDlgProc* old = mapDef->dlgProc;
    mapDef->dlgProc = proc;
    // The newest open rollout adopts the procedure (and deletes the one it replaces).
    if (IParamMap2* map = cd ? cd->GetParamMap(this, map_id) : nullptr) {
        map->SetUserDlgProc(proc);
        return;
    }
    if (old && old != proc && !MaxStandin::ProcInUse(old, nullptr)) {
        old->DeleteThis();
    }
}
