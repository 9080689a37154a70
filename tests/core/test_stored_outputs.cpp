// SPDX-License-Identifier: GPL-3.0-or-later
// Replays every stored case: the DXF of every loadable airfoil under every
// property set, and the window paint and the print of a subset, must match
// what is stored under tests/data/expected byte for byte.
#include <gtest/gtest.h>

#include <map>

#include "support/StoredOutputs.h"

using namespace parvelin::testing::stored;

namespace {

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class StoredOutputs : public ::testing::TestWithParam<Output> {};

TEST_P(StoredOutputs, EveryCaseMatches) {
    const Output o = GetParam();
    std::map<std::string, std::string> stored;  // "airfoil set" -> "digest length"
    {
        std::ifstream in(digestFile(o));
        ASSERT_TRUE(in) << digestFile(o);
        std::string airfoil, set, hash, length;
        while (in >> airfoil >> set >> hash >> length) stored[airfoil + ' ' + set] = hash + ' ' + length;
    }
    const std::vector<PropertySet> sets = readPropertySets();
    ASSERT_GE(sets.size(), 30u);
    std::size_t compared = 0;
    for (const std::string& airfoil : airfoilsFor(o))
        for (const PropertySet& set : sets) {
            const std::string key = airfoil + ' ' + set.name;
            LoadedRib rib(airfoil, set.properties);
            const auto found = stored.find(key);
            ASSERT_NE(found, stored.end()) << "no stored " << outputName(o) << " for " << key;
            EXPECT_EQ(digest(compose(rib, o)), found->second) << outputName(o) << " differs for " << key;
            ++compared;
        }
    EXPECT_EQ(compared, stored.size()) << "stored cases without an airfoil or a property set";

    // The whole texts show where a difference lies.
    for (const auto& [airfoil, setName] : kFullTextCases)
        for (const PropertySet& set : sets)
            if (set.name == setName) {
                LoadedRib rib(airfoil, set.properties);
                EXPECT_EQ(compose(rib, o), readWhole(fullTextFile(o, airfoil, setName)))
                    << outputName(o) << " " << airfoil << " " << setName;
            }
}

INSTANTIATE_TEST_SUITE_P(Outputs, StoredOutputs, ::testing::Values(Output::Dxf, Output::Screen, Output::Print),
                         [](const auto& info) { return std::string(outputName(info.param)); });

} // namespace
