// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Resources.h"

#include <array>

namespace parvelin::app {
namespace {

constexpr MenuEntry popup(const char* text) { return {MenuKind::Popup, 0, text}; }
constexpr MenuEntry item(int id, const char* text) { return {MenuKind::Item, id, text}; }
constexpr MenuEntry separator() { return {MenuKind::Separator}; }
constexpr MenuEntry end() { return {MenuKind::EndPopup}; }

constexpr std::array kMainMenu{
    popup("&File"),
    item(kCmdFileNew, "&New..."),
    item(kCmdFileOpen, "&Open..."),
    item(kCmdFileNewNaca, "New &from NACA..."),
    item(kCmdFileAirfoilBrowser, "Airfoil &Browser..."),
    item(kCmdFileClose, "&Close"),
    item(kCmdFileSave, "&Save"),
    item(kCmdFileSaveAs, "Save &as..."),
    separator(),
    item(kCmdFilePrintPreview, "Print Pre&view..."),
    item(kCmdFilePrint, "&Print..."),
    separator(),
    item(kCmdFileImport, "&Import..."),
    item(kCmdFileExport, "&Export..."),
    item(kCmdFileExportCut, "Export for &Cutting..."),
    item(kCmdFileExportModel, "Export &Model..."),
    separator(),
    item(kCmdFileExit, "E&xit"),
    end(),

    popup("&Edit"),
    item(kCmdEditUndo, "&Undo\tAlt+BkSp"),
    item(kCmdEditRedo, "&Redo\tCtrl+Y"),
    separator(),
    item(kCmdEditCopy, "Co&py\tCtrl+Ins"),
    end(),

    popup("&Properties"),
    item(kCmdAirfoilProperties, "&Airfoil Properties"),
    item(kCmdWingProperties, "Wing Properties"),
    end(),

    popup("&View"),
    item(kCmdViewChordline, "&Chordline"),
    item(kCmdViewEdgeLines, "&LE and TE lines"),
    item(kCmdViewCamberline, "C&amberline"),
    item(kCmdView3dPreview, "&3D View"),
    item(kCmdViewCutOutline, "Cut &outline"),
    separator(),
    item(kCmdViewFitToWindow, "&Fit to Window\tHome"),
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
    Accelerator{Qt::ALT | Qt::Key_Backspace, kCmdEditUndo},
    Accelerator{QKeyCombination(Qt::Key_F1), kCmdHelpContents},
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
