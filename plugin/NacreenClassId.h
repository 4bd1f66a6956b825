// The identity the host knows Nacreen maps by. Scene files store it, so it never changes; the
// plug-in, the host-side tools and the tests all take it from here.
#pragma once

#include <maxtypes.h>

#define NACREEN_CLASS_ID Class_ID(0x53E2B189, 0x7502736B)
