// The controls of a rollout's dialog template, read from the compiled resources of the module
// that describes the block, as the host's automatic rollout creates them.
#pragma once

#include <windows.h>

#include <vector>

namespace MaxStandin {

// Ids of the template's controls in template order, leaving out those without one (-1). Empty
// when the module or the template is missing or cannot be read.
std::vector<int> TemplateControlIds(HINSTANCE module, int templateId);

} // namespace MaxStandin
