// Forwards to the geometry library header of the same name.
#pragma once

#include "geom/point2.h"
