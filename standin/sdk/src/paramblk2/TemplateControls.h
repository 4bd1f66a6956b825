// The controls of a rollout's dialog template, read from the compiled resources of the module
// that describes the block, as the host's automatic rollout creates them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace MaxStandin {

struct TemplateControl {
    int id = -1;
    std::u16string windowClass;
    std::uint32_t style = 0;
};

// The template's controls that have an id, in template order. False when the module or the
// template is missing or cannot be read.
bool ReadTemplateControls(HINSTANCE module, int templateId, std::vector<TemplateControl>& controls);

} // namespace MaxStandin
