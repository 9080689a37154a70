// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli wing: every rib of a wing panel, each as its own drawing, the
// ribs nested on cutting sheets, and all ribs printed into one PDF.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airfoil/NacaSection.h"
#include "cli/Commands.h"
#include "cli/NestChoices.h"
#include "model/CoordinateFile.h"
#include "model/ImportReader.h"
#include "document/AirfoilDocument.h"
#include "text/NumberText.h"
#include "model/PropertyChecks.h"
#include "document/RibDesignFile.h"
#include "model/RibPropertyFields.h"
#include "dxf/DxfWriter.h"
#include "wing/RibSet.h"
#include "wing/WingDesign.h"
#include "wing/WingFiles.h"
#include "geom/Units.h"

namespace parvelin::cli {
namespace {

using namespace parvelin::wing;

// What the command line calls the General page's Height.
const char* const kHeightHint = " (--set height=L raises the board; --set height=0 builds no tabs)";

// Whether the job sets the building board's height itself; without it the
// tabs are only the default's offer.
bool heightGiven(const std::vector<std::pair<std::string, std::string>>& settings) {
    for (const auto& [field, value] : settings)
        if (field == "height" || field == "heightInPercent") return true;
    return false;
}

// A rib of the set that cannot stand on the board: refused when the height
// was given (returns true after saying so), otherwise the set is built
// without those ribs' tabs, as the program builds it, and the user told.
bool refuseTabs(const RibSet& set, bool explicitHeight, const std::string& where) {
    if (set.tabProblem.empty()) return false;
    if (explicitHeight) {
        std::fprintf(stderr, "parvelin-cli: %s%s%s\n", where.c_str(), set.tabProblem.c_str(), kHeightHint);
        return true;
    }
    std::string problem = set.tabProblem;
    if (!problem.empty() && problem.back() == '.') problem.pop_back();
    std::fprintf(stderr, "parvelin-cli: %s%s; the ribs that cannot stand are built without tabs%s\n", where.c_str(),
                 problem.c_str(), kHeightHint);
    return false;
}

// The first rib no cut can be made from with this kerf (a chord under 1 mm,
// a kerf that would close a notch): says so and returns true.
bool refuseUncuttable(const RibSet& set, double kerf) {
    for (const WingRib& rib : set.ribs)
        if (const std::string problem = cutValueProblem(rib.properties, kerf); !problem.empty()) {
            std::fprintf(stderr, "parvelin-cli: rib %s: %s\n", rib.name().c_str(), problem.c_str());
            return true;
        }
    return false;
}

// A file-name part from the input's name: letters, digits, '-' and '_'.
std::string fileStem(const std::string& input) {
    std::string stem;
    for (char ch : std::filesystem::path(input).stem().string()) {
        const bool keep = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                          ch == '-' || ch == '_';
        stem += keep ? ch : '_';
    }
    return stem.empty() ? std::string("rib") : stem;
}

std::string ribNumber(int number, int count) {
    std::string digits = std::to_string(number);
    const std::size_t width = std::max<std::size_t>(2, std::to_string(count).size());
    while (digits.size() < width) digits.insert(digits.begin(), '0');
    return "R" + digits;
}

// The root airfoil as File > Import reads it (its report on stderr): the
// ribs go to a cutter, never as the part Open takes of a file. The tip
// airfoil (`tip`) is any file Import or Open reads; "naca:2412" is the
// section itself.
bool readSection(const std::string& path, std::vector<AirfoilPoint>& points, std::string& name, bool tip) {
    CoordinateFileContents contents;
    if (tip || nacaInputDesignation(path)) {
        std::string why;
        std::optional<CoordinateFileContents> read = readSectionOrNaca(path, why);
        if (!read) {
            for (char& ch : why)
                if (ch == '\n') ch = ' ';
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", path.c_str(), why.c_str());
            return false;
        }
        contents = std::move(*read);
    } else if (!readImportedInput(path, contents, nullptr)) {
        return false;
    }
    points = pointsOf(contents.drawingOrder);
    name = contents.name;
    return true;
}

} // namespace

namespace {

// What INPUT gives the wing: the root airfoil, its properties with the
// settings over them, and for a design that holds one, its wing.
struct WingInput {
    std::vector<AirfoilPoint> root;
    std::vector<AirfoilPoint> tip;
    std::string name;
    std::string tipName;
    std::optional<WingDesign> design;
    RibProperties properties = kDefaultRibProperties;
};

// A rib design gives its airfoil, its properties and, when it holds one, its
// wing and tip airfoil; a coordinate file the airfoil only.
int readWingInput(const JobOptions& job, WingInput& in) {
    if (isRibDesignPath(job.input) && !job.import) {
        const WingDesignRead read = readDesignWithWing(job.input);
        if (!read.rib.loaded) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), read.rib.error.c_str());
            return 1;
        }
        in.root = pointsOf(read.rib.design.points);
        in.name = read.rib.design.name;
        in.properties = read.rib.design.properties;
        in.design = read.wing;
        if (in.design) {
            in.tip = pointsOf(in.design->tipPoints);
            in.tipName = in.design->tipName;
        }
    } else if (!readSection(job.input, in.root, in.name, false)) {
        return 1;
    }
    return applyJobSettings(job.settings, in.properties);
}

// The spar's place at root and tip: as given, else a design's own (neither
// given), else the sparDistance field (the tip following a given root).
int sparPlaces(const ParsedLine& line, const WingInput& in, WingPanel& panel) {
    const Given* root = line.last(Opt::SparRoot);
    const Given* tip = line.last(Opt::SparTip);
    if (in.design && root == nullptr && tip == nullptr) return 0;
    const bool fieldPercent = in.properties.sparDistanceInPercent == 1;
    panel.sparRoot = root != nullptr ? root->number : in.properties.sparDistance;
    const bool rootPercent = root != nullptr ? root->percent : fieldPercent;
    panel.sparTip = tip != nullptr ? tip->number : root != nullptr ? panel.sparRoot : in.properties.sparDistance;
    const bool tipPercent = tip != nullptr ? tip->percent : rootPercent;
    if (rootPercent != tipPercent)
        return usageError("wing", "--spar-root and --spar-tip must both be lengths or both percentages");
    panel.sparInPercent = rootPercent;
    return 0;
}

// The panel: a design's, with each value given here in its place, or the
// command line's alone.
int wingPanel(const ParsedLine& line, const WingInput& in, WingPanel& panel) {
    const bool ribsGiven = line.has(Opt::Ribs) || line.has(Opt::Spacing);
    if (in.design)
        panel = in.design->panel;
    else if (!line.has(Opt::Span) || !line.has(Opt::RootChord) || !line.has(Opt::TipChord) || !ribsGiven)
        return usageError("wing", "wing needs --span, --root-chord, --tip-chord and --ribs (or --spacing)");
    panel.span = line.number(Opt::Span, panel.span);
    panel.rootChord = line.number(Opt::RootChord, panel.rootChord);
    panel.tipChord = line.number(Opt::TipChord, panel.tipChord);
    if (ribsGiven) {
        panel.ribCount = static_cast<int>(line.number(Opt::Ribs, WingPanel{}.ribCount));
        panel.ribSpacing = line.number(Opt::Spacing, WingPanel{}.ribSpacing);
    }
    panel.sweep = line.number(Opt::Sweep, panel.sweep);
    if (line.has(Opt::Side)) wingSideNamed(line.text(Opt::Side, ""), panel.side);
    // The tip's washout is the record's washout field unless given here.
    panel.washout = line.number(Opt::Washout, in.properties.washout);
    return sparPlaces(line, in, panel);
}

// A folder that holds files is refused before any work is done.
bool outputFolderTaken(const std::string& folder) {
    std::error_code ec;
    const std::filesystem::path out(folder);
    const std::filesystem::file_status status = std::filesystem::symlink_status(out, ec);
    if (std::filesystem::exists(status) &&
        (!std::filesystem::is_directory(status) || !std::filesystem::is_empty(out, ec) || ec)) {
        std::fprintf(stderr, "parvelin-cli: %s is not a new or empty folder; nothing was written\n", folder.c_str());
        return true;
    }
    return false;
}

// The set as the panel and properties build it, refused (non-zero status)
// when a rib cannot be built, stand on a board asked for, or be cut.
int buildWingSet(const WingPanel& panel, const WingInput& in, const JobOptions& job, RibSet& set) {
    set = buildRibSet(panel, in.properties, in.root, in.tip);
    if (!set.error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", set.error.c_str());
        return 1;
    }
    // Tabs that cannot stand on a board the user asked for would make a set
    // that cannot be built as asked: nothing is written.
    if (refuseTabs(set, heightGiven(job.settings), "")) return 1;
    if (refuseUncuttable(set, job.kerf)) return 2;
    if (const std::string split = splitRibs(set); !split.empty())
        std::fprintf(stderr, "parvelin-cli: the components cut %s into pieces; only the largest piece of each is cut\n",
                     split.c_str());
    return 0;
}

// Each rib's drawing, then each sheet's DXF and SVG; false after saying why
// when one holds a coordinate that is not a finite number.
bool drawWingFiles(const RibSet& set, const Nesting& nesting, const std::string& stem, const SheetSize& sheet,
                   const JobOptions& job, std::vector<OutputFile>& files) {
    const int count = static_cast<int>(set.ribs.size());
    for (const WingRib& rib : set.ribs) {
        const DxfWriter drawing = ribDrawing(rib);
        if (!drawing.allFinite()) {
            std::fprintf(stderr, "parvelin-cli: rib %s holds a coordinate that is not a finite number; "
                                 "nothing was written\n", rib.name().c_str());
            return false;
        }
        files.push_back({stem + "-" + ribNumber(rib.station.number, count) + ".dxf", drawing.text()});
    }
    const bool metric = inMillimetres(job.properties);
    for (std::size_t s = 0; s < nesting.sheets.size(); ++s) {
        if (!sheetFinite(nesting.sheets[s])) {
            std::fprintf(stderr, "parvelin-cli: sheet %zu is not finite; nothing was written\n", s + 1);
            return false;
        }
        const std::string base = "sheet-" + std::to_string(s + 1);
        files.push_back({base + ".dxf", sheetDxf(nesting.sheets[s], metric, job.dxfR12 ? DxfVersion::R12 : DxfVersion::R2000)});
        files.push_back({base + ".svg", sheetSvg(nesting.sheets[s], sheet, metric, sheetTitle(nesting, s))});
    }
    return true;
}

// ribs.pdf, every rib at true scale; false after saying why when a set that
// could be printed cannot (a rib on too many pages): nothing is written then.
bool printWingPdf(const RibSet& set, WingSide side, const std::string& name, const JobOptions& job,
                  std::vector<OutputFile>& files) {
    std::string pdf;
    std::string pdfError;
    if (printRibSetPdf(set, side, name, job, pdf, pdfError)) {
        files.push_back({"ribs.pdf", pdf});
        return true;
    }
    if (!kCanPrint) {
        std::fprintf(stderr, "parvelin-cli: ribs.pdf: %s\n", pdfError.c_str());
        return true;
    }
    if (const std::size_t cut = pdfError.find("\nNothing was"); cut != std::string::npos) pdfError.resize(cut);
    std::fprintf(stderr, "parvelin-cli: ribs.pdf: %s; nothing was written\n", pdfError.c_str());
    return false;
}

} // namespace

int runWing(const ParsedLine& line) {
    JobOptions job = jobOptions(line);
    WingInput in;
    if (const int status = readWingInput(job, in); status != 0) return status;
    job.properties = in.properties;
    WingPanel panel;
    if (const int status = wingPanel(line, in, panel); status != 0) return status;
    if (const std::string tip = line.text(Opt::TipAirfoil, ""); !tip.empty() && !readSection(tip, in.tip, in.tipName, true))
        return 1;
    const bool metric = inMillimetres(job.properties);
    SheetSize sheet = defaultSheet(metric);
    if (line.has(Opt::Sheet)) sheet = SheetSize{job.sheetWidth, job.sheetHeight};
    const std::string& folder = job.output;
    if (outputFolderTaken(folder)) return 1;

    RibSet set;
    if (const int status = buildWingSet(panel, in, job, set); status != 0) return status;
    const Nesting nesting = nestSet(set, panel.side, sheet, nestOptionsFor(job.nest, job.kerf, metric));
    if (!nesting.error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", nesting.error.c_str());
        return 1;
    }
    // Everything is made in memory first; the folder is written only when all is sound.
    std::vector<OutputFile> files;
    if (!drawWingFiles(set, nesting, fileStem(job.input), sheet, job, files)) return 1;
    if (!printWingPdf(set, panel.side, in.name, job, files)) return 1;
    if (const std::string error = writeOutputFolder(folder, files); !error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", error.c_str());
        return 1;
    }
    std::printf("%zu ribs, %zu sheet%s, %zu files in %s\n", set.ribs.size(), nesting.sheets.size(),
                nesting.sheets.size() == 1 ? "" : "s", files.size(), folder.c_str());
    std::fputs(yieldLines(nesting, metric).c_str(), stdout);
    std::fputs(weightLines(set).c_str(), stdout);
    return 0;
}

namespace {

struct DesignSet {
    RibSet set;
    WingPanel panel;
    std::string name;
    std::string tipName;  // empty without a tip airfoil
    bool metric = true;
};

// The wing a rib design holds, built as the program builds it when the
// design is opened. -1 when the input holds no wing (a coordinate file, a
// single rib), 0 with `out` filled, otherwise the exit status after saying
// why. A set whose ribs cannot stand on their board is refused unless
// `describeOnly`.
int loadDesignSet(const JobOptions& job, DesignSet& out, bool describeOnly = false) {
    DesignWing design;
    if (const int status = readDesignWing(job, design); status != 0) return status;
    out.panel = design.panel;
    out.set = buildRibSet(out.panel, design.properties, design.root, design.tip);
    if (!out.set.error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), out.set.error.c_str());
        return 1;
    }
    if (!describeOnly && refuseTabs(out.set, heightGiven(job.settings), job.input + ": ")) return 1;
    if (const std::string split = splitRibs(out.set); !describeOnly && !split.empty())
        std::fprintf(stderr, "parvelin-cli: the components cut %s into pieces; only the largest piece of each is cut\n",
                     split.c_str());
    out.name = design.name;
    out.tipName = design.tipName;
    out.metric = inMillimetres(design.properties);
    return 0;
}

int reportWrite(const std::string& path, FileWriteResult result) {
    if (result == FileWriteResult::Written) return 0;
    std::fprintf(stderr, "parvelin-cli: %s: %s\n", path.c_str(), fileWriteMessage(result));
    return 1;
}

} // namespace

int runDesignWing(const std::string& command, const JobOptions& job) {
    DesignSet loaded;
    if (const int status = loadDesignSet(job, loaded); status != 0) return status;
    if (command == "export") {
        // Every rib in one drawing, side by side, as File > Export writes a wing.
        const DxfWriter drawing = setDrawing(loaded.set);
        return reportWrite(job.output,
                           drawing.allFinite() ? writeNewFile(job.output, drawing.text()) : FileWriteResult::NotFinite);
    }
    if (command == "cut") {
        if (refuseUncuttable(loaded.set, job.kerf)) return 2;
        // The ribs nested on cutting sheets beside OUTPUT, as Export for Cutting does.
        SheetSize sheet{job.sheetWidth, job.sheetHeight};
        if (!(sheet.width > 0.0) || !(sheet.height > 0.0))
            sheet = defaultSheet(loaded.metric);
        std::vector<std::string> written;
        const Nesting nesting =
            nestSet(loaded.set, loaded.panel.side, sheet, nestOptionsFor(job.nest, job.kerf, loaded.metric));
        const std::string problem = writeSheetFiles(job.output, nesting, sheet, loaded.metric,
                                                    job.dxfR12 ? DxfVersion::R12 : DxfVersion::R2000, &written);
        if (!problem.empty()) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), problem.c_str());
            return 1;
        }
        for (const std::string& name : written) std::printf("%s\n", name.c_str());
        std::fputs(yieldLines(nesting, loaded.metric).c_str(), stdout);
        return 0;
    }
    if (command == "print") {
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(job.output, error)))
            return reportWrite(job.output, FileWriteResult::AlreadyExists);
        JobOptions pages = job;
        pages.properties = loaded.set.ribs.front().properties;
        std::string pdf;
        std::string reason;
        if (!printRibSetPdf(loaded.set, loaded.panel.side, loaded.name, pages, pdf, reason)) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), reason.c_str());
            return 1;
        }
        return reportWrite(job.output, writeNewFile(job.output, pdf));
    }
    return -1;
}

int printDesignWing(const JobOptions& job) {
    DesignSet loaded;
    if (const int status = loadDesignSet(job, loaded, true); status != 0) return status;
    const std::string unit = geom::unitSuffix(loaded.metric);
    // Numbers as short as they are exact to a micrometre: 450, 110.5, 12.25.
    auto shortest = [](double value) {
        std::string text = formatFixed6(value);
        while (!text.empty() && text.back() == '0') text.pop_back();
        if (!text.empty() && text.back() == '.') text.pop_back();
        return text;
    };
    const WingPanel& p = loaded.panel;
    std::string spar = shortest(p.sparRoot) + (p.sparInPercent ? " %" : unit) + " to " + shortest(p.sparTip) +
                       (p.sparInPercent ? " %" : unit);
    std::printf("wing: span %s, root chord %s, tip chord %s, %zu ribs, sides %s, sweep %s, spar %s, "
                "washout %s degrees, tip airfoil %s\n",
                (shortest(p.span) + unit).c_str(), (shortest(p.rootChord) + unit).c_str(),
                (shortest(p.tipChord) + unit).c_str(), loaded.set.ribs.size(), traits(p.side).name,
                (shortest(p.sweep) + unit).c_str(), spar.c_str(), shortest(p.washout).c_str(),
                loaded.tipName.empty() ? "none" : loaded.tipName.c_str());
    if (!loaded.set.tabProblem.empty()) std::printf("wing problem: %s\n", loaded.set.tabProblem.c_str());
    return 0;
}

} // namespace parvelin::cli
