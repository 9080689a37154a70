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
#include "document/CoordinateFile.h"
#include "document/ImportReader.h"
#include "document/AirfoilDocument.h"
#include "text/NumberText.h"
#include "document/PropertyChecks.h"
#include "document/RibDesignFile.h"
#include "document/RibPropertyFields.h"
#include "dxf/DxfWriter.h"
#include "wing/RibSet.h"
#include "wing/WingDesign.h"
#include "wing/WingFiles.h"

namespace parvelin::cli {
namespace {

using namespace parvelin::wing;

const char* const kWingUsage =
    "Usage:\n"
    "  parvelin-cli wing [options] --span L --root-chord L --tip-chord L --ribs N INPUT.dat OUTDIR\n"
    "  parvelin-cli wing [options] DESIGN.parvelin OUTDIR\n"
    "\n"
    "Writes every rib of a wing panel into OUTDIR (a new or empty folder): one DXF\n"
    "drawing per rib (NAME-R01.dxf ...), the ribs nested on cutting sheets\n"
    "(sheet-1.dxf and sheet-1.svg ...) and every rib printed at true scale (ribs.pdf).\n"
    "A rib design that holds a wing gives its panel, tip airfoil and properties;\n"
    "options given here change them. For any other input the panel options are needed.\n"
    "\n"
    "Options:\n"
    "  --span L              root rib to tip rib\n"
    "  --root-chord L        chord of the root rib\n"
    "  --tip-chord L         chord of the tip rib\n"
    "  --ribs N              number of ribs, root and tip included (2 to 500)\n"
    "  --spacing L           a rib every L from the root instead of --ribs\n"
    "  --sweep L             the tip's leading edge this far aft of the root's\n"
    "  --spar-root P         spar's front edge at the root: a length from the leading\n"
    "                        edge, or a percentage of the chord written with % (25%)\n"
    "  --spar-tip P          the same at the tip (both lengths or both percentages);\n"
    "                        by default both come from the sparDistance field\n"
    "  --washout DEG         nose-down twist of the tip rib, 0 at the root (default:\n"
    "                        the washout field)\n"
    "  --side left|right|both  which panels (default both: every rib twice)\n"
    "  --tip-airfoil FILE    blend the section from INPUT at the root to FILE at the tip\n"
    "                        (any file Open or Import reads, or naca:DESIGNATION)\n"
    "  --import              read INPUT.parvelin as a coordinate file (INPUT.dat is\n"
    "                        always read with File > Import's tolerant reader)\n"
    "  --sheet WxH           cutting sheet size (default 600x100 mm)\n"
    "  --kerf L              the cutter's kerf: every cut path lies half of it outside\n"
    "                        the part, so that the part comes out at its size\n"
    "@NEST@"
    "  --dxf-version V       the sheets' DXF: R2000 (default, LWPOLYLINE) or R12\n"
    "  --set FIELD=VALUE     a rib property field (see 'parvelin-cli fields'); height\n"
    "                        and heightInPercent give the building tabs\n"
    "  --inches, --mm        the unit of every length (default mm)\n"
    "  --page SIZE, --landscape  the pages of ribs.pdf\n";

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

int wingUsageError(const std::string& message) {
    std::fprintf(stderr, "parvelin-cli: %s\n(see parvelin-cli wing --help)\n", message.c_str());
    return 2;
}

bool readNumber(std::string_view text, double& value) {
    const std::string s(text);
    std::size_t used = 0;
    value = parseDouble(s.c_str(), &used);
    return !s.empty() && used == s.size();
}

bool readCount(std::string_view text, int& value) {
    double d = 0.0;
    if (!readNumber(text, d) || d != static_cast<int>(d)) return false;
    value = static_cast<int>(d);
    return true;
}

// "25%" is a percentage, "30" a length.
bool readSpar(std::string_view text, double& value, bool& percent) {
    percent = !text.empty() && text.back() == '%';
    if (percent) text.remove_suffix(1);
    return readNumber(text, value);
}

bool readSheet(std::string_view text, SheetSize& size) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    return readNumber(text.substr(0, x), size.width) && readNumber(text.substr(x + 1), size.height);
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

std::vector<AirfoilPoint> pointsOf(const CoordinateFileContents& contents) {
    std::vector<AirfoilPoint> points;
    points.reserve(contents.drawingOrder.size());
    for (const CoordinatePair& p : contents.drawingOrder) {
        AirfoilPoint point;
        point.modelX = p.x;
        point.modelY = p.y;
        points.push_back(point);
    }
    return points;
}

std::vector<AirfoilPoint> pointsOf(const std::vector<CoordinatePair>& drawingOrder) {
    CoordinateFileContents contents;
    contents.drawingOrder = drawingOrder;
    return pointsOf(contents);
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
    points = pointsOf(contents);
    name = contents.name;
    return true;
}

} // namespace

int runWing(int argc, char** argv) {
    JobOptions job;
    WingPanel panel;
    SheetSize sheet;
    double kerf = 0.0;
    NestChoices nestChoices;
    DxfVersion dxfVersion = DxfVersion::R2000;
    bool sparRootGiven = false;
    bool sparTipGiven = false;
    bool sparRootPercent = false;
    bool sparTipPercent = false;
    bool sheetGiven = false;
    bool washoutGiven = false;
    std::string tipAirfoil;
    std::vector<std::string> positional;
    bool spanGiven = false, rootGiven = false, tipGiven = false, ribsGiven = false;
    bool sweepGiven = false, sideGiven = false;

    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::string usage = kWingUsage;
            usage.replace(usage.find("@NEST@"), 6, kNestOptionsHelp);
            std::fputs(usage.c_str(), stdout);
            return 0;
        }
        if (arg == "--inches" || arg == "--mm") {
            job.settings.emplace_back("metric", arg == "--mm" ? "1" : "0");
            continue;
        }
        if (arg == "--import") {
            job.import = true;
            continue;
        }
        if (arg == "--landscape") {
            job.landscape = true;
            continue;
        }
        if (bool needsValue = false; isNestOption(arg, needsValue)) {
            const char* v = needsValue && i + 1 < argc ? argv[++i] : nullptr;
            std::string error;
            if (!readNestChoice(arg, v, nestChoices, error)) return wingUsageError(error);
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            if (i + 1 >= argc) return wingUsageError(std::string(arg) + " needs a value");
            const std::string_view v = argv[++i];
            std::string error;
            bool ok = true;
            if (arg == "--span") ok = spanGiven = readNumber(v, panel.span);
            else if (arg == "--root-chord") ok = rootGiven = readNumber(v, panel.rootChord);
            else if (arg == "--tip-chord") ok = tipGiven = readNumber(v, panel.tipChord);
            else if (arg == "--ribs") ok = ribsGiven = readCount(v, panel.ribCount);
            else if (arg == "--spacing") ok = ribsGiven = readNumber(v, panel.ribSpacing);
            else if (arg == "--sweep") ok = sweepGiven = readNumber(v, panel.sweep);
            else if (arg == "--spar-root") ok = sparRootGiven = readSpar(v, panel.sparRoot, sparRootPercent);
            else if (arg == "--spar-tip") ok = sparTipGiven = readSpar(v, panel.sparTip, sparTipPercent);
            else if (arg == "--washout") ok = washoutGiven = readNumber(v, panel.washout);
            else if (arg == "--side") ok = sideGiven = wingSideNamed(std::string(v), panel.side);
            else if (arg == "--tip-airfoil") tipAirfoil = v;
            else if (arg == "--sheet") ok = sheetGiven = readSheet(v, sheet);
            else if (arg == "--kerf") ok = readNumber(v, kerf) && std::isfinite(kerf) && kerf >= 0.0;
            else if (arg == "--page") job.pageSize = v;
            else if (arg == "--dxf-version") {
                ok = v == "R12" || v == "r12" || v == "R2000" || v == "r2000";
                dxfVersion = (v == "R12" || v == "r12") ? DxfVersion::R12 : DxfVersion::R2000;
            }
            else if (arg == "--set") {
                const std::string assignment(v);
                const auto eq = assignment.find('=');
                if (eq == std::string::npos) return wingUsageError("--set needs FIELD=VALUE, got '" + assignment + "'");
                RibProperties scratch = kDefaultRibProperties;
                if (!setRibPropertyField(scratch, assignment.substr(0, eq), assignment.substr(eq + 1), error))
                    return wingUsageError(error);
                job.settings.emplace_back(assignment.substr(0, eq), assignment.substr(eq + 1));
            } else
                return wingUsageError("unknown option '" + std::string(arg) + "'");
            if (!ok) return wingUsageError("'" + std::string(v) + "' is not a value for " + std::string(arg));
            continue;
        }
        positional.emplace_back(arg);
    }
    if (positional.size() != 2) return wingUsageError("wing takes INPUT and OUTDIR");

    // A rib design gives its airfoil, its properties and, when it holds one,
    // its wing; a coordinate file the airfoil only.
    std::vector<AirfoilPoint> root;
    std::vector<AirfoilPoint> tip;
    std::string name;
    std::string tipName;
    std::optional<WingDesign> designWing;
    RibProperties properties = kDefaultRibProperties;
    if (isRibDesignPath(positional[0]) && !job.import) {
        const WingDesignRead read = readDesignWithWing(positional[0]);
        if (!read.rib.loaded) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", positional[0].c_str(), read.rib.error.c_str());
            return 1;
        }
        root = pointsOf(read.rib.design.points);
        name = read.rib.design.name;
        properties = read.rib.design.properties;
        designWing = read.wing;
    } else if (!readSection(positional[0], root, name, false)) {
        return 1;
    }
    if (const int status = applyJobSettings(job.settings, properties); status != 0) return status;
    job.properties = properties;

    if (designWing) {
        // The design's panel, with each value given here in its place.
        WingPanel given = panel;
        panel = designWing->panel;
        if (spanGiven) panel.span = given.span;
        if (rootGiven) panel.rootChord = given.rootChord;
        if (tipGiven) panel.tipChord = given.tipChord;
        if (ribsGiven) {
            panel.ribCount = given.ribCount;
            panel.ribSpacing = given.ribSpacing;
        }
        if (sweepGiven) panel.sweep = given.sweep;
        if (sideGiven) panel.side = given.side;
        if (!sparRootGiven && !sparTipGiven) {
            given.sparRoot = panel.sparRoot;
            given.sparTip = panel.sparTip;
            sparRootPercent = sparTipPercent = panel.sparInPercent;
            sparRootGiven = sparTipGiven = true;
        }
        panel.sparRoot = given.sparRoot;
        panel.sparTip = given.sparTip;
        if (tipAirfoil.empty()) {
            tip = pointsOf(designWing->tipPoints);
            tipName = designWing->tipName;
        }
    } else if (!spanGiven || !rootGiven || !tipGiven || !ribsGiven) {
        return wingUsageError("wing needs --span, --root-chord, --tip-chord and --ribs (or --spacing)");
    }
    if (ribsGiven && panel.ribSpacing != 0.0 && panel.ribSpacing <= 0.0)
        return wingUsageError("--spacing needs a length above 0");

    // The tip's washout is the record's washout field unless given here.
    if (!washoutGiven) panel.washout = job.properties.washout;
    // The spar's root and tip default to the document's spar field.
    const bool fieldPercent = job.properties.sparDistanceInPercent == 1;
    if (!sparRootGiven) {
        panel.sparRoot = job.properties.sparDistance;
        sparRootPercent = fieldPercent;
    }
    if (!sparTipGiven) {
        panel.sparTip = sparRootGiven ? panel.sparRoot : job.properties.sparDistance;
        sparTipPercent = sparRootGiven ? sparRootPercent : fieldPercent;
    }
    if (sparRootPercent != sparTipPercent)
        return wingUsageError("--spar-root and --spar-tip must both be lengths or both percentages");
    panel.sparInPercent = sparRootPercent;
    if (!sheetGiven && job.properties.metric == 0) sheet = SheetSize{600.0 / 25.4, 100.0 / 25.4};
    if (!tipAirfoil.empty() && !readSection(tipAirfoil, tip, tipName, true)) return 1;

    // A folder that holds files is refused before any work is done.
    {
        std::error_code ec;
        const std::filesystem::path out(positional[1]);
        const std::filesystem::file_status status = std::filesystem::symlink_status(out, ec);
        if (std::filesystem::exists(status) &&
            (!std::filesystem::is_directory(status) || !std::filesystem::is_empty(out, ec) || ec)) {
            std::fprintf(stderr, "parvelin-cli: %s is not a new or empty folder; nothing was written\n",
                         positional[1].c_str());
            return 1;
        }
    }

    const RibSet set = buildRibSet(panel, job.properties, root, tip);
    if (!set.error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", set.error.c_str());
        return 1;
    }
    // Tabs that cannot stand on a board the user asked for would make a set
    // that cannot be built as asked: nothing is written.
    if (refuseTabs(set, heightGiven(job.settings), "")) return 1;
    if (refuseUncuttable(set, kerf)) return 2;
    if (const std::string split = splitRibs(set); !split.empty())
        std::fprintf(stderr, "parvelin-cli: the components cut %s into pieces; only the largest piece of each is cut\n",
                     split.c_str());
    const bool metric = job.properties.metric == 1;
    const Nesting nesting = nestSet(set, panel.side, sheet, nestOptionsFor(nestChoices, kerf, metric));
    if (!nesting.error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", nesting.error.c_str());
        return 1;
    }

    // Everything is made in memory first; the folder is written only when all is sound.
    std::vector<OutputFile> files;
    const std::string stem = fileStem(positional[0]);
    const int count = static_cast<int>(set.ribs.size());
    for (const WingRib& rib : set.ribs) {
        const DxfWriter drawing = ribDrawing(rib);
        if (!drawing.allFinite()) {
            std::fprintf(stderr, "parvelin-cli: rib %s holds a coordinate that is not a finite number; "
                                 "nothing was written\n", rib.name().c_str());
            return 1;
        }
        files.push_back({stem + "-" + ribNumber(rib.station.number, count) + ".dxf", drawing.text()});
    }
    for (std::size_t s = 0; s < nesting.sheets.size(); ++s) {
        if (!sheetFinite(nesting.sheets[s])) {
            std::fprintf(stderr, "parvelin-cli: sheet %zu is not finite; nothing was written\n", s + 1);
            return 1;
        }
        const std::string base = "sheet-" + std::to_string(s + 1);
        files.push_back({base + ".dxf", sheetDxf(nesting.sheets[s], metric, dxfVersion)});
        files.push_back({base + ".svg", sheetSvg(nesting.sheets[s], sheet, metric, sheetTitle(nesting, s))});
    }
    std::string pdf;
    std::string pdfError;
    if (printRibSetPdf(set, panel.side, name, job, pdf, pdfError)) {
        files.push_back({"ribs.pdf", pdf});
    } else if (kCanPrint) {
        // A set that cannot be printed (a rib on too many pages) is refused whole.
        if (const std::size_t cut = pdfError.find("\nNothing was"); cut != std::string::npos) pdfError.resize(cut);
        std::fprintf(stderr, "parvelin-cli: ribs.pdf: %s; nothing was written\n", pdfError.c_str());
        return 1;
    } else {
        std::fprintf(stderr, "parvelin-cli: ribs.pdf: %s\n", pdfError.c_str());
    }

    const std::string error = writeOutputFolder(positional[1], files);
    if (!error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", error.c_str());
        return 1;
    }
    std::printf("%d ribs, %zu sheet%s, %zu files in %s\n", count, nesting.sheets.size(),
                nesting.sheets.size() == 1 ? "" : "s", files.size(), positional[1].c_str());
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

// The wing a rib design holds, with the job's settings over the design's
// properties, built as the program builds it when the design is opened.
// -1 when the input holds no wing (a coordinate file, a single rib), 0 with
// `out` filled, otherwise the exit status after saying why. A set whose ribs
// cannot stand on their board is refused unless `describeOnly`.
int loadDesignSet(const JobOptions& job, DesignSet& out, bool describeOnly = false) {
    if (job.import || !isRibDesignPath(job.input)) return -1;
    const WingDesignRead read = readDesignWithWing(job.input);
    if (!read.rib.loaded) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), read.rib.error.c_str());
        return 1;
    }
    if (!read.wing) return -1;
    RibProperties properties = read.rib.design.properties;
    if (const int status = applyJobSettings(job.settings, properties); status != 0) return status;
    out.panel = read.wing->panel;
    // The tip's washout is the design's washout field, as in the program.
    out.panel.washout = properties.washout;
    out.set = buildRibSet(out.panel, properties, pointsOf(read.rib.design.points), pointsOf(read.wing->tipPoints));
    if (!out.set.error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), out.set.error.c_str());
        return 1;
    }
    if (!describeOnly && refuseTabs(out.set, heightGiven(job.settings), job.input + ": ")) return 1;
    if (const std::string split = splitRibs(out.set); !describeOnly && !split.empty())
        std::fprintf(stderr, "parvelin-cli: the components cut %s into pieces; only the largest piece of each is cut\n",
                     split.c_str());
    out.name = read.rib.design.name;
    out.tipName = read.wing->tipPoints.empty() ? std::string() : read.wing->tipName;
    out.metric = properties.metric == 1;
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
            sheet = loaded.metric ? SheetSize{600.0, 100.0} : SheetSize{600.0 / 25.4, 100.0 / 25.4};
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
    const std::string unit = loaded.metric ? " mm" : " in";
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
