// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli info, fields and naca: what a file holds, the property
// fields, and NACA sections as coordinate files.
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "airfoil/NacaSection.h"
#include "airfoil/SectionMeasure.h"
#include "cli/Commands.h"
#include "components/LighteningHoles.h"
#include "document/AirfoilDocument.h"
#include "model/PropertyChecks.h"
#include "document/RibDesignFile.h"
#include "model/RibPropertyFields.h"
#include "dxf/DxfWriter.h"

namespace parvelin::cli {
namespace {

std::string formatFloat(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string formatFixed(double value, int decimals) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// info's lines for the section's largest thickness and camber, each with the
// station where it lies, as fractions of the chord.
void printSectionMeasure(const std::vector<CoordinatePair>& drawingOrder) {
    const std::optional<SectionMeasure> measure = measureSection(drawingOrder);
    if (!measure) {
        std::printf("thickness: unknown\ncamber: unknown\n");
        return;
    }
    std::printf("thickness: %s at %s\ncamber: %s at %s\n", formatFixed(measure->thickness, 5).c_str(),
                formatFixed(measure->thicknessAt, 5).c_str(), formatFixed(measure->camber, 5).c_str(),
                formatFixed(measure->camberAt, 5).c_str());
}

void printPoints(const std::vector<CoordinatePair>& points) {
    for (const CoordinatePair& p : points) std::printf("%s %s\n", formatFloat(p.modelX).c_str(), formatFloat(p.modelY).c_str());
}

// info's weight line: "weight: rib 1,234 mm², holes 41 %, 0.39 g", for the
// rib as the properties build it; none when they cannot build one.
void printWeight(AirfoilDocument& document, const RibProperties& properties) {
    if (!checkRibProperties(properties).empty()) return;
    document.applyProperties(properties);
    const CutOutline cut = document.cutOutline();
    if (cut.outline.size() < 3) return;
    std::printf("weight: %s\n", ribWeightText(ribWeight(cut.outline, document.lighteningHoles(), properties)).c_str());
}

// info of a rib design: its own points, properties and wing.
int designInfo(const JobOptions& job) {
    const RibDesignRead read = readRibDesignFile(job.input);
    if (!read.loaded) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), read.error.c_str());
        return 1;
    }
    std::printf("name: %s\npoints: %zu\n", read.design.name.c_str(), read.design.points.size());
    printSectionMeasure(read.design.points);
    printPoints(read.design.points);
    {
        AirfoilDocument document;
        loadDesign(document, read.design);
        printWeight(document, read.design.properties);
    }
    const int wing = printDesignWing(job);
    return wing > 0 ? wing : 0;
}

} // namespace

int runInfo(const ParsedLine& line) {
    const JobOptions job = jobOptions(line);
    if (isRibDesignPath(job.input) && !job.import) return designInfo(job);
    CoordinateFileContents contents;
    std::vector<std::string> changes;
    if (!readJobInput(job, contents, &changes)) return 1;
    std::printf("name: %s\npoints: %zu\n", contents.name.c_str(), contents.drawingOrder.size());
    printSectionMeasure(contents.drawingOrder);
    if (job.import) {
        std::printf("changes: %zu\n", changes.size());
        for (const std::string& change : changes) std::printf("  %s\n", change.c_str());
    }
    printPoints(contents.drawingOrder);
    AirfoilDocument document;
    document.takeContents(contents);
    printWeight(document, job.properties);
    return 0;
}

int runFields(const ParsedLine&) {
    for (const RibPropertyField& field : ribPropertyFields()) {
        if (field.isInteger) {
            std::printf("%-22s int    %d", field.name, kDefaultRibProperties.*field.integer);
            // A style field lists its codes with the property pages' labels.
            const char* separator = "      ";
            for (const StyleChoice& choice : styleChoices(field.name)) {
                std::printf("%s%d \"%s\"", separator, choice.code, choice.label);
                separator = ", ";
            }
            std::printf("\n");
        } else
            std::printf("%-22s float  %s\n", field.name, formatFloat(kDefaultRibProperties.*field.real).c_str());
    }
    return 0;
}

int runNaca(const ParsedLine& line) {
    NacaOptions options;
    options.points = static_cast<int>(line.number(Opt::Points, options.points));
    options.closedTrailingEdge = line.has(Opt::ClosedTe);
    const std::string& designation = line.operands[0];
    std::string error;
    const std::optional<NacaDesignation> section = parseNacaDesignation(designation, error);
    if (!section) {
        if (!error.empty() && error.back() == '.') error.pop_back();
        return usageError("", designation + ": " + error);
    }
    const std::string& output = line.operands[1];
    const FileWriteResult result = writeNewFile(output, nacaSeligText(*section, options));
    if (result == FileWriteResult::AlreadyExists) {
        std::fprintf(stderr, "parvelin-cli: %s: the file already exists; nothing was written\n", output.c_str());
        return 1;
    }
    if (result != FileWriteResult::Written) {
        std::string message = fileWriteMessage(result);
        for (char& c : message)
            if (c == '\n') c = ' ';
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", output.c_str(), message.c_str());
        return 1;
    }
    return 0;
}

} // namespace parvelin::cli
