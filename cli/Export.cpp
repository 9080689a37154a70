#include <cstdio>

#include "cli/Commands.h"
#include "document/AirfoilDocument.h"
#include "document/ImportReader.h"

namespace parvelin::cli {

bool readJobInput(const JobOptions& job, CoordinateFileContents& contents, std::vector<std::string>* changes) {
    if (job.import) {
        ImportResult result = readImportFile(job.input);
        if (result.status != ImportStatus::Imported) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), importStatusMessage(result.status));
            return false;
        }
        if (changes != nullptr)
            for (ImportChange change : result.changes) changes->push_back(importChangeText(result, change));
        contents = std::move(result.contents);
        return true;
    }
    contents = readCoordinateFile(job.input);
    if (contents.status != ReadStatus::Loaded) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), readStatusMessage(contents.status));
        return false;
    }
    return true;
}

bool loadJobDocument(const JobOptions& job, AirfoilDocument& document) {
    CoordinateFileContents contents;
    if (!readJobInput(job, contents, nullptr)) return false;
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
