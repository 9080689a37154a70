// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's icons, drawn here: the frame's (112) and the document
// windows' (113). packaging/parvelin.svg is the same rib for the desktop.
#include <QIcon>

namespace parvelin::app {

QIcon frameIcon();
QIcon documentIcon();

} // namespace parvelin::app
