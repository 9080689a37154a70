// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands on the current rib: Print and Print Preview, Export,
// Export for Cutting of a single rib, and the property sheet. A window with
// a wing hands Print and the exports to the wing's commands (FrameWing.cpp).
#include <QFileInfo>
#include <QMessageBox>

#include "app/FrameSettings.h"
#include "app/FrameWindow.h"
#include "app/LaserExport.h"
#include "app/print/PrintCommand.h"
#include "app/print/RibSetPages.h"
#include "cut/CutFile.h"
#include "dialogs/CuttingSheetDialog.h"
#include "dialogs/PropertiesCommand.h"
#include "model/PropertyChecks.h"
#include "platform/Services.h"

namespace parvelin::app {

namespace {
constexpr const char* kMessageExportNeedsDocument = "You need to create or open an airfoil to\nexport the selected airfoil.";
constexpr const char* kMessagePropertiesNeedsDocument =
    "You need to create or open an airfoil to\ndisplay the Properties dialog.";

// The window shows a wing with at least one rib.
bool showsWing(const DocumentWindow* window) { return window && window->wing() && !window->ribSet().ribs.empty(); }
} // namespace

ReplaceQuestion replaceQuestion(QWidget* owner) {
    return [owner](const std::string& path) {
        const QString name = QFileInfo(QString::fromStdString(path)).fileName();
        return QMessageBox::question(owner, QString::fromLatin1(kExportDialogTitle),
                                     QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(name),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
}

void FrameWindow::printCurrent(bool preview) {
    // A window with a wing prints every rib of it; otherwise the rib.
    if (DocumentWindow* window = activeChild(); showsWing(window)) {
        const std::string name = window->document()->getName().value_or(std::string());
        if (preview)
            runRibSetPrintPreviewCommand(window->ribSet(), window->wing()->panel.side, name, this, printer(),
                                         window->document());
        else
            runRibSetPrintCommand(window->ribSet(), window->wing()->panel.side, name, this, printer(),
                                  window->document());
    } else if (AirfoilDocument* document = currentDocument(); document && document->isLoaded()) {
        preview ? runPrintPreviewCommand(document, this, printer()) : runPrintCommand(document, this, printer());
    } else {
        showDocumentMessage(kMessagePrintNeedsDocument,
                            preview ? kPrintPreviewNeedsDocumentCaption : kPrintNeedsDocumentCaption);
    }
}

void FrameWindow::exportDrawing() {
    if (DocumentWindow* window = activeChild(); showsWing(window))
        exportWingSet(*window);
    else if (AirfoilDocument* document = currentDocument(); document && document->isLoaded())
        exportDxf(*document, activeChild(), activeChild()->exportFileName(), replaceQuestion(activeChild()));
    else
        showDocumentMessage(kMessageExportNeedsDocument, "Export Dialog");
}

void FrameWindow::exportForCutting() {
    if (DocumentWindow* window = activeChild(); showsWing(window))
        exportWingSheets(*window);
    else if (AirfoilDocument* document = currentDocument(); document && document->isLoaded())
        exportSingleCutFile(*document, activeChild());
    else
        showDocumentMessage(kMessageExportNeedsDocument, kExportCutDialogTitle);
}

void FrameWindow::exportSingleCutFile(const AirfoilDocument& document, DocumentWindow* window) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return;
    // The kerf in the rib's unit, the one last chosen offered again.
    const RibProperties& rib = document.properties();
    QSettings stored = frameSettings();
    platform::CuttingSheetSettings offered = dialogs::rememberedCuttingSheet(stored, inMillimetres(rib), rib.precision);
    offered.askSheet = false;
    // A chord no rib can be cut at is refused before the kerf is asked; a
    // kerf that closes the notches while it can still be changed.
    if (const std::string problem = cutValueProblem(rib, 0.0); !problem.empty()) {
        dialogs->messageBox(window, (userSentence(problem) + "\nNothing was exported.").c_str(), kExportCutDialogTitle,
                            platform::MessageIcon::Warning);
        return;
    }
    auto cuttable = [&](const platform::CuttingSheetSettings& s) {
        const std::string problem = cutValueProblem(rib, s.kerf);
        return problem.empty() ? problem : userSentence(problem);
    };
    const std::optional<platform::CuttingSheetSettings> kerf = dialogs->cuttingSheet(window, offered, cuttable);
    if (!kerf) return;
    dialogs::rememberCuttingSheet(stored, *kerf);
    exportRibForCutting(document, window, kerf->kerf, stored);
}

void FrameWindow::editAirfoilProperties() {
    if (AirfoilDocument* document = currentDocument(); document && document->isLoaded()) {
        dialogs::runPropertiesCommand(*document, activeChild(), activeChild()->undoStack());
        activeChild()->rebuildWing();
    } else {
        showDocumentMessage(kMessagePropertiesNeedsDocument, "Properties Dialog");
    }
}

} // namespace parvelin::app
