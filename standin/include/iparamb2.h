// Parameter blocks: descriptors, class descriptors that own them, and the blocks themselves.
#pragma once

#include "ioapi.h"
#include "iparamb2Typedefs.h"
#include "iparamm2.h"
#include "paramblk2/ClassDesc2.h"
#include "paramblk2/IParamBlock2.h"
#include "paramblk2/ParamBlockDesc2.h"
#include "paramtype.h"
