// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame's toolbar and the standard keys of its menu items.
class QToolBar;

namespace parvelin::app {

class FrameWindow;

// Gives the menu items the platform's standard keys (QKeySequence's
// standard keys: Ctrl+O for Open, Ctrl+P for Print ...), shown beside them
// in the menus. A key the accelerator table already binds stays the
// table's: the item only shows it.
void applyStandardKeys(FrameWindow& frame);

// The toolbar: Open, Save, Print, Export for Cutting, Undo, Redo, Fit and
// Properties, the menu's own actions with the desktop theme's icons (Qt's
// own where the theme has none).
QToolBar* buildToolBar(FrameWindow& frame);

} // namespace parvelin::app
