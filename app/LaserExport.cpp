// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LaserExport.h"

#include <QSettings>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "app/DocumentWindow.h"
#include "commands/FileCommands.h"
#include "cut/CutFile.h"
#include "dialogs/LaserGcodeDialog.h"
#include "document/PropertyChecks.h"
#include "machine/MachineJobs.h"
#include "platform/Services.h"

namespace parvelin::app {
namespace {

// Asks the laser's settings over the preview of `jobs`, then writes one
// file for each, all or none. The paths written; empty when the user
// cancelled or nothing could be written (then `problem` says why).
std::vector<std::string> writeLaserJobs(std::vector<dialogs::LaserJob> jobs, const std::string& fileName,
                                        const std::string& title, DocumentWindow* window, QSettings& store,
                                        std::string& problem) {
    const std::optional<machine::LaserSettings> settings =
        dialogs::runLaserGcodeDialog(dialogs::rememberedLaserSettings(store), jobs, title, window, window);
    if (!settings) return {};
    dialogs::rememberLaserSettings(store, *settings);
    std::vector<machine::NewFile> files;
    for (const dialogs::LaserJob& job : jobs) {
        const machine::LaserProgram program =
            machine::laserProgram(job.contours, *settings, job.name.empty() ? title : title + ", " + job.name);
        if (!program.error.empty()) {
            problem = program.error + "\nNothing was exported.";
            return {};
        }
        files.push_back({job.name.empty() ? fileName : machine::besideName(fileName, job.name), program.text});
    }
    if (const std::string error = machine::writeNewFiles(files); !error.empty()) {
        problem = error;
        return {};
    }
    std::vector<std::string> written;
    for (const machine::NewFile& file : files) written.push_back(file.path);
    return written;
}

} // namespace

bool isGcodeName(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".nc" || extension == ".ngc" || extension == ".gcode";
}

bool exportRibForCutting(const AirfoilDocument& document, DocumentWindow* window, double kerf, QSettings& store) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return false;
    platform::FileDialogSettings settings = cutFileDialogSettings(document);
    settings.filters.push_back({kGcodeFilterDescription, kGcodeFilterPattern});
    const std::optional<std::string> chosen = dialogs->saveFile(window, settings);
    if (!chosen) return false;
    const std::string fileName = enterFolderOf(*chosen);
    auto say = [&](const std::string& text, platform::MessageIcon icon) {
        dialogs->messageBox(window, text, kExportCutDialogTitle, icon);
    };
    if (!isGcodeName(fileName)) {
        CutFileFormat format = CutFileFormat::Dxf;
        if (!cutFormatFor(fileName, format)) {
            say(kMessageCutOrGcodeFileName, platform::MessageIcon::Warning);
            return false;
        }
        return exportCutFileAs(document, window, kerf, fileName);
    }

    // The laser cuts the outline a cut file holds: grown by half the kerf,
    // in millimetres, a little off the origin.
    if (tooFewAirfoilPoints(document.points())) {
        say(std::string(kMessageTooFewAirfoilPoints) + ".\nNothing was exported.", platform::MessageIcon::Warning);
        return false;
    }
    const CutDrawing drawing = cutDrawing(document, kerf);
    if (drawing.pieces == 0 && std::isfinite(document.properties().chord) && document.properties().chord > 0.0f) {
        say(kMessageCutNothingLeft, platform::MessageIcon::Warning);
        return false;
    }
    std::vector<machine::Polygon> contours = machine::ribContours(drawing);
    if (contours.empty()) {
        say(fileWriteMessage(FileWriteResult::NotFinite), platform::MessageIcon::Error);
        return false;
    }
    std::string problem;
    const std::vector<std::string> written =
        writeLaserJobs({dialogs::LaserJob{std::string(), std::move(contours), {}}}, fileName, drawing.label, window,
                       store, problem);
    if (!problem.empty()) say(problem, platform::MessageIcon::Warning);
    if (written.empty()) return false;
    if (drawing.pieces > 1)
        say("The components cut the rib into " + std::to_string(drawing.pieces) +
                " pieces.\nOnly the largest piece was exported.",
            platform::MessageIcon::Warning);
    return true;
}

std::string exportSheetsGcode(const wing::Nesting& nesting, const wing::SheetSize& sheet, bool metric,
                              const std::string& fileName, DocumentWindow& window, QSettings& store,
                              std::vector<std::string>& written) {
    written.clear();
    const machine::SheetContours sheets = machine::nestedContours(nesting, metric);
    if (!sheets.error.empty()) return sheets.error;
    const double unit = metric ? 1.0 : machine::kMmPerInch;
    std::vector<dialogs::LaserJob> jobs;
    for (std::size_t s = 0; s < sheets.sheets.size(); ++s)
        jobs.push_back({"sheet-" + std::to_string(s + 1), sheets.sheets[s],
                        machine::PreviewArea{sheet.width * unit, sheet.height * unit}});
    const std::string name = window.document() ? window.document()->getName().value_or(std::string()) : std::string();
    std::string problem;
    written = writeLaserJobs(std::move(jobs), fileName, name.empty() ? "wing" : name + " wing", &window, store, problem);
    return problem;
}

} // namespace parvelin::app
