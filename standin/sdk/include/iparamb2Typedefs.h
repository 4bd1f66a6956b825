// Small typedefs of the parameter block system.
#pragma once

#include <windows.h>

typedef short ParamID;
typedef short BlockID;
typedef short MapID;
typedef INT_PTR StringResID;
typedef int ResID;
