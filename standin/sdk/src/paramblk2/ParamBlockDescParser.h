// Turns a descriptor's tag list into its block settings, rollouts and parameter definitions.
#pragma once

#include <string>

#include "DescArgReader.h"
#include "paramblk2/ParamBlockDesc2.h"

class ParamBlockDescParser {
public:
    ParamBlockDescParser(ParamBlockDesc2& desc, MaxStandin::DescArgReader& reader)
        : desc(desc), reader(reader) {}

    // A descriptor built from a tag list held as data, checked as the template constructor checks
    // its arguments (for hosts that drive the reader from bytes). The caller deletes it.
    static ParamBlockDesc2* BuildFromPacked(BlockID id, const MCHAR* intName, StringResID localName,
                                            ClassDesc2* cd, USHORT flags,
                                            const MaxStandin::DescArg* args, std::size_t count);

    // True when the whole list was read; otherwise Error() tells what is wrong and where.
    bool Run();
    const std::string& Error() const { return error; }

private:
    bool ReadBlockHead();
    bool ReadRollout(MapID mapId);
    bool ReadParam(int id);
    bool ReadTag(ParamDef& def, int tag);
    bool ReadDefault(ParamDef& def, const std::string& what);
    bool ReadRange(ParamDef& def);
    bool ReadUi(ParamDef& def);
    bool ReadControlIds(ParamDef& def, int n, const std::string& what);
    bool ReadRadioValues(ParamDef& def);
    bool CheckParam(const ParamDef& def);

    bool Int(int& v, const std::string& what);
    bool Short(short& v, const std::string& what);
    bool Fail(const std::string& message);
    std::string ParamContext(const ParamDef& def) const;

    ParamBlockDesc2& desc;
    MaxStandin::DescArgReader& reader;
    std::string context;
    std::string error;
};
