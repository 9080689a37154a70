// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Resources.h"

#include <array>

namespace parvelin::app {
namespace {

constexpr MenuEntry popup(const char* text) { return {MenuKind::Popup, 0, text}; }
constexpr MenuEntry item(int id, const char* text, bool grayed = false, bool checked = false) {
    return {MenuKind::Item, id, text, grayed, checked};
}
constexpr MenuEntry separator() { return {MenuKind::Separator}; }
constexpr MenuEntry end() { return {MenuKind::EndPopup}; }

constexpr bool kGrayed = true;
constexpr bool kChecked = true;

constexpr std::array kMainMenu{
    popup("&File"),
    item(kCmdFileNew, "&New..."),
    item(kCmdFileOpen, "&Open..."),
    item(kCmdFileNewNaca, "New &from NACA..."),
    item(kCmdFileAirfoilBrowser, "Airfoil &Browser..."),
    item(kCmdFileClose, "&Close", kGrayed),
    item(kCmdFileSave, "&Save", kGrayed),
    item(kCmdFileSaveAs, "Save &as...", kGrayed),
    separator(),
    item(kCmdFilePrintPreview, "Print Pre&view...", kGrayed),
    item(kCmdFilePrint, "&Print...", kGrayed),
    separator(),
    item(kCmdFileImport, "&Import..."),
    item(kCmdFileExport, "&Export...", kGrayed),
    item(kCmdFileExportCut, "Export for &Cutting...", kGrayed),
    item(kCmdFileExportModel, "Export &Model...", kGrayed),
    separator(),
    item(kCmdFileExit, "E&xit"),
    end(),

    popup("&Edit"),
    // Undo and Redo follow the current document's steps, Copy a loaded
    // document; Cut, Paste and Delete have nothing to act on.
    item(kCmdEditUndo, "&Undo\tAlt+BkSp", kGrayed),
    item(kCmdEditRedo, "&Redo\tCtrl+Y", kGrayed),
    separator(),
    item(kCmdEditCut, "&Cut\tShift+Del", kGrayed),
    item(kCmdEditCopy, "Co&py\tCtrl+Ins", kGrayed),
    item(kCmdEditPaste, "&Paste\tShift+Ins", kGrayed),
    item(kCmdEditDelete, "&Delete\tDel", kGrayed),
    end(),

    popup("&Properties"),
    item(kCmdAirfoilProperties, "&Airfoil Properties", kGrayed),
    item(kCmdWingProperties, "Wing Properties", kGrayed),
    end(),

    popup("&View"),
    item(kCmdViewChordline, "&Chordline", kGrayed, kChecked),
    item(kCmdViewEdgeLines, "&LE and TE lines", kGrayed, kChecked),
    item(kCmdViewCamberline, "C&amberline", kGrayed),
    item(kCmdView3dPreview, "&3D View", kGrayed),
    item(kCmdViewCutOutline, "Cut &outline", kGrayed),
    separator(),
    item(kCmdViewFitToWindow, "&Fit to Window\tHome", kGrayed),
    end(),

    popup("&Window"),
    item(kCmdWindowTile, "&Tile"),
    item(kCmdWindowCascade, "&Cascade"),
    item(kCmdWindowArrangeIcons, "Arrange &Icons"),
    item(kCmdWindowCloseAll, "Close &All"),
    end(),

    popup("&Help"),
    item(kCmdHelpAbout, "&About..."),
    item(kCmdHelpContents, "&Contents"),
    item(kCmdHelpGettingStarted, "&Getting Started"),
    end(),
};

constexpr std::array kAccelerators{
    Accelerator{Qt::CTRL | Qt::Key_Insert, kCmdEditCopy},
    Accelerator{Qt::SHIFT | Qt::Key_Insert, kCmdEditPaste},
    Accelerator{Qt::SHIFT | Qt::Key_Delete, kCmdEditCut},
    Accelerator{Qt::ALT | Qt::Key_Backspace, kCmdEditUndo},
    Accelerator{QKeyCombination(Qt::Key_F5), kCmdKeyF5},
    Accelerator{QKeyCombination(Qt::Key_F3), kCmdKeyF3},
    Accelerator{QKeyCombination(Qt::Key_F4), kCmdKeyF4},
    Accelerator{QKeyCombination(Qt::Key_F1), kCmdKeyF1},
    Accelerator{Qt::SHIFT | Qt::Key_F1, kCmdKeyShiftF1},
    Accelerator{Qt::CTRL | Qt::Key_Z, kCmdEditUndo},
    Accelerator{Qt::CTRL | Qt::Key_Y, kCmdEditRedo},
    Accelerator{Qt::CTRL | Qt::Key_C, kCmdEditCopy},
    Accelerator{QKeyCombination(Qt::Key_Home), kCmdViewFitToWindow},
    Accelerator{Qt::CTRL | Qt::Key_S, kCmdFileSave},
};

} // namespace

std::span<const MenuEntry> mainMenu() { return kMainMenu; }
std::span<const Accelerator> acceleratorTable() { return kAccelerators; }

} // namespace parvelin::app
