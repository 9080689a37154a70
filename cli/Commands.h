#pragma once
#include <string>
#include <vector>

#include "document/CoordinateFile.h"
#include "document/RibProperties.h"

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::cli {

struct JobOptions {
    RibProperties properties = kDefaultRibProperties;
    std::string input;
    std::string output;
    std::string pageSize = "A4";
    bool landscape = false;
    // The view flags of the printed page (guide lines).
    bool edgeLines = true;
    bool chordLine = true;
    // --import: the tolerant reader of File > Import instead of Open's.
    bool import = false;
};

// Reads the job's input with Open's reader or, for --import, Import's;
// reports a refused file on stderr. `changes` receives Import's report.
bool readJobInput(const JobOptions& job, CoordinateFileContents& contents, std::vector<std::string>* changes);

// Loads the input exactly as the program does (the components compute with
// the defaults), then applies the job's properties as the property sheet's
// OK does. Reports a refused file on stderr and returns false.
bool loadJobDocument(const JobOptions& job, AirfoilDocument& document);

// Each returns the process exit status and reports errors on stderr.
int runExport(const JobOptions& job);
int runPrint(const JobOptions& job);

} // namespace parvelin::cli
