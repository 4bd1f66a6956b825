// The check the host's automatic rollout makes when it binds a block's parameters to the
// controls of the dialog template: each bound control must exist and be of a class that fits.
#pragma once

#include <vector>

#include "TemplateControls.h"
#include "iparamb2.h"

namespace MaxStandin {

// Reports every bound control of map mapId that the template lacks or has with the wrong class
// or style, and a template that could not be read at all (templateFound false).
void CheckRolloutBinding(ParamBlockDesc2* desc, MapID mapId, int templateId, bool templateFound,
                         const std::vector<TemplateControl>& controls);

} // namespace MaxStandin
