// Parameter-map constants shared with the older parameter maps.
#pragma once

#include "custcont.h"

#define SPIN_AUTOSCALE -1.0f
#define APPENDROLL_CLOSED (1 << 0)
#define ROLLUP_CAT_STANDARD 4000
