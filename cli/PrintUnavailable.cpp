// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "cli/Commands.h"

namespace parvelin::cli {

const bool kCanPrint = false;

int runPrint(const JobOptions&) {
    std::fprintf(stderr, "parvelin-cli: this build has no printing (it was built without Qt)\n");
    return 1;
}

} // namespace parvelin::cli

namespace parvelin::cli {

bool printRibSetPdf(const wing::RibSet&, wing::WingSide, const std::string&, const JobOptions&, std::string&,
                    std::string& error) {
    error = "this build has no printing (it was built without Qt); the other files are written";
    return false;
}

} // namespace parvelin::cli
