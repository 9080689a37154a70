// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the stored expected outputs under tests/data/expected from what the
// program computes now. Run it only on purpose (scripts/regenerate-expected.sh),
// after a behaviour change that is meant, and say why in the commit.
#include <fstream>
#include <iostream>

#include "support/StoredOutputs.h"

using namespace parvelin::testing::stored;

int main() {
    try {
        const std::vector<PropertySet> sets = readPropertySets();
        fs::create_directories(expectedDir() / "cases");
        for (Output o : {Output::Dxf, Output::Screen, Output::Print}) {
            std::ofstream digests(digestFile(o), std::ios::binary);
            std::size_t n = 0;
            for (const std::string& airfoil : airfoilsFor(o))
                for (const PropertySet& set : sets) {
                    LoadedRib rib(airfoil, set.properties);
                    digests << airfoil << ' ' << set.name << ' ' << digest(compose(rib, o)) << '\n';
                    ++n;
                }
            for (const auto& [airfoil, setName] : kFullTextCases)
                for (const PropertySet& set : sets)
                    if (set.name == setName) {
                        LoadedRib rib(airfoil, set.properties);
                        std::ofstream(fullTextFile(o, airfoil, setName), std::ios::binary) << compose(rib, o);
                    }
            std::cout << outputName(o) << ": " << n << " cases\n";
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
