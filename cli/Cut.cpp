// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstdio>

#include "cli/Commands.h"
#include "cut/CutFile.h"
#include "document/AirfoilDocument.h"
#include "model/PropertyChecks.h"
#include "document/RibDesignFile.h"

namespace parvelin::cli {

int machineRibDrawing(const JobOptions& job, CutDrawing& drawing) {
    // A cut file or a machine's path is made from the airfoil as File >
    // Import reads it, never from the part Open takes of a coordinate file.
    JobOptions importing = job;
    if (!isRibDesignPath(job.input)) importing.import = true;
    AirfoilDocument document;
    if (const int status = loadJobDocument(importing, document); status != 0) return status;
    // Values no rib can be cut from (a chord under 1 mm, a kerf that closes
    // the notches or swallows the rib) are refused like other bad values.
    if (const std::string problem = cutValueProblem(document.properties(), job.kerf); !problem.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", problem.c_str());
        return 2;
    }
    drawing = cutDrawing(document, job.kerf);
    const float chord = document.properties().chord;
    if (tooFewAirfoilPoints(document.points())) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), kMessageTooFewAirfoilPoints);
        return 1;
    }
    if (drawing.pieces == 0 && std::isfinite(chord) && chord > 0.0f) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), kMessageCutNothingLeft);
        return 1;
    }
    if (drawing.pieces > 1)
        std::fprintf(stderr, "parvelin-cli: %s: the components cut the rib into %d pieces; the largest is written\n",
                     job.output.c_str(), drawing.pieces);
    return 0;
}

int runCut(const JobOptions& job) {
    CutFileFormat format = CutFileFormat::Dxf;
    if (!cutFormatFor(job.output, format)) {
        std::fprintf(stderr, "parvelin-cli: %s: the cut file's name must end in .dxf or .svg\n", job.output.c_str());
        return 2;
    }
    if (job.sheetWidth > 0.0) {
        std::fprintf(stderr, "parvelin-cli: --sheet applies to a rib design with a wing only; see parvelin-cli --help\n");
        return 2;
    }
    CutDrawing drawing;
    if (const int status = machineRibDrawing(job, drawing); status != 0) return status;
    const FileWriteResult result =
        writeCutFile(job.output, drawing, format, job.dxfR12 ? DxfVersion::R12 : DxfVersion::R2000);
    if (result != FileWriteResult::Written) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), fileWriteMessage(result));
        return 1;
    }
    return 0;
}

} // namespace parvelin::cli
