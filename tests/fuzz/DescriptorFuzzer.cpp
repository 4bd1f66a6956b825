// The parameter-block descriptor's tag list, as the template constructor captures it: the input
// encodes the block's flags and then one argument after another (kind byte, then its value), so
// that lists of any length, order and type reach the reader. Pointers are always null: the SDK
// trusts a plug-in's pointers, and no reader can check them.
#include "BareClassDesc.h"
#include "FuzzInput.h"

#include <iparamb2.h>
#include <maxhost/Host.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using MaxStandin::DescArg;

const MCHAR* const kNames[] = {_M("thickness"), _M(""), _M("a"), _M("map"), _M("x y")};

struct Opaque {
    float values[3];
};

DescArg NextArg(fuzz::FuzzInput& input) {
    switch (input.Take<std::uint8_t>() % 9) {
    case 0: // a tag, the most common kind of value in a list
        return DescArg::From(static_cast<int>(p_default + input.Take<std::uint8_t>() % 32));
    case 1:
        return DescArg::From(static_cast<int>(input.Take<std::int8_t>()));
    case 2:
        return DescArg::From(input.Take<std::int32_t>());
    case 3:
        return DescArg::From(input.Take<float>());
    case 4:
        return DescArg::From(input.Take<double>());
    case 5:
        return DescArg::From(kNames[input.Take<std::uint8_t>() % (sizeof kNames / sizeof *kNames)]);
    case 6:
        return DescArg::From(nullptr);
    case 7: {
        const std::uint32_t a = input.Take<std::uint32_t>();
        return DescArg::From(Class_ID(a, input.Take<std::uint32_t>()));
    }
    default:
        return DescArg::From(Opaque{});
    }
}

void Inspect(ParamBlockDesc2& desc) {
    for (int index = 0; index < desc.Count(); ++index) {
        const ParamID id = desc.IndextoID(index);
        desc.IDtoIndex(id);
        desc.GetParamDef(id);
    }
    desc.GetMapSpec(0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::BareClassDesc classDesc(0x7e57f022);
    fuzz::FuzzInput input(data, size);
    const USHORT flags = input.Take<std::uint16_t>();
    std::vector<DescArg> args;
    while (!input.Empty()) {
        args.push_back(NextArg(input));
    }
    std::unique_ptr<ParamBlockDesc2> desc(maxhost::BuildParamBlockDesc(
        0, _M("fuzz"), 0, &classDesc, flags, args.data(), args.size()));
    Inspect(*desc);
    maxhost::TakeDescriptorErrors();
    return 0;
}
