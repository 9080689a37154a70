// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/NestChoices.h"
#include "model/CoordinateFile.h"
#include "model/AirfoilPoint.h"
#include "model/RibProperties.h"
#include "wing/WingPanel.h"

namespace parvelin {
class AirfoilDocument;
struct CutDrawing;
namespace wing {
struct RibSet;
enum class WingSide;
}
}

namespace parvelin::cli {

struct JobOptions {
    RibProperties properties = kDefaultRibProperties;
    // Every --set (and --chord, --inches, --mm) as FIELD and VALUE, in order:
    // `properties` is them applied over the defaults, and a rib design input
    // gets them applied over its own properties.
    std::vector<std::pair<std::string, std::string>> settings;
    std::string input;
    std::string output;
    std::string pageSize = "A4";
    bool landscape = false;
    // The view flags of the printed page (guide lines).
    bool edgeLines = true;
    bool chordLine = true;
    // cut: the cutter's kerf in the chord's unit, and the DXF version.
    double kerf = 0.0;
    bool dxfR12 = false;
    // cut, for a rib design with a wing: the cutting sheet (0: 600 x 100 mm).
    double sheetWidth = 0.0;
    double sheetHeight = 0.0;
    // cut, for a rib design with a wing: the nesting's options.
    NestChoices nest;
    // --import: the tolerant reader of File > Import instead of Open's.
    bool import = false;
    // --force: an existing output file is replaced whole instead of refused.
    bool force = false;
};

// Reads the job's input with Open's reader or, for --import, Import's;
// reports a refused file on stderr, and warns, naming --import, when Open
// took the file only in part. `changes` receives Import's report (without
// it the report goes to stderr).
bool readJobInput(const JobOptions& job, CoordinateFileContents& contents, std::vector<std::string>* changes);
// Reads `path` as File > Import does, as readJobInput does for --import.
bool readImportedInput(const std::string& path, CoordinateFileContents& contents, std::vector<std::string>* changes);

// The settings (--set, --chord, --inches, --mm) over `properties`, then the
// property pages' own checks. Returns 0, or 2 after telling why on stderr.
int applyJobSettings(const std::vector<std::pair<std::string, std::string>>& settings, RibProperties& properties);

// Loads the input exactly as the program does: a coordinate file (the
// components compute with the defaults, then the job's properties are applied
// as the property sheet's OK does) or a rib design (its own properties with
// the job's settings over them). Returns 0, or the exit status after telling
// why on stderr: 1 for a refused file, 2 for properties that cannot be built.
int loadJobDocument(const JobOptions& job, AirfoilDocument& document);

// The job the command line asks for: the settings, INPUT and OUTPUT and the
// options of export, print, cut and project.
JobOptions jobOptions(const ParsedLine& line);

// Each returns the process exit status and reports errors on stderr.
int runExport(const JobOptions& job);
int runPrint(const JobOptions& job);
int runCut(const JobOptions& job);
// A single rib's cut drawing for a cut file or a laser: the airfoil read as
// File > Import reads it; values no rib can be cut from refused (2), a rib
// with nothing left to cut refused (1), a rib cut in pieces said. 0 when
// `drawing` holds it.
int machineRibDrawing(const JobOptions& job, CutDrawing& drawing);

// The commands as the command table runs them (cli/CommandTable.cpp).
int runRibJob(const ParsedLine& line);  // export, print and cut
int runProjectJob(const ParsedLine& line);
int runInfo(const ParsedLine& line);
int runFields(const ParsedLine& line);
int runNaca(const ParsedLine& line);
int runWing(const ParsedLine& line);
int runLaserCommand(const ParsedLine& line);
int runHotwireCommand(const ParsedLine& line);
int runModel(const ParsedLine& line);

// Coordinate pairs as the airfoil points a rib is built from.
std::vector<AirfoilPoint> pointsOf(const std::vector<CoordinatePair>& pairs);

// A rib design's wing, its properties with the job's settings over them.
struct DesignWing {
    RibProperties properties;
    wing::WingPanel panel;  // its washout is the properties' field, as in the program
    std::string name;
    std::vector<AirfoilPoint> root;
    std::vector<AirfoilPoint> tip;  // empty: the root's section throughout
    std::string tipName;            // empty without a tip airfoil
};
// 0 with `out` filled; -1 when INPUT is no rib design (or --import reads it
// as a coordinate file) or holds no wing; otherwise the exit status after
// saying why on stderr.
int readDesignWing(const JobOptions& job, DesignWing& out);

// export, print or cut of a rib design that holds a wing: every rib of the
// set, as the program's File > Export, Print and Export for Cutting treat a
// wing. Returns -1 when the input holds no wing (the single rib is the
// job), otherwise the exit status.
int runDesignWing(const std::string& command, const JobOptions& job);

// info's line for a rib design with a wing ("wing: span ... , 11 ribs,
// sides both"); -1 when it holds none, otherwise the exit status.
int printDesignWing(const JobOptions& job);

// True in the tool that prints (parvelin-cli-pdf, built with Qt); false in
// parvelin-cli, which hands the commands that write a PDF over to it, and in
// a build without Qt.
extern const bool kCanPrint;

// The printing tool's path, empty when there is none.
std::string pdfToolPath();
// Runs the printing tool in this process's place with `args` (the command
// and what follows it); returns only when there is no printing tool.
void handOverToPdfTool(std::span<const std::string> args);
// Why this tool cannot print, for the message that says so.
std::string noPrintingReason();

// Prints every rib of the set at true scale, each on its own page with its
// label, into PDF bytes. False with the reason when it cannot.
bool printRibSetPdf(const wing::RibSet& set, wing::WingSide side, const std::string& name, const JobOptions& job,
                    std::string& pdf, std::string& error);

// Writes the loaded input as a rib design file (never over an existing file).
int runProject(const JobOptions& job);

} // namespace parvelin::cli
