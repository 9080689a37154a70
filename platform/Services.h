// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Process-wide services: the dialogs in use and the debug output. The program installs its own at start-up; tests install recorders.
#include <string_view>

#include "platform/Dialogs.h"

namespace parvelin::platform {

// The dialogs in use; null until something installs them (a headless run).
Dialogs* dialogs();
void setDialogs(Dialogs* dialogs);

// Debug output for developers. By default it is silent unless the
// environment variable PARVELIN_DEBUG is set, in which case the bytes go to
// standard error.
using DebugSink = void (*)(std::string_view bytes);
void debugOutput(std::string_view bytes);
void setDebugSink(DebugSink sink);  // null restores the default

} // namespace parvelin::platform
