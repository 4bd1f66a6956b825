// Forwards to the geometry library header of the same name.
#pragma once

#include "geom/box3.h"
