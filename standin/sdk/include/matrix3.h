// Forwards to the geometry library header of the same name.
#pragma once

#include "geom/matrix3.h"
