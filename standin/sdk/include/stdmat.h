// Standard materials and maps; the output object lives in imtl.h.
#pragma once

#include "imtl.h"
