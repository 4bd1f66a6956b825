// The chunked scene streams ISave and ILoad, declared with the reference system.
#pragma once

#include "ref.h"
