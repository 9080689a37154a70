#include <cstdio>

#include "cli/Commands.h"
#include "document/AirfoilDocument.h"

namespace parvelin::cli {

bool loadJobDocument(const JobOptions& job, AirfoilDocument& document) {
    const CoordinateFileContents contents = readCoordinateFile(job.input);
    if (contents.status != ReadStatus::Loaded) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), readStatusMessage(contents.status));
        return false;
    }
    document.takeContents(contents, nullptr);
    document.applyProperties(job.properties);
    return true;
}

int runExport(const JobOptions& job) {
    AirfoilDocument document;
    if (!loadJobDocument(job, document)) return 1;
    const FileWriteResult result = document.writeDxfFile(job.output);
    if (result != FileWriteResult::Written) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), fileWriteMessage(result));
        return 1;
    }
    return 0;
}

} // namespace parvelin::cli
