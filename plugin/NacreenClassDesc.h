// The class descriptor of the Nacreen texture map and the descriptor of its parameter block.
#pragma once

#include "NacreenClassId.h"

#include <max.h>
#include <iparamb2.h>

// The one class descriptor of the library, built on first use.
ClassDesc2* GetNacreenDesc();

// The map's only parameter block.
enum NacreenBlockID { nacreen_params };

// Parameter ids of "params". The internal names of the two thickness parameters run the other
// way from their rollout rows ("thicknessmax" is the "Min:" row, the thickness at map value 0);
// they are the scripting names of the two values and stay as they are.
enum NacreenParamID {
    pb_thicknessmax,
    pb_thicknessmin,
    pb_nmedium,
    pb_nfilm,
    pb_ninternal,
    pb_thicknessmap,
    pb_thicknessmapenabled,
    pb_gamma,
    pb_hue,
    pb_sat,
    pb_output,
};

// The block has a single rollout, parameter map 0.
enum NacreenMapID { nacreen_rollout };

extern ParamBlockDesc2 nacreenParamBlockDesc;
