// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame's toolbar.
class QToolBar;

namespace parvelin::app {

class FrameWindow;

// The toolbar: Open, Save, Print, Export for Cutting, Undo, Redo, Fit and
// Properties, the menu's own actions with the desktop theme's icons (Qt's
// own where the theme has none).
QToolBar* buildToolBar(FrameWindow& frame);

} // namespace parvelin::app
