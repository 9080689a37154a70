#pragma once
// Moved to geom/ViewTransform.h; this include keeps older includes building.
#include "geom/ViewTransform.h"
