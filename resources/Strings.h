// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's string table, keyed by the resource ids the rest of the
// program uses.
#include <string>

namespace parvelin::resources {

inline constexpr int kStringUntitled = 1;
inline constexpr int kStringAppTitle = 2;
inline constexpr int kStringAbout = 4;

// The text of a string resource; empty for an unknown id.
std::string loadString(int id);

} // namespace parvelin::resources
