#pragma once
#include <string>
#include <vector>

#include "document/CoordinateFile.h"
#include "document/RibProperties.h"

namespace parvelin {
class AirfoilDocument;
namespace wing {
struct RibSet;
enum class WingSide;
}
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
// The wing command parses its own options (argv[2] on).
int runWing(int argc, char** argv);

// Prints every rib of the set at true scale, each on its own page with its
// label, into PDF bytes. False with the reason when it cannot.
bool printRibSetPdf(const wing::RibSet& set, wing::WingSide side, const std::string& name, const JobOptions& job,
                    std::string& pdf, std::string& error);

} // namespace parvelin::cli
