// Part of the basic types in maxtypes.h.
#pragma once

#include "maxtypes.h"
