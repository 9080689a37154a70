// SPDX-License-Identifier: GPL-3.0-or-later
// The source folders form layers and every include points down (or within
// its own layer): base (text, platform, resources) <- geom <- model (the
// rib's data: properties, styles, coordinate files) <- clip (the cut outline
// on Clipper) <- components <- rib (the built rib) <- view (painting,
// printing, the window's fit) and dxf (DXF text and drawings) <- document
// <- commands <- cut (cut files) <- wing <- machine files and mesh <-
// dialogs <- app and the command-line tool; airfoil (NACA sections, section
// measures, airfoil folders) stands on the model beside them, painting (the
// Qt device context) on base. Every folder is one layer, whatever its files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

// The layer of a source file, by its path in the repository; empty for a
// folder that is not part of the program.
std::string layerOf(const std::string& path) {
    const std::string folder = path.substr(0, path.find('/'));
    if (folder == "text" || folder == "platform" || folder == "resources") return "base";
    for (const char* own : {"geom", "model", "clip", "components", "rib", "view", "dxf", "document", "commands", "cut",
                            "wing", "machine", "mesh", "airfoil", "painting", "dialogs", "app", "cli"})
        if (folder == own) return folder;
    return "";
}

const std::map<std::string, std::set<std::string>> kMayInclude{
    {"base", {}},
    {"geom", {"base"}},
    {"model", {"base", "geom"}},
    {"clip", {"base", "geom", "model"}},
    {"components", {"base", "geom", "model", "clip"}},
    {"rib", {"base", "geom", "model", "clip", "components"}},
    {"view", {"base", "geom", "model", "clip", "components", "rib"}},
    {"dxf", {"base", "geom", "model", "clip", "components", "rib"}},
    {"document", {"base", "geom", "model", "clip", "components", "rib", "view"}},
    {"commands", {"base", "geom", "model", "clip", "components", "rib", "view", "dxf", "document"}},
    {"cut", {"base", "geom", "model", "clip", "components", "rib", "view", "dxf", "document", "commands"}},
    {"wing", {"base", "geom", "model", "clip", "components", "rib", "view", "dxf", "document", "commands", "cut"}},
    {"machine", {"base", "geom", "model", "clip", "components", "rib", "view", "dxf", "document", "commands", "cut", "wing"}},
    {"mesh", {"base", "geom", "model", "clip", "components", "rib", "view", "dxf", "document", "commands", "cut", "wing"}},
    {"airfoil", {"base", "geom", "model"}},
    {"painting", {"base", "geom"}},
    {"dialogs", {"base", "geom", "model", "clip", "components", "rib", "view", "dxf", "document", "commands", "cut", "wing",
                 "machine", "airfoil", "painting"}},
    {"app", {"base", "geom", "model", "clip", "components", "rib", "view", "dxf", "document", "commands", "cut", "wing",
             "machine", "mesh", "airfoil", "painting", "dialogs"}},
    {"cli", {"base", "geom", "model", "clip", "components", "rib", "view", "dxf", "document", "commands", "cut", "wing",
             "machine", "mesh", "airfoil", "painting", "app"}},
};

} // namespace

TEST(Layers, EveryIncludePointsDown) {
    const fs::path root = PARVELIN_SOURCE_DIR;
    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    int checked = 0;
    for (const auto& top : fs::directory_iterator(root)) {
        const std::string folder = top.path().filename().string();
        // Tests, measurements and build output are not part of the program.
        if (!top.is_directory() || folder.starts_with(".") || folder.starts_with("build") || folder == "tests" ||
            folder == "bench" || folder == "fuzz" || folder == "out")
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(top.path())) {
            const auto ext = entry.path().extension();
            if (ext != ".h" && ext != ".cpp") continue;
            const std::string path = fs::relative(entry.path(), root).generic_string();
            const std::string from = layerOf(path);
            ASSERT_FALSE(from.empty()) << path << " lies in a folder of no known layer";
            std::ifstream in(entry.path());
            std::string line;
            std::smatch match;
            while (std::getline(in, line)) {
                if (!std::regex_search(line, match, include)) continue;
                const std::string target = match[1];
                const std::string to = layerOf(target);
                ASSERT_FALSE(to.empty()) << path << " includes " << target << " of no known layer";
                EXPECT_TRUE(to == from || kMayInclude.at(from).contains(to))
                    << path << " (" << from << ") includes " << target << " (" << to << ")";
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 60);
}
