#pragma once
// Moved to text/NumberText.h; this include keeps older includes building.
#include "text/NumberText.h"
