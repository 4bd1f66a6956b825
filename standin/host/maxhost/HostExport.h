// Export decoration of the host-only API, which lives in the stand-in's shared library.
#pragma once

#include "coreexp.h"

#define MAXHOST_API MAX_STANDIN_EXPORT
