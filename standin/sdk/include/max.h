// The core SDK header every plug-in includes first.
#pragma once

#include "maxtypes.h"
#include "plugapi.h"
#include "ref.h"
