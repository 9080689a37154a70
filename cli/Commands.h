#pragma once
#include <string>

#include "document/RibProperties.h"

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
};

// Each returns the process exit status and reports errors on stderr.
int runExport(const JobOptions& job);
int runPrint(const JobOptions& job);

} // namespace parvelin::cli
