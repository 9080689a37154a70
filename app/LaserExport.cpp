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
#include "model/PropertyChecks.h"
#include "machine/HotwireGcode.h"
#include "machine/MachineJobs.h"
#include "platform/Services.h"
#include "geom/Units.h"

namespace parvelin::app {
namespace {

// Writes one file for each of `jobs` with `settings`, all or none. The
// paths written; empty when nothing could be written (`problem` says why).
std::vector<std::string> writeLaserJobs(const std::vector<dialogs::LaserJob>& jobs, const std::string& fileName,
                                        const std::string& title, const machine::LaserSettings& settings,
                                        std::string& problem) {
    std::vector<machine::NewFile> files;
    for (const dialogs::LaserJob& job : jobs) {
        const machine::LaserProgram program =
            machine::laserProgram(job.contours, settings, job.name.empty() ? title : title + ", " + job.name);
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
    const std::vector<dialogs::LaserJob> jobs{{std::string(), std::move(contours), {}}};
    const std::optional<machine::LaserSettings> laser =
        dialogs::runLaserGcodeDialog(dialogs::rememberedLaserSettings(store), jobs, drawing.label, window, window);
    if (!laser) return false;
    dialogs::rememberLaserSettings(store, *laser);
    std::string problem;
    const std::vector<std::string> written = writeLaserJobs(jobs, fileName, drawing.label, *laser, problem);
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
    const AirfoilDocument* document = window.document();
    if (document == nullptr || !window.wing()) return "The window holds no wing.";
    const machine::SheetContours sheets = machine::nestedContours(nesting, metric);
    if (!sheets.error.empty()) return sheets.error;
    const double unit = geom::millimetresPer(metric);
    std::vector<dialogs::LaserJob> jobs;
    for (std::size_t s = 0; s < sheets.sheets.size(); ++s)
        jobs.push_back({"sheet-" + std::to_string(s + 1), sheets.sheets[s],
                        machine::PreviewArea{sheet.width * unit, sheet.height * unit}});
    const std::string name = document->getName().value_or(std::string());
    const std::string title = name.empty() ? "wing" : name + " wing";

    // The same wing as foam cores: the panel's root and tip sections, the
    // tip's washout the document's, one core for each side the wing has.
    dialogs::HotwireOffer wire;
    wire.settings = dialogs::rememberedHotwireSettings(store);
    wing::WingPanel panel = window.wing()->panel;
    panel.washout = document->properties().washout;
    wire.sections = machine::coreSections(document->points(), window.wing()->tipSection, panel, unit);
    if (panel.side != wing::WingSide::Left) wire.cores.push_back({"right", true});
    if (panel.side != wing::WingSide::Right) wire.cores.push_back({"left", false});

    const std::optional<dialogs::GcodeChoice> choice =
        dialogs::runGcodeDialog(dialogs::rememberedLaserSettings(store), jobs, title, wire, &window, &window);
    if (!choice) return {};
    if (!choice->hotwire) {
        dialogs::rememberLaserSettings(store, choice->laser);
        std::string problem;
        written = writeLaserJobs(std::move(jobs), fileName, title, choice->laser, problem);
        return problem;
    }
    dialogs::rememberHotwireSettings(store, choice->wire);
    std::vector<machine::NewFile> files;
    for (std::size_t k = 0; k < wire.cores.size() && k < choice->programs.size(); ++k)
        files.push_back({wire.cores.size() == 1 ? fileName : machine::besideName(fileName, wire.cores[k].name),
                         choice->programs[k].text});
    if (std::string error = machine::writeNewFiles(files); !error.empty()) return error;
    std::string said = std::to_string(files.size()) + (files.size() == 1 ? " foam core was" : " foam cores were") +
                       " written:";
    for (const machine::NewFile& file : files) said += "\n" + std::filesystem::path(file.path).filename().string();
    if (platform::Dialogs* dialogs = platform::dialogs())
        dialogs->messageBox(&window, said, kExportCutDialogTitle, platform::MessageIcon::Information);
    return {};
}

} // namespace parvelin::app
