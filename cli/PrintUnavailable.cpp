// SPDX-License-Identifier: GPL-3.0-or-later
// Printing where the tool cannot print: a build without Qt, or parvelin-cli
// when its printing tool is missing.
#include <cstdio>

#include "cli/Commands.h"

namespace parvelin::cli {

const bool kCanPrint = false;

int runPrint(const JobOptions&) {
    std::fprintf(stderr, "parvelin-cli: %s\n", noPrintingReason().c_str());
    return 1;
}

bool printRibSetPdf(const wing::RibSet&, wing::WingSide, const std::string&, const JobOptions&, std::string&,
                    std::string& error) {
    error = noPrintingReason() + "; the other files are written";
    return false;
}

} // namespace parvelin::cli
