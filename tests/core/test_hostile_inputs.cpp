// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and broken input, each with the clear outcome the user gets.
#include <gtest/gtest.h>

#include <csignal>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "document/AirfoilDocument.h"
#include "dxf/RibDxf.h"
#include "support/ShownDocument.h"
#include "support/Recorders.h"

using namespace parvelin;
namespace fs = std::filesystem;

namespace {

struct Scratch {
    fs::path dir = fs::temp_directory_path() / ("parvelin-hostile-" + std::to_string(::getpid()));
    Scratch() { fs::create_directories(dir); }
    ~Scratch() {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    fs::path write(const std::string& name, const std::string& bytes) const {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

CoordinateFileContents parse(const std::string& bytes) { return parseCoordinateFile(bytes); }

} // namespace

TEST(HostileInput, FilesThatAreRefused) {
    struct Case {
        const char* what;
        std::string bytes;
        ReadStatus expected;
    };
    std::string garbage;
    for (int i = 0; i < 3000; ++i) garbage += static_cast<char>((i * 7919) % 256 | 0x80);
    const std::vector<Case> cases{
        {"empty file", "", ReadStatus::NoCoordinates},
        {"name only", "NACA 0012", ReadStatus::NoCoordinates},
        {"binary garbage", garbage, ReadStatus::NoCoordinates},
        {"4,097 bytes", "N\n" + std::string(4095, ' '), ReadStatus::TooLarge},
        {"a 100,000-character line", "N\n" + std::string(100000, '1'), ReadStatus::TooLarge},
        {"every x beyond the chord", "N\n2 0\n1.5 0.1\n1.0001 0\n", ReadStatus::NoCoordinates},
        {"one point", "N\n1 0\n", ReadStatus::NoCoordinates},
        {"two identical points", "N\n0.5 0.1\n0.5 0.1\n", ReadStatus::NoCoordinates},
        {"x of 1e39 is beyond the chord", "N\n1e39 0\n1e39 1\n", ReadStatus::NoCoordinates},
        {"x that is not a number", "N\nnan 0\nnan 1\n", ReadStatus::NoCoordinates},
    };
    for (const Case& c : cases) EXPECT_EQ(parse(c.bytes).status, c.expected) << c.what;
}

TEST(HostileInput, OddNumbersAreReadAsTheCLibraryReadsThem) {
    const auto c = parse("N\n1 1e39\n-0 -0\n1e-45 inf\n0.5 nan\n");
    ASSERT_EQ(c.status, ReadStatus::Loaded);
    ASSERT_EQ(c.accepted.size(), 4u);
    EXPECT_TRUE(std::isinf(c.accepted[0].modelY));  // beyond float: infinity
    EXPECT_TRUE(std::signbit(c.accepted[1].modelX));
    EXPECT_GT(c.accepted[2].modelX, 0.0f);           // the smallest subnormal float
    EXPECT_TRUE(std::isnan(c.accepted[3].modelY));
}

TEST(HostileInput, NonFiniteGeometryIsNeverWrittenOrDrawnBadly) {
    Scratch scratch;
    const fs::path file = scratch.write("inf.dat", "Inf\n1 0\n0.5 1e39\n0 0\n0.5 -1e39\n1 0\n");
    parvelin::testing::RecordingWindow window;
    parvelin::testing::ShownDocument doc(window);
    ASSERT_EQ(doc.load(file.string()), ReadStatus::Loaded);
    // The infinite point saturates on screen and on paper instead of wrapping.
    const platform::Rect bounds = doc.pointBounds();
    EXPECT_EQ(bounds.top, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(bounds.bottom, std::numeric_limits<std::int32_t>::max());
    parvelin::testing::RecordingDeviceContext printer(600, 600, 4960, 7016);
    EXPECT_TRUE(printRib(printer, doc.picture()));
    EXPECT_EQ(writeRibDxfFile((scratch.dir / "inf.dxf").string(), doc.rib()), FileWriteResult::NotFinite);
    EXPECT_FALSE(fs::exists(scratch.dir / "inf.dxf"));
}

TEST(HostileInput, NulByteEndsTheTextLikeACString) {
    const std::string bytes = std::string("N\n1 0\n0.5 0.1\n0 0\n", 18) + std::string(1, '\0') + "0.5 -0.1\n1 0\n";
    const auto c = parse(bytes);
    ASSERT_EQ(c.status, ReadStatus::Loaded);
    EXPECT_EQ(c.accepted.size(), 3u);
    EXPECT_EQ(parse(std::string("Na\0me\n1 0\n0 0\n", 14)).name, "Na");
}

TEST(HostileInput, PathsAndFilesThatCannotBeRead) {
    Scratch scratch;
    EXPECT_EQ(readCoordinateFile(scratch.dir.string()).status, ReadStatus::OpenFailed);
    const fs::path odd = scratch.write("my ribs – Flügel ß.dat", "Odd path\n1 0\n0 0\n1 -0.01\n");
    EXPECT_EQ(readCoordinateFile(odd.string()).status, ReadStatus::Loaded);
    const fs::path locked = scratch.write("locked.dat", "Locked\n1 0\n0 0\n");
    fs::permissions(locked, fs::perms::none);
    if (::geteuid() != 0) {
        EXPECT_EQ(readCoordinateFile(locked.string()).status, ReadStatus::OpenFailed);
        return;
    }
    // Root reads anything: try as an ordinary user in a child process.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        ::_exit(readCoordinateFile(locked.string()).status == ReadStatus::OpenFailed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: could not become an ordinary user";
}

TEST(HostileInput, DxfTargetsThatCannotTakeTheFile) {
    Scratch scratch;
    AirfoilDocument doc;
    CoordinateFileContents c;
    c.drawingOrder = {{1, 0}, {0.5f, 0.1f}, {0, 0}, {0.5f, -0.1f}};
    doc.takeContents(c);

    const fs::path existing = scratch.write("taken.dxf", "keep me");
    EXPECT_EQ(writeRibDxfFile(existing.string(), doc.rib()), FileWriteResult::AlreadyExists);
    std::ifstream in(existing);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep me");

    // A folder that is really a file cannot hold anything.
    EXPECT_EQ(writeRibDxfFile((existing / "rib.dxf").string(), doc.rib()), FileWriteResult::CannotCreate);

    // A full disk, simulated by a file-size limit: the partial file is removed.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileWriteResult full = writeRibDxfFile((scratch.dir / "full.dxf").string(), doc.rib());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(full, FileWriteResult::WriteFailed);
    EXPECT_FALSE(fs::exists(scratch.dir / "full.dxf"));
}
