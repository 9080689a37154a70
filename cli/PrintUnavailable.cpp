#include <cstdio>

#include "cli/Commands.h"

namespace parvelin::cli {

int runPrint(const JobOptions&) {
    std::fprintf(stderr, "parvelin-cli: this build has no printing (it was built without Qt)\n");
    return 1;
}

} // namespace parvelin::cli
