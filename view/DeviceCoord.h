#pragma once
// Moved to geom/DeviceCoord.h; this include keeps older includes building.
#include "geom/DeviceCoord.h"
