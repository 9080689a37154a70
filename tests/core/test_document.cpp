// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "commands/FileCommands.h"
#include "document/AirfoilDocument.h"
#include "platform/Services.h"
#include "support/Recorders.h"
#include "view/ScreenView.h"

using namespace parvelin;
using parvelin::testing::RecordingDialogs;
using parvelin::testing::RecordingWindow;
namespace fs = std::filesystem;

namespace {

struct DialogsInstalled {
    RecordingDialogs dialogs;
    DialogsInstalled() { platform::setDialogs(&dialogs); }
    ~DialogsInstalled() { platform::setDialogs(nullptr); }
};

std::string airfoil(const char* name) { return std::string(PARVELIN_AIRFOIL_DIR) + "/" + name; }

} // namespace

TEST(AirfoilDocument, NewDocument) {
    AirfoilDocument doc;
    EXPECT_TRUE(doc.showEdgeLines());
    EXPECT_TRUE(doc.showChordLine());
    EXPECT_FALSE(doc.isLoaded());
    EXPECT_EQ(doc.getName(), std::optional<std::string>("Untitled"));
    EXPECT_EQ(doc.properties(), kDefaultRibProperties);
    EXPECT_FALSE(doc.leadingEdge().isBuilt());
    EXPECT_FALSE(doc.sheeting().isBuilt());
    doc.setName(nullptr);
    EXPECT_FALSE(doc.getName().has_value());
    doc.setName("");
    EXPECT_EQ(doc.getName(), std::optional<std::string>(""));
}

TEST(AirfoilDocument, CopyIsIndependentUntilApplied) {
    AirfoilDocument doc;
    auto copy = doc.copyProperties();
    copy->chord = 250.0f;
    EXPECT_EQ(doc.properties().chord, 100.0f);
    doc.applyProperties(*copy);
    EXPECT_EQ(doc.properties().chord, 250.0f);
}

TEST(AirfoilDocument, OpenThroughTheDialogEntersTheFolderAndTitlesTheWindow) {
    DialogsInstalled installed;
    const fs::path before = fs::current_path();
    installed.dialogs.openAnswers.push_back(airfoil("asb__e387.dat"));
    RecordingWindow window;
    AirfoilDocument doc;
    EXPECT_TRUE(openCoordinateFile(doc, &window));
    ASSERT_EQ(installed.dialogs.openSettings.size(), 1u);
    const auto& s = installed.dialogs.openSettings[0];
    EXPECT_EQ(s.title, "Open Airfoil Coordinate File");
    ASSERT_EQ(s.filters.size(), 2u);
    EXPECT_EQ(s.filters[0].pattern, "*.DAT");
    EXPECT_EQ(s.filters[1].description, "All Files");
    EXPECT_EQ(s.initialFileName, "*.DAT");
    EXPECT_TRUE(s.initialFolder.ends_with("/"));
    EXPECT_EQ(fs::current_path(), fs::canonical(PARVELIN_AIRFOIL_DIR));
    EXPECT_TRUE(doc.isLoaded());
    EXPECT_EQ(doc.getName(), std::optional<std::string>("E387"));
    ASSERT_FALSE(window.titles.empty());
    EXPECT_EQ(window.titles.back(), "E387");
    // The window's view fits it: the trailing edge of a 650-pixel-wide client is at x 625.
    ScreenView view;
    ASSERT_TRUE(view.fit(doc.rib(), window));
    ASSERT_FALSE(view.points(doc.rib()).empty());
    EXPECT_EQ(view.points(doc.rib()).front(), (DevicePoint{625, 200}));
    fs::current_path(before);
}

TEST(AirfoilDocument, CancelAndRefusalsLeaveTheDocumentEmpty) {
    DialogsInstalled installed;
    RecordingWindow window;
    AirfoilDocument doc;
    installed.dialogs.openAnswers.push_back(std::nullopt);
    EXPECT_FALSE(openCoordinateFile(doc, &window));
    EXPECT_TRUE(installed.dialogs.messages.empty());

    EXPECT_EQ(loadCoordinateFile(doc, "/no/such/file.dat", &window), ReadStatus::OpenFailed);
    ASSERT_EQ(installed.dialogs.messages.size(), 1u);
    EXPECT_EQ(installed.dialogs.messages[0].owner, nullptr);
    EXPECT_EQ(installed.dialogs.messages[0].text, "An error occured during\nopening of the file.\nNothing was loaded...");
    EXPECT_EQ(installed.dialogs.messages[0].icon, platform::MessageIcon::Error);

    EXPECT_EQ(loadCoordinateFile(doc, airfoil("asb__s1223.dat"), &window), ReadStatus::TooLarge);
    EXPECT_EQ(installed.dialogs.messages.back().text, "The file is larger than 4096 bytes.\nNothing was loaded...");
    EXPECT_FALSE(doc.isLoaded());
    EXPECT_EQ(doc.getName(), std::optional<std::string>("Untitled"));
    EXPECT_TRUE(doc.points().empty());
}

TEST(AirfoilDocument, ResetEmptiesAndKeepsTheProperties) {
    AirfoilDocument doc;
    RibProperties wide = kDefaultRibProperties;
    wide.chord = 321.0f;
    doc.applyProperties(wide);
    ASSERT_EQ(doc.loadFile(airfoil("asb__clarky.dat")), ReadStatus::Loaded);
    EXPECT_EQ(doc.fileName(), "asb__clarky.dat");
    ASSERT_TRUE(doc.leadingEdge().isBuilt());
    doc.reset();
    EXPECT_FALSE(doc.isLoaded());
    EXPECT_TRUE(doc.points().empty());
    EXPECT_FALSE(doc.leadingEdge().isBuilt());
    EXPECT_FALSE(doc.getName().has_value());
    EXPECT_TRUE(doc.fileName().empty());
    EXPECT_EQ(doc.properties().chord, 321.0f);
}
