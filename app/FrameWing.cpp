// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's wing commands: Wing Properties, and File > Export and Export
// for Cutting while the current window shows a wing.
#include <QFileInfo>

#include "app/FrameSettings.h"
#include "app/FrameWindow.h"
#include "app/LaserExport.h"
#include "cut/CutFile.h"
#include "dialogs/CuttingSheetDialog.h"
#include "dialogs/WingDialog.h"
#include "model/PropertyChecks.h"
#include "model/ReplaceFile.h"
#include "platform/Services.h"
#include "wing/WingFiles.h"

namespace parvelin::app {

namespace {

// The sheet and the kerf for nesting the wing's ribs, in the ribs' unit, the
// ones last chosen offered again; a sheet too small for a rib or a kerf no
// rib can be cut with is refused while the user can still change it.
std::optional<platform::CuttingSheetSettings> askCuttingSheet(const wing::RibSet& set, wing::WingSide side,
                                                              DocumentWindow& window, QSettings& stored) {
    const RibProperties& ribs = set.ribs.front().properties;
    const bool metric = inMillimetres(ribs);
    const platform::CuttingSheetSettings offered = dialogs::rememberedCuttingSheet(stored, metric, ribs.precision);
    const std::vector<wing::NestPart> parts = wing::nestPartsOf(set, side);
    auto fits = [&](const platform::CuttingSheetSettings& s) {
        for (const wing::WingRib& rib : set.ribs)
            if (const std::string problem = cutValueProblem(rib.properties, s.kerf); !problem.empty())
                return "Rib " + rib.name() + ": " + problem + ".";
        // Whether every rib fits is known from the first layout.
        wing::NestOptions quick = wing::nestOptions(s.kerf, metric);
        quick.seconds = 0.0;
        return wing::nestParts(parts, wing::SheetSize{s.width, s.height}, quick).error;
    };
    std::optional<platform::CuttingSheetSettings> sheet = platform::dialogs()->cuttingSheet(&window, offered, fits);
    if (sheet) dialogs::rememberCuttingSheet(stored, *sheet);
    return sheet;
}

// The name the sheets' files are made from: a DXF, SVG or G-code file.
std::optional<std::string> askSheetFileName(DocumentWindow& window) {
    platform::Dialogs* dialogs = platform::dialogs();
    platform::FileDialogSettings settings;
    settings.title = kExportCutDialogTitle;
    settings.filters = {{"Drawing Interchange Format", "*.dxf"},
                        {"Scalable Vector Graphics", "*.svg"},
                        {kGcodeFilterDescription, kGcodeFilterPattern}};
    settings.initialFileName = window.document()->exportFileName();
    settings.defaultExtension = "dxf";
    settings.initialFolder = currentFolderForDialog();
    const std::optional<std::string> chosen = dialogs->saveFile(&window, settings);
    if (!chosen) return std::nullopt;
    std::string fileName = enterFolderOf(*chosen);
    if (CutFileFormat format = CutFileFormat::Dxf; !isGcodeName(fileName) && !cutFormatFor(fileName, format)) {
        dialogs->messageBox(&window, kMessageCutOrGcodeFileName, kExportCutDialogTitle, platform::MessageIcon::Warning);
        return std::nullopt;
    }
    return fileName;
}

// Which files were written, one a sheet, each sheet's yield, and which ribs
// the components cut apart.
std::string sheetsWrittenMessage(const std::vector<std::string>& written, const wing::Nesting& nesting,
                                 const std::string& split) {
    std::string said = std::to_string(written.size()) + (written.size() == 1 ? " sheet was" : " sheets were") +
                       " written:";
    for (const std::string& path : written) said += "\n" + QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    said += "\n\n" + dialogs::yieldMessage(nesting);
    if (!split.empty()) said += "\n\n" + split;
    return said;
}

} // namespace

void FrameWindow::runWingProperties() {
    DocumentWindow* window = activeChild();
    AirfoilDocument* document = currentDocument();
    if (window == nullptr || document == nullptr || !document->isLoaded()) return;
    const dialogs::WingSettings current = window->wing().value_or(dialogs::defaultWingSettings(document->properties()));
    std::optional<dialogs::WingSettings> chosen =
        dialogs::runWingDialog(current, document->properties(), window, this);
    if (!chosen) return;
    // The tip's washout lives in the document's record, where the General
    // page shows it too.
    RibProperties properties = document->properties();
    properties.washout = static_cast<float>(chosen->panel.washout);
    document->applyProperties(properties);
    window->setWing(std::move(chosen));
    const wing::RibSet& set = window->ribSet();
    std::string problem = set.error.empty() ? set.tabProblem : set.error;
    if (const std::string split = wing::splitRibsMessage(set); set.error.empty() && !split.empty())
        problem += (problem.empty() ? "" : "\n") + split;
    if (!problem.empty()) showDocumentMessage(problem.c_str(), dialogs::kWingDialogTitle);
}

void FrameWindow::exportWingSet(DocumentWindow& window) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return;
    platform::FileDialogSettings settings;
    settings.title = kExportDialogTitle;
    settings.filters = {{"Drawing Interchange Format", "*.dxf"}};
    settings.initialFileName = window.exportFileName();
    settings.defaultExtension = "dxf";
    settings.initialFolder = currentFolderForDialog();
    const std::optional<std::string> chosen = dialogs->saveFile(&window, settings);
    if (!chosen) return;
    const std::string fileName = enterFolderOf(*chosen);
    const bool exists = QFileInfo::exists(QString::fromStdString(fileName));
    if (exists && !replaceQuestion(&window)(*chosen)) return;
    const DxfWriter drawing = wing::setDrawing(window.ribSet());
    FileWriteResult result = drawing.allFinite() ? FileWriteResult::Written : FileWriteResult::NotFinite;
    if (result == FileWriteResult::Written && exists)
        result = replaceFile(fileName, drawing.text()).written ? FileWriteResult::Written : FileWriteResult::WriteFailed;
    else if (result == FileWriteResult::Written)
        result = writeNewFile(fileName, drawing.text());
    if (result != FileWriteResult::Written)
        dialogs->messageBox(&window, fileWriteMessage(result), "Export to DXF format",
                            result == FileWriteResult::AlreadyExists ? platform::MessageIcon::Warning
                                                                     : platform::MessageIcon::Error);
}

void FrameWindow::exportWingSheets(DocumentWindow& window) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return;
    const wing::RibSet& set = window.ribSet();
    const wing::WingSide side = window.wing()->panel.side;
    const bool metric = inMillimetres(set.ribs.front().properties);
    QSettings stored = frameSettings();
    const std::optional<platform::CuttingSheetSettings> sheet = askCuttingSheet(set, side, window, stored);
    if (!sheet) return;
    const std::optional<std::string> fileName = askSheetFileName(window);
    if (!fileName) return;
    std::vector<std::string> written;
    const wing::SheetSize size{sheet->width, sheet->height};
    const wing::Nesting nesting = dialogs::nestWithProgress(set, side, size, wing::nestOptions(sheet->kerf, metric), &window);
    // G-code: the laser's settings asked over a preview of the sheets; the
    // user may still cancel there.
    const std::string problem =
        isGcodeName(*fileName) ? exportSheetsGcode(nesting, size, metric, *fileName, window, stored, written)
                               : wing::writeSheetFiles(*fileName, nesting, size, metric, DxfVersion::R2000, &written);
    if (!problem.empty()) {
        dialogs->messageBox(&window, problem.c_str(), kExportCutDialogTitle, platform::MessageIcon::Warning);
        return;
    }
    if (written.empty()) return;
    const std::string split = wing::splitRibsMessage(set);
    dialogs->messageBox(&window, sheetsWrittenMessage(written, nesting, split), kExportCutDialogTitle,
                        split.empty() ? platform::MessageIcon::Information : platform::MessageIcon::Warning);
}

} // namespace parvelin::app
