// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include <cctype>
#include <cstdio>

#include "airfoil/NacaSection.h"
#include "cli/Commands.h"
#include "document/AirfoilDocument.h"
#include "dxf/RibDxf.h"
#include "model/ImportReader.h"
#include "model/PropertyChecks.h"
#include "document/RibDesignFile.h"
#include "model/RibPropertyFields.h"

namespace parvelin::cli {

namespace {

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

} // namespace

bool readImportedInput(const std::string& path, CoordinateFileContents& contents, std::vector<std::string>* changes) {
    ImportResult result = readImportFile(path);
    if (result.status != ImportStatus::Imported) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", path.c_str(), oneLine(importStatusMessage(result.status)).c_str());
        return false;
    }
    if (changes != nullptr) {
        for (ImportChange change : result.changes) changes->push_back(importChangeText(result, change));
    } else if (const std::string report = importChangesMessage(result); !report.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", path.c_str(), report.c_str());
    }
    contents = std::move(result.contents);
    return true;
}

bool readJobInput(const JobOptions& job, CoordinateFileContents& contents, std::vector<std::string>* changes) {
    // "naca:2412" is the section itself, made as File > New from NACA makes it.
    if (const std::optional<std::string_view> designation = nacaInputDesignation(job.input)) {
        std::string error;
        const std::optional<NacaDesignation> section = parseNacaDesignation(*designation, error);
        if (!section) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), error.c_str());
            return false;
        }
        contents = nacaSectionContents(*section, NacaOptions{});
        return true;
    }
    if (job.import) return readImportedInput(job.input, contents, changes);
    contents = readCoordinateFile(job.input);
    if (contents.status != ReadStatus::Loaded) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), readStatusMessage(contents.status));
        return false;
    }
    // The result stays Open's; a file Open took only in part says so.
    if (const std::string hint = openReadHint(contents, readImportFile(job.input), "--import"); !hint.empty())
        std::fprintf(stderr, "parvelin-cli: warning: %s: %s\n", job.input.c_str(), oneLine(hint).c_str());
    return true;
}

int applyJobSettings(const std::vector<std::pair<std::string, std::string>>& settings, RibProperties& properties) {
    for (const auto& [field, value] : settings) {
        std::string error;
        if (!setRibPropertyField(properties, field, value, error)) {
            std::fprintf(stderr, "parvelin-cli: %s; see parvelin-cli --help\n", error.c_str());
            return 2;
        }
    }
    // The same values the property pages refuse, in one line as every usage error.
    if (const std::vector<PropertyProblem> problems = checkRibProperties(properties); !problems.empty()) {
        std::string said;
        for (const PropertyProblem& problem : problems) said += (said.empty() ? "" : "; ") + problem.message();
        std::fprintf(stderr, "parvelin-cli: %s; see parvelin-cli --help\n", said.c_str());
        return 2;
    }
    return 0;
}

int loadJobDocument(const JobOptions& job, AirfoilDocument& document) {
    // A coordinate file takes the settings over the defaults (as job.properties
    // already holds them), a rib design over its own properties.
    RibProperties properties = job.properties;
    if (isRibDesignPath(job.input) && !job.import) {
        const RibDesignRead read = readRibDesignFile(job.input);
        if (!read.loaded) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), read.error.c_str());
            return 1;
        }
        loadDesign(document, read.design);
        properties = read.design.properties;
    } else {
        CoordinateFileContents contents;
        if (!readJobInput(job, contents, nullptr)) return 1;
        document.takeContents(contents);
    }
    if (const int status = applyJobSettings(job.settings, properties); status != 0) return status;
    document.applyProperties(properties);
    return 0;
}

int runExport(const JobOptions& job) {
    AirfoilDocument document;
    if (const int status = loadJobDocument(job, document); status != 0) return status;
    const FileWriteResult result = writeRibDxfFile(job.output, document.rib(), job.force);
    if (result != FileWriteResult::Written) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), fileWriteMessage(result));
        return 1;
    }
    return 0;
}

int runProject(const JobOptions& job) {
    if (!isRibDesignPath(job.output)) {
        std::fprintf(stderr, "parvelin-cli: %s: a rib design file's name ends in %s\n", job.output.c_str(),
                     kRibDesignExtension);
        return 2;
    }
    struct stat info {};
    if (::lstat(job.output.c_str(), &info) == 0) {
        std::fprintf(stderr, "parvelin-cli: %s: the file already exists; nothing was written\n", job.output.c_str());
        return 1;
    }
    AirfoilDocument document;
    if (const int status = loadJobDocument(job, document); status != 0) return status;
    RibDesign design = designOf(document);
    // A design's wing goes along into the new file, as Save As keeps it.
    if (isRibDesignPath(job.input) && !job.import) design.wing = readRibDesignFile(job.input).design.wing;
    const ReplaceResult result = writeRibDesignFile(job.output, design);
    if (!result.written) {
        std::fprintf(stderr, "parvelin-cli: %s: %s; nothing was written\n", job.output.c_str(), result.error.c_str());
        return 1;
    }
    return 0;
}

JobOptions jobOptions(const ParsedLine& line) {
    JobOptions job;
    job.properties = line.properties;
    job.settings = line.settings;
    if (!line.operands.empty()) job.input = line.operands[0];
    if (line.operands.size() > 1) job.output = line.operands[1];
    job.pageSize = line.text(Opt::Page, job.pageSize);
    for (const Given& given : line.given) {
        if (given.id == Opt::Landscape || given.id == Opt::Portrait) job.landscape = given.id == Opt::Landscape;
        if (given.id == Opt::NoGuides || given.id == Opt::NoEdgeLines) job.edgeLines = false;
        if (given.id == Opt::NoGuides || given.id == Opt::NoChordLine) job.chordLine = false;
    }
    job.kerf = line.number(Opt::Kerf, 0.0);
    job.dxfR12 = line.text(Opt::DxfVersion, "R2000") == "R12";
    if (const Given* sheet = line.last(Opt::Sheet)) {
        job.sheetWidth = sheet->number;
        job.sheetHeight = sheet->second;
    }
    job.nest = line.nest;
    job.import = line.has(Opt::Import);
    job.force = line.has(Opt::Force);
    return job;
}

namespace {

bool endsWithSvg(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".svg";
}

} // namespace

int runRibJob(const ParsedLine& line) {
    const JobOptions job = jobOptions(line);
    if (line.has(Opt::DxfVersion) && endsWithSvg(job.output))
        return usageError("", "--dxf-version applies to a .dxf output only");
    const std::string command(line.command->name);
    if (const int status = runDesignWing(command, job); status >= 0) return status;
    if (line.command->id == Command::Cut) return runCut(job);
    return line.command->id == Command::Export ? runExport(job) : runPrint(job);
}

int runProjectJob(const ParsedLine& line) { return runProject(jobOptions(line)); }

} // namespace parvelin::cli
