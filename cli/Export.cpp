#include <cstdio>

#include "cli/Commands.h"
#include "document/AirfoilDocument.h"

namespace parvelin::cli {

// Loads the file exactly as the program does (the components compute with the
// defaults), then applies the properties as the property sheet's OK does.
int runExport(const JobOptions& job) {
    const CoordinateFileContents contents = readCoordinateFile(job.input);
    if (contents.status != ReadStatus::Loaded) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), readStatusMessage(contents.status));
        return 1;
    }
    AirfoilDocument document;
    document.takeContents(contents, nullptr);
    document.applyProperties(job.properties);
    const FileWriteResult result = document.writeDxfFile(job.output);
    if (result != FileWriteResult::Written) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), fileWriteMessage(result));
        return 1;
    }
    return 0;
}

} // namespace parvelin::cli
