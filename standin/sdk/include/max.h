// The core SDK header every plug-in includes first.
#pragma once

#include <windows.h>

#include "Animatable.h"
#include "baseinterface.h"
#include "bitarray.h"
#include "channels.h"
#include "coreexp.h"
#include "geom/acolor.h"
#include "geom/box3.h"
#include "geom/color.h"
#include "geom/ipoint2.h"
#include "geom/matrix3.h"
#include "geom/point2.h"
#include "geom/point3.h"
#include "interval.h"
#include "ioapi.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "maxversion.h"
#include "plugapi.h"
#include "ref.h"
#include "strbasic.h"
#include "strclass.h"
