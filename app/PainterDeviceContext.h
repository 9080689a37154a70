#pragma once
// Moved to painting/PainterDeviceContext.h; this include keeps older includes building.
#include "painting/PainterDeviceContext.h"
