// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's airfoil commands: File > New from NACA... makes a section into
// a new document; File > Airfoil Browser... opens a file chosen from a folder.
#include "app/FrameWindow.h"
#include "app/ImportCommand.h"
#include "model/ImportReader.h"
#include "dialogs/AirfoilBrowser.h"
#include "dialogs/NacaDialog.h"

namespace parvelin::app {

void FrameWindow::openContents(const CoordinateFileContents& contents) {
    // As Open and Import: into the empty active window, or a new one.
    AirfoilDocument* document = emptyDocument();
    if (document == nullptr) return;
    document->takeContents(contents);
    if (DocumentWindow* window = activeChild()) window->showDocument();
    updateMenus();
}

void FrameWindow::newFromNaca() {
    // A made section is a document without a file: the first Save asks for
    // a name, as after Import.
    if (const std::optional<CoordinateFileContents> contents = dialogs::runNacaDialog(this)) openContents(*contents);
}

void FrameWindow::browseAirfoils() {
    const std::optional<QString> chosen = dialogs::runAirfoilBrowser(dialogs::BrowserMode::Open, this);
    if (!chosen) return;
    // The browser reads as Import does: a file Import takes unchanged (or
    // only Open reads) opens as with File > Open and joins the recent files;
    // one Import repairs is imported, with its report.
    const std::string path = chosen->toStdString();
    const ImportResult imported = readImportFile(path);
    if (imported.status != ImportStatus::Imported || imported.changes.empty()) {
        openPath(*chosen);
        return;
    }
    AirfoilDocument* document = emptyDocument();
    if (document == nullptr) return;
    app::importFile(*document, path, activeChild());
    updateMenus();
}

} // namespace parvelin::app
