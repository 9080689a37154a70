// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Services.h"

#include <cstdio>
#include <cstdlib>

namespace parvelin::platform {
namespace {

Dialogs* gDialogs = nullptr;

void defaultDebugSink(std::string_view bytes) {
    static const bool enabled = std::getenv("PARVELIN_DEBUG") != nullptr;
    if (enabled) {
        std::fwrite(bytes.data(), 1, bytes.size(), stderr);
        std::fflush(stderr);
    }
}

DebugSink gDebugSink = &defaultDebugSink;

} // namespace

Dialogs* dialogs() { return gDialogs; }
void setDialogs(Dialogs* dialogs) { gDialogs = dialogs; }

void debugOutput(std::string_view bytes) { gDebugSink(bytes); }
void setDebugSink(DebugSink sink) { gDebugSink = sink ? sink : &defaultDebugSink; }

} // namespace parvelin::platform
