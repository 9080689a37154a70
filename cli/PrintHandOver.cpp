// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that write a PDF run in parvelin-cli-pdf, the tool built with
// Qt's painter and PDF writer; parvelin-cli itself links no Qt, so that every
// other command starts without loading it. parvelin-cli hands such a command
// over by running the printing tool in its own place with the same arguments.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace parvelin::cli {
namespace {

#ifdef PARVELIN_PDF_TOOL
// The folder parvelin-cli runs from.
std::string ownFolder() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return {};
    path.resize(static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/'));
}
#endif

} // namespace

std::string pdfToolPath() {
#ifdef PARVELIN_PDF_TOOL
    // Beside parvelin-cli in the build tree; in its libexec folder when installed.
    const std::string folder = ownFolder();
    if (folder.empty()) return {};
    for (const std::string& candidate : {folder + "/" PARVELIN_PDF_TOOL,
                                         folder + "/" PARVELIN_PDF_TOOL_FOLDER "/" PARVELIN_PDF_TOOL})
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
#endif
    return {};
}

void handOverToPdfTool(std::span<const std::string> args) {
    const std::string tool = pdfToolPath();
    if (tool.empty()) return;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(tool.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    ::execv(tool.c_str(), argv.data());
}

std::string noPrintingReason() {
#ifdef PARVELIN_PDF_TOOL
    return "printing needs " PARVELIN_PDF_TOOL ", which is not installed beside parvelin-cli";
#else
    return "this build has no printing (it was built without Qt)";
#endif
}

} // namespace parvelin::cli
