// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's window resources: command ids, the main menu, the
// accelerator table and the About dialog's controls, as tables the frame
// builds its menu bar and keys from.
#include <QKeyCombination>
#include <span>

namespace parvelin::app {

// --- The About dialog's controls ---
inline constexpr int kControlAboutOk = 1;
inline constexpr int kControlAboutText = 1029;
// The Window menu lists the document windows with ids from this one on.
inline constexpr int kFirstChildId = 4100;
// The Window popup's position in the menu bar.
inline constexpr int kWindowMenuPosition = 4;

// --- Command ids ---
// File
inline constexpr int kCmdFileNew = 1001;
inline constexpr int kCmdFileOpen = 1002;
inline constexpr int kCmdFileSave = 1003;
inline constexpr int kCmdFileSaveAs = 1004;
inline constexpr int kCmdFilePrint = 1005;
inline constexpr int kCmdFileExit = 1006;
inline constexpr int kCmdFilePrintPreview = 1007;
inline constexpr int kCmdFileImport = 40008;
inline constexpr int kCmdFileExport = 40007;
inline constexpr int kCmdFileExportCut = 40009;  // Export for Cutting, enabled with Export
inline constexpr int kCmdFileExportModel = 40014;  // the rib or the wing as solids (STL, OBJ)
inline constexpr int kCmdFileClose = 40015;      // closes the active document window
inline constexpr int kCmdFileNewNaca = 40016;          // New from NACA...
inline constexpr int kCmdFileAirfoilBrowser = 40017;   // Airfoil Browser...
// Edit
inline constexpr int kCmdEditUndo = 2001;
inline constexpr int kCmdEditCopy = 2003;
inline constexpr int kCmdEditRedo = 2006;
// Properties
inline constexpr int kCmdAirfoilProperties = 40010;
inline constexpr int kCmdWingProperties = 40011;
// View
inline constexpr int kCmdViewChordline = 40001;
inline constexpr int kCmdViewEdgeLines = 40002;
inline constexpr int kCmdViewCamberline = 40003;
inline constexpr int kCmdView3dPreview = 40004;  // the 3D view of the rib or the wing
inline constexpr int kCmdViewFitToWindow = 40012;
inline constexpr int kCmdViewCutOutline = 40013;  // the cut outline over the rib, per window
// Window
inline constexpr int kCmdWindowTile = 4001;
inline constexpr int kCmdWindowCascade = 4002;
inline constexpr int kCmdWindowCloseAll = 4003;
inline constexpr int kCmdWindowArrangeIcons = 4004;
// Help
inline constexpr int kCmdHelpAbout = 40005;
inline constexpr int kCmdHelpContents = 40006;
inline constexpr int kCmdHelpGettingStarted = 40018;  // the manual's walk from a sample to a cut file

// --- The main menu ---
enum class MenuKind { Popup, Item, Separator, EndPopup };

// Where each item stands and what it says; what the command does, when it is
// enabled and what its check mark shows are the frame's command table's.
struct MenuEntry {
    MenuKind kind;
    int id = 0;                  // items only
    const char* text = nullptr;  // popups and items: & marks the mnemonic, \t starts the key text
};

// The whole menu bar, popup by popup, in menu order.
std::span<const MenuEntry> mainMenu();

// --- The accelerator table ---
// Keys of menu commands, bound to the command's action (so a grey item's
// keys do nothing), besides the platform's standard keys of the items.
struct Accelerator {
    QKeyCombination keys;
    int id;
};

std::span<const Accelerator> acceleratorTable();

} // namespace parvelin::app
