// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli: the rib work without a window, for scripts and batch jobs.
#include <csignal>
#include <string>
#include <vector>

#include "cli/CommandLine.h"

int main(int argc, char** argv) {
    // A file-size limit makes a write fail with an error to report, rather
    // than ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return parvelin::cli::runCommandLine(args);
}
