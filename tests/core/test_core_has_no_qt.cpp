// SPDX-License-Identifier: GPL-3.0-or-later
// The core library must build without Qt: no source under its folders may
// include a Qt header.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace fs = std::filesystem;

TEST(CoreLibrary, IncludesNoQtHeader) {
    const fs::path root = PARVELIN_SOURCE_DIR;
    const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]|Qt)[^>"]*[>"])");
    int checked = 0;
    for (const char* folder : {"text", "geom", "model", "clip", "components", "rib", "document", "dxf", "view", "commands", "platform", "resources", "wing", "cut", "machine", "mesh", "airfoil"}) {
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const auto ext = entry.path().extension();
            if (ext != ".h" && ext != ".cpp") continue;
            // The Qt drawing of the page pictures lives beside the string table.
            if (entry.path().parent_path().filename() == "resources" &&
                entry.path().filename().string().rfind("Strings", 0) != 0)
                continue;
            std::ifstream in(entry.path());
            std::string line;
            int number = 0;
            while (std::getline(in, line)) {
                ++number;
                EXPECT_FALSE(std::regex_search(line, qtInclude))
                    << entry.path() << ":" << number << " includes Qt: " << line;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);
}
