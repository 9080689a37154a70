// SPDX-License-Identifier: GPL-3.0-or-later
// Rib design files: every real airfoil with a table of property sets comes
// back from its file exactly (same DXF bytes), floats read back bit for bit,
// damaged or hostile files are refused with a reason and never half loaded,
// and a save that fails leaves the previous file byte for byte.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "document/AirfoilDocument.h"
#include "dxf/RibDxf.h"
#include "model/PropertyChecks.h"
#include "document/RibDesignFile.h"
#include "model/RibPropertyFields.h"
#include "support/StoredOutputs.h"

using namespace parvelin;
namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ScratchFolder {
    fs::path path;
    ScratchFolder() {
        char pattern[] = "/tmp/parvelin-design-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("no scratch folder");
        path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(path)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// Property sets beside the stored ones: the fields no stored set changes
// (precision, the carried height, washout and orientation) and sizes that
// are not short decimals.
const std::vector<std::vector<std::string>> kPropertySets = {
    {},
    {"leadingEdgeStyle=1", "sparStyle=1", "sparDistanceInPercent=1", "trailingEdgeStyle=3", "sheetingStyle=1"},
    {"leadingEdgeStyle=2", "leadingEdgeDepth=4.7", "sparStyle=2", "sparDistance=42.25", "trailingEdgeStyle=1",
     "trailingEdgeHeight=1.3", "sheetingStyle=4", "sheetingThickness=1.5", "chord=180.3"},
    {"leadingEdgeStyle=3", "leadingEdgeHeight=12.1", "trailingEdgeStyle=2", "sheetingStyle=2", "metric=0",
     "chord=7.25", "leadingEdgeDepth=0.125", "trailingEdgeWidth=1.1", "trailingEdgeHeight=0.0625",
     "sheetingThickness=0.0625", "precision=4"},
    {"leadingEdgeStyle=4", "sparStyle=1", "sparWidth=3.3333", "sparHeight=6.6667", "sheetingStyle=3",
     "precision=0", "height=2.2", "washout=1.75", "orientation=1", "heightInPercent=1", "trailingEdgeThickness=0.7"},
};

RibProperties propertiesFrom(const std::vector<std::string>& set) {
    RibProperties p = kDefaultRibProperties;
    for (const std::string& assignment : set) {
        const auto eq = assignment.find('=');
        std::string error;
        if (!setRibPropertyField(p, assignment.substr(0, eq), assignment.substr(eq + 1), error))
            throw std::runtime_error(error);
    }
    return p;
}

bool sameBits(const std::vector<CoordinatePair>& a, const std::vector<CoordinatePair>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(CoordinatePair)) == 0;
}

bool sameBits(const RibProperties& a, const RibProperties& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

RibDesign sampleDesign(std::size_t points = 40) {
    RibDesign design;
    design.name = "SAMPLE";
    for (std::size_t i = 0; i < points; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(points - 1);
        design.points.push_back({1.0f - t, 0.1f * t * (1.0f - t)});
    }
    design.properties = propertiesFrom(kPropertySets[2]);
    return design;
}

std::string textOf(const RibDesign& design) {
    std::string error;
    std::string text = ribDesignText(design, error);
    EXPECT_EQ(error, "");
    return text;
}

// Replaces the first occurrence of `from` in the sample's text.
std::string sampleWith(const std::string& from, const std::string& to) {
    std::string text = textOf(sampleDesign());
    const auto at = text.find(from);
    if (at == std::string::npos) throw std::runtime_error("not in the sample: " + from);
    return text.replace(at, from.size(), to);
}

} // namespace

TEST(RibDesignFile, EveryAirfoilWithEveryPropertySetReopensToTheSameDxf) {
    std::vector<std::pair<std::string, RibProperties>> sets;
    for (const parvelin::testing::stored::PropertySet& set : parvelin::testing::stored::readPropertySets())
        sets.emplace_back(set.name, set.properties);
    for (std::size_t i = 0; i < kPropertySets.size(); ++i)
        sets.emplace_back("extra " + std::to_string(i), propertiesFrom(kPropertySets[i]));
    ScratchFolder scratch;
    int airfoils = 0;
    int reopened = 0;
    for (const std::string& airfoil : parvelin::testing::stored::loadableAirfoils()) {
        ++airfoils;
        const CoordinateFileContents contents = readCoordinateFile(std::string(PARVELIN_AIRFOIL_DIR) + "/" + airfoil);
        ASSERT_EQ(contents.status, ReadStatus::Loaded) << airfoil;
        for (std::size_t set = 0; set < sets.size(); ++set) {
            const std::string where = airfoil + " " + sets[set].first;
            AirfoilDocument before;
            before.takeContents(contents);
            before.applyProperties(sets[set].second);
            before.setShowChordLine(set % 2 == 0);
            before.setShowEdgeLines(set % 3 != 0);
            before.setShowCamberLine(set % 5 == 1);
            // Each airfoil goes through a real file once (every write is
            // flushed to the disk, which is slow); the other sets through its text.
            const std::string text = textOf(designOf(before));
            RibDesignRead read;
            if (set == static_cast<std::size_t>(airfoils) % sets.size()) {
                const fs::path file = scratch.path / "rib.parvelin";
                ASSERT_TRUE(writeRibDesignFile(file.string(), designOf(before)).written) << where;
                ASSERT_EQ(readAll(file), text) << where;
                read = readRibDesignFile(file.string());
            } else {
                read = parseRibDesign(text);
            }
            if (!checkRibProperties(sets[set].second).empty()) {
                // No document can hold such values; a file that does is refused.
                ASSERT_FALSE(read.loaded) << where;
                continue;
            }
            ASSERT_TRUE(read.loaded) << where << ": " << read.error;
            AirfoilDocument after;
            loadDesign(after, read.design);
            ASSERT_EQ(after.getName(), before.getName()) << where;
            ASSERT_TRUE(sameBits(designOf(after).points, designOf(before).points)) << where;
            ASSERT_TRUE(sameBits(after.properties(), before.properties())) << where;
            ASSERT_EQ(after.showChordLine(), before.showChordLine()) << where;
            ASSERT_EQ(after.showEdgeLines(), before.showEdgeLines()) << where;
            ASSERT_EQ(after.showCamberLine(), before.showCamberLine()) << where;
            ASSERT_EQ(ribDxfDrawing(after.rib()).text(), ribDxfDrawing(before.rib()).text()) << where;
            // Saving the reopened document writes the same bytes again.
            ASSERT_EQ(textOf(designOf(after)), text) << where;
            ++reopened;
        }
    }
    EXPECT_GT(reopened, 1000);
}

TEST(RibDesignFile, StoredDesignsReadAndWriteBackUnchanged) {
    // Files saved by earlier builds: they still open, and saving them again
    // gives the same bytes (the format and its number text stay put).
    int stored = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(PARVELIN_SOURCE_DIR) / "tests/data/rib_designs")) {
        const RibDesignRead read = readRibDesignFile(entry.path().string());
        ASSERT_TRUE(read.loaded) << entry.path() << ": " << read.error;
        AirfoilDocument document;
        loadDesign(document, read.design);
        RibDesign again = designOf(document);
        again.wing = read.design.wing;  // the wing layer's part, carried as read
        EXPECT_EQ(textOf(again), readAll(entry.path())) << entry.path();
        ++stored;
    }
    EXPECT_GE(stored, 2);
}

TEST(RibDesignFile, FloatsAndNamesReadBackBitForBit) {
    // Random bit patterns over the whole float range (subnormals included),
    // the signed zeros and the ends of the range.
    std::mt19937 random(20261208);
    RibDesign design = sampleDesign(2);
    design.points.clear();
    const float specials[] = {0.0f, -0.0f, std::numeric_limits<float>::min(), std::numeric_limits<float>::max(),
                              -std::numeric_limits<float>::max(), std::numeric_limits<float>::denorm_min(),
                              0.1f, 1.0f / 3.0f, 1e-45f, 16777217.0f};
    for (float s : specials) design.points.push_back({s, -s});
    while (design.points.size() < kMaxRibDesignPoints) {
        CoordinatePair p;
        const std::uint32_t a = random();
        const std::uint32_t b = random();
        std::memcpy(&p.modelX, &a, sizeof a);
        std::memcpy(&p.modelY, &b, sizeof b);
        if (std::isfinite(p.modelX) && std::isfinite(p.modelY)) design.points.push_back(p);
    }
    // A name in UTF-8 and one in single-byte Latin-1 with control characters.
    for (const std::string& name : {std::string("Fl\xC3\xBCgel 12\xC2\xB0 \"quoted\" \\ [*]"),
                                   std::string("Fl\xFCgel\t12\xB0\x01\x7F\xFF")}) {
        design.name = name;
        const RibDesignRead read = parseRibDesign(textOf(design));
        ASSERT_TRUE(read.loaded) << read.error;
        EXPECT_EQ(read.design.name, name);
        EXPECT_TRUE(sameBits(read.design.points, design.points));
    }
}

TEST(RibDesignFile, DamagedOrHostileFilesAreRefusedWithTheirReason) {
    struct Case {
        const char* what;
        std::string text;
        const char* reason;  // a part of the message
    };
    std::string manyPoints = "{\"format\": \"parvelin-rib-design\", \"version\": \"1.0\", \"airfoil\": "
                             "{\"name\": \"X\", \"points\": [";
    for (int i = 0; i <= static_cast<int>(kMaxRibDesignPoints); ++i) manyPoints += i ? ",[0,0]" : "[0,0]";
    manyPoints += "]}, \"rib\": {}}";
    std::string million = "{\"format\": \"parvelin-rib-design\", \"version\": \"1.0\", \"airfoil\": "
                          "{\"name\": \"X\", \"points\": [[0,0]";
    for (int i = 1; i < 1000000; ++i) million += ",[0,0]";
    million += "]}, \"rib\": {}}";

    const Case cases[] = {
        {"empty", "", "not JSON"},
        {"not JSON", "1.0 0.0\n0.5 0.1\n", "not JSON"},
        {"an array", "[1, 2]", "not an object"},
        {"deeply nested", std::string(500000, '[') + std::string(500000, ']'), "not an object"},
        {"another format", sampleWith("parvelin-rib-design", "something-else"), "\"format\""},
        {"newer major version", sampleWith("\"1.0\"", "\"2.0\""), "newer version"},
        {"bad version", sampleWith("\"1.0\"", "\"one\""), "\"version\""},
        {"version beyond int", sampleWith("\"1.0\"", "\"99999999999.0\""), "\"version\""},
        {"number beyond double", sampleWith("[1.0, 0.0]", "[1E99999999999999, 0.0]"), "not JSON"},
        {"name not text", sampleWith("\"SAMPLE\"", "42"), "\"name\""},
        {"name too long", sampleWith("\"SAMPLE\"", "\"" + std::string(300, 'N') + "\""), "longer than 255"},
        {"NUL in name", sampleWith("\"SAMPLE\"", "\"A\\u0000B\""), "NUL"},
        {"points not a list", sampleWith("\"points\": [", "\"points\": 5, \"x\": ["), "\"points\""},
        {"one point", sampleWith("\"points\": [", "\"points\": [[0.5, 0.0]], \"x\": ["), "1 point"},
        {"a point of three", sampleWith("[1.0, 0.0]", "[1.0, 0.0, 2.0]"), "point 1"},
        {"a point of text", sampleWith("[1.0, 0.0]", "[\"1.0\", 0.0]"), "point 1"},
        {"NaN", sampleWith("[1.0, 0.0]", "[NaN, 0.0]"), "not JSON"},
        {"beyond float", sampleWith("[1.0, 0.0]", "[1e39, 0.0]"), "point 1"},
        {"too many points", manyPoints, "at most 10000"},
        {"a million points", million, "larger than"},
        {"chord as text", sampleWith("\"chord\": 180.3", "\"chord\": \"180.3\""), "chord"},
        {"style as a float", sampleWith("\"leadingEdgeStyle\": 2", "\"leadingEdgeStyle\": 2.5"), "leadingEdgeStyle"},
        {"style out of its table", sampleWith("\"leadingEdgeStyle\": 2", "\"leadingEdgeStyle\": 7"),
         "leadingEdgeStyle must be a whole number from 0 to 4"},
        {"integer beyond 32 bits", sampleWith("\"orientation\": 0", "\"orientation\": 4294967296"), "orientation"},
        {"negative length", sampleWith("\"sparDistance\": 42.25", "\"sparDistance\": -1.0"), "sparDistance"},
        {"zero chord", sampleWith("\"chord\": 180.3", "\"chord\": 0.0"), "chord must be greater than 0"},
        {"size of a chosen shape zero", sampleWith("\"sheetingThickness\": 1.5", "\"sheetingThickness\": 0"),
         "sheetingThickness must be greater than 0 when a sheeting style is chosen"},
        {"metric not a switch", sampleWith("\"metric\": 1", "\"metric\": 2"), "metric"},
        {"view flag not a flag", sampleWith("\"chordLine\": true", "\"chordLine\": 1"), "chordLine"},
        {"rib missing", sampleWith("\"rib\"", "\"ribs\""), "\"rib\""},
    };
    for (const Case& c : cases) {
        const RibDesignRead read = parseRibDesign(c.text);
        EXPECT_FALSE(read.loaded) << c.what;
        EXPECT_NE(read.error.find(c.reason), std::string::npos) << c.what << ": " << read.error;
        EXPECT_TRUE(read.design.points.empty()) << c.what;
    }

    // Every cut-short copy of a sound file is refused.
    const std::string whole = textOf(sampleDesign(6));
    const std::string trimmed = whole.substr(0, whole.find_last_not_of("\n") + 1);
    for (std::size_t length = 0; length < trimmed.size(); ++length)
        ASSERT_FALSE(parseRibDesign(trimmed.substr(0, length)).loaded) << length;
}

TEST(RibDesignFile, LaterMinorVersionsAndUnknownFieldsAreRead) {
    // A later 1.x adds a wing and fields of its own; what this version
    // knows is read, the rest ignored. A field the file lacks keeps its default.
    std::string text = sampleWith("\"1.0\"", "\"1.7\"");
    text = text.replace(text.find("\"rib\": {"), 8, "\"wing\": {\"span\": 1200, \"ribs\": [1, 2]},\n  \"rib\": {\"twist\": 3,");
    const auto chord = text.find("\"chord\": 180.3,");
    text.erase(chord, std::strlen("\"chord\": 180.3,"));
    const RibDesignRead read = parseRibDesign(text);
    ASSERT_TRUE(read.loaded) << read.error;
    EXPECT_EQ(read.design.properties.chord, kDefaultRibProperties.chord);
    RibProperties expected = sampleDesign().properties;
    expected.chord = kDefaultRibProperties.chord;
    EXPECT_TRUE(sameBits(read.design.properties, expected));
}

TEST(RibDesignFile, NothingUnwritableIsWritten) {
    RibDesign design = sampleDesign();
    design.points[3].modelY = std::numeric_limits<float>::infinity();
    std::string error;
    EXPECT_EQ(ribDesignText(design, error), "");
    EXPECT_NE(error.find("point 4"), std::string::npos) << error;
    design = sampleDesign(1);
    EXPECT_EQ(ribDesignText(design, error), "");
    EXPECT_NE(error, "");
}

namespace {

// Runs `attempt` in a child process (so that limits and a changed user stay
// there) and returns its exit status.
int inChild(const std::function<int()>& attempt) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(attempt());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

} // namespace

TEST(RibDesignFile, AFailedSaveLeavesThePreviousFileByteForByte) {
    ScratchFolder scratch;
    const fs::path file = scratch.path / "wing rib.parvelin";
    ASSERT_TRUE(writeRibDesignFile(file.string(), sampleDesign(10)).written);
    const std::string previous = readAll(file);
    const RibDesign larger = sampleDesign(5000);

    // A full disk: the file-size limit stops the write part way.
    const int full = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const ReplaceResult result = writeRibDesignFile(file.string(), larger);
        return result.written ? 1 : result.error.find("File too large") != std::string::npos ? 0 : 2;
    });
    EXPECT_EQ(full, 0);
    EXPECT_EQ(readAll(file), previous);
    EXPECT_EQ(scratch.entries(), std::vector<std::string>{"wing rib.parvelin"});

    // A folder the user may not write into (as another user when run as root).
    ::chmod(scratch.path.c_str(), 0555);
    const int readOnly = inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 3;
        const ReplaceResult result = writeRibDesignFile(file.string(), larger);
        return result.written ? 1 : result.error.find("Permission denied") != std::string::npos ? 0 : 2;
    });
    ::chmod(scratch.path.c_str(), 0700);
    EXPECT_EQ(readOnly, 0);
    EXPECT_EQ(readAll(file), previous);
    EXPECT_EQ(scratch.entries(), std::vector<std::string>{"wing rib.parvelin"});

    // A folder that is a file, and a name that is a folder.
    const ReplaceResult underFile = writeRibDesignFile((file / "x.parvelin").string(), larger);
    EXPECT_FALSE(underFile.written);
    EXPECT_NE(underFile.error, "");
    fs::create_directory(scratch.path / "folder.parvelin");
    EXPECT_FALSE(writeRibDesignFile((scratch.path / "folder.parvelin").string(), larger).written);
    EXPECT_EQ(readAll(file), previous);

    // A save that succeeds replaces the file whole and keeps its permissions.
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(writeRibDesignFile(file.string(), larger).written);
    EXPECT_EQ(readAll(file), textOf(larger));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(PropertyChecks, EachRuleNamesItsFieldAndNoOther) {
    // The defaults with every component chosen are sound.
    RibProperties sound = propertiesFrom(kPropertySets[2]);
    ASSERT_TRUE(checkRibProperties(sound).empty());
    ASSERT_TRUE(checkRibProperties(kDefaultRibProperties).empty());

    for (const RibPropertyField& field : ribPropertyFields()) {
        if (field.isInteger) {
            // Every code from -2 to 10: refused exactly outside its table.
            for (std::int32_t code = -2; code <= 10; ++code) {
                RibProperties p = sound;
                p.*field.integer = code;
                const auto problems = checkRibProperties(p);
                for (const PropertyProblem& problem : problems)
                    EXPECT_STREQ(problem.field, field.name) << code;
                const std::string name = field.name;
                const int highest = name == "leadingEdgeStyle" || name == "sheetingStyle" || name == "precision" ? 4
                                    : name == "trailingEdgeStyle" || name == "holeStyle"                      ? 3
                                    : name == "sparStyle"                                                    ? 2
                                    : name == "orientation" ? std::numeric_limits<int>::max()
                                                            : 1;
                const bool inTable = code >= 0 && code <= highest;
                EXPECT_EQ(problems.empty(), inTable || name == "orientation") << name << " " << code;
            }
            continue;
        }
        for (const float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                -std::numeric_limits<float>::infinity(), -0.5f, -1e30f}) {
            RibProperties p = sound;
            p.*field.real = bad;
            const auto problems = checkRibProperties(p);
            ASSERT_EQ(problems.size(), 1u) << field.name << " " << bad;
            EXPECT_STREQ(problems[0].field, field.name);
            EXPECT_EQ(problems[0].fault, std::isfinite(bad) ? PropertyFault::Negative : PropertyFault::NotFinite);
        }
    }

    // Zero is refused for the chord always, and for a size exactly while the
    // style that builds with it is chosen.
    struct ZeroRule {
        float RibProperties::*size;
        std::int32_t RibProperties::*style;
        std::vector<std::int32_t> needing;
        std::int32_t codes;
    };
    const ZeroRule rules[] = {
        {&RibProperties::leadingEdgeDepth, &RibProperties::leadingEdgeStyle, {1, 2, 3, 4}, 5},
        {&RibProperties::leadingEdgeHeight, &RibProperties::leadingEdgeStyle, {3, 4}, 5},
        {&RibProperties::sparWidth, &RibProperties::sparStyle, {1, 2}, 3},
        {&RibProperties::sparHeight, &RibProperties::sparStyle, {1, 2}, 3},
        {&RibProperties::trailingEdgeWidth, &RibProperties::trailingEdgeStyle, {1, 2, 3}, 4},
        {&RibProperties::trailingEdgeHeight, &RibProperties::trailingEdgeStyle, {1, 2, 3}, 4},
        {&RibProperties::sheetingThickness, &RibProperties::sheetingStyle, {1, 2, 3, 4}, 5},
        {&RibProperties::sparDistance, &RibProperties::sparStyle, {}, 3},
        {&RibProperties::washout, &RibProperties::sparStyle, {}, 3},
    };
    for (const ZeroRule& rule : rules)
        for (std::int32_t code = 0; code < rule.codes; ++code) {
            RibProperties p = sound;
            p.*rule.style = code;
            p.*rule.size = 0.0f;
            const bool needed = std::find(rule.needing.begin(), rule.needing.end(), code) != rule.needing.end();
            const auto problems = checkRibProperties(p);
            EXPECT_EQ(problems.size(), needed ? 1u : 0u) << code;
            if (needed) {
                EXPECT_EQ(problems[0].fault, PropertyFault::NotPositive);
            }
        }
    RibProperties zeroChord = kDefaultRibProperties;
    zeroChord.chord = 0.0f;
    ASSERT_EQ(checkRibProperties(zeroChord).size(), 1u);
    EXPECT_EQ(checkRibProperties(zeroChord)[0].message(), "chord must be greater than 0");
}
