// SPDX-License-Identifier: GPL-3.0-or-later
// The printed chord and scale bar measured on paper: parvelin-cli prints
// Clark Y to PDF without a display, pdftoppm rasterises the pages at 600 dots
// per inch, and the distance between the nose and the trailing edge (across
// pages joined where their registration crosses lie) is the chord as a ruler
// would find it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kDotsPerInch = 600;
constexpr double kTolerance = 0.3;     // millimetres, the chord
constexpr double kBarTolerance = 0.2;  // millimetres, the scale bar

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PrintedPage : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/parvelin-print-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    // Runs the print command with no display and no Qt platform chosen.
    int print(const std::string& options, const fs::path& output) {
        const fs::path errors = folder_ / "stderr.txt";
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                    quoted(PARVELIN_CLI) + " print " + options + " " + quoted(clarkY()) + " " +
                                    quoted(output) + " 2>" + quoted(errors);
        const int status = std::system(command.c_str());
        lastErrors_ = readAll(errors);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool printingAvailable() {
        const fs::path probe = folder_ / "probe.pdf";
        const int status = print("", probe);
        fs::remove(probe);
        return !(status == 1 && lastErrors_.find("without Qt") != std::string::npos);
    }

    static fs::path clarkY() { return fs::path(PARVELIN_AIRFOIL_DIR) / "asb__clarky.dat"; }

    struct Page {
        int width = 0;
        int height = 0;
        std::vector<unsigned char> pixels;
        bool dark(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] < 128; }
    };

    // Every page as a grey-scale image of kDotsPerInch, in page order.
    std::vector<Page> rasterise(const fs::path& pdf) {
        const fs::path prefix = folder_ / "page";
        for (const fs::directory_entry& e : fs::directory_iterator(folder_))
            if (e.path().extension() == ".pgm") fs::remove(e.path());
        const std::string command =
            "pdftoppm -r " + std::to_string(kDotsPerInch) + " -gray " + quoted(pdf) + " " + quoted(prefix);
        if (std::system(command.c_str()) != 0) return {};
        std::vector<fs::path> files;
        for (const fs::directory_entry& e : fs::directory_iterator(folder_))
            if (e.path().extension() == ".pgm") files.push_back(e.path());
        // page-1.pgm ... page-12.pgm: the number after the last dash.
        auto number = [](const fs::path& p) {
            const std::string stem = p.stem().string();
            return std::stoi(stem.substr(stem.rfind('-') + 1));
        };
        std::sort(files.begin(), files.end(), [&](const fs::path& a, const fs::path& b) { return number(a) < number(b); });
        std::vector<Page> pages;
        for (const fs::path& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::string magic;
            int maxValue = 0;
            Page page;
            in >> magic >> page.width >> page.height >> maxValue;
            in.get();
            if (magic != "P5" || maxValue != 255 || page.width <= 0 || page.height <= 0) return {};
            page.pixels.resize(static_cast<std::size_t>(page.width) * page.height);
            in.read(reinterpret_cast<char*>(page.pixels.data()), static_cast<std::streamsize>(page.pixels.size()));
            if (!in) return {};
            pages.push_back(std::move(page));
        }
        return pages;
    }

    std::vector<Page> printAndRasterise(const std::string& options) {
        const fs::path pdf = folder_ / "rib.pdf";
        fs::remove(pdf);
        EXPECT_EQ(print(options, pdf), 0) << lastErrors_;
        std::vector<Page> pages = rasterise(pdf);
        EXPECT_FALSE(pages.empty()) << "pdftoppm (poppler-utils) could not rasterise " << pdf;
        return pages;
    }

    // The leftmost and rightmost dark columns in the rows around `row`.
    static std::pair<int, int> darkColumnsNear(const Page& page, int row) {
        int left = -1, right = -1;
        for (int y = std::max(0, row - 12); y <= std::min(page.height - 1, row + 12); ++y)
            for (int x = 0; x < page.width; ++x)
                if (page.dark(x, y)) {
                    if (left < 0 || x < left) left = x;
                    right = std::max(right, x);
                }
        return {left, right};
    }

    // The longest run of dark pixels along one row: the scale bar's baseline
    // (with the guides off nothing else on the page is that long and straight).
    static int longestRow(const Page& page) {
        int best = 0;
        for (int y = 0; y < page.height; ++y) {
            int start = -1;
            for (int x = 0; x <= page.width; ++x) {
                const bool d = x < page.width && page.dark(x, y);
                if (d && start < 0) start = x;
                if (!d && start >= 0) {
                    best = std::max(best, x - 1 - start);
                    start = -1;
                }
            }
        }
        return best;
    }

    // A registration cross between columns x0 and x1: its vertical arm is the
    // column with the most dark pixels there; `centreRows` gets the middle of
    // each arm down that column.
    static int crossColumn(const Page& page, int x0, int x1, std::vector<int>* centreRows) {
        int best = -1, bestCount = 0;
        for (int x = std::max(0, x0); x < std::min(page.width, x1); ++x) {
            int count = 0;
            for (int y = 0; y < page.height; ++y) count += page.dark(x, y);
            if (count > bestCount) {
                bestCount = count;
                best = x;
            }
        }
        if (best < 0) return best;
        int start = -1;
        for (int y = 0; y <= page.height; ++y) {
            const bool d = y < page.height && page.dark(best, y);
            if (d && start < 0) start = y;
            if (!d && start >= 0) {
                if (y - start > 100) centreRows->push_back((start + y - 1) / 2);  // an arm, not a line crossing it
                start = -1;
            }
        }
        return best;
    }

    static double mm(double pixels) { return pixels * 25.4 / kDotsPerInch; }

    fs::path folder_;
    std::string lastErrors_;
};

} // namespace

TEST_F(PrintedPage, OnePageChordAndScaleBarMeasureTheirLengthsOnPaper) {
    if (!printingAvailable()) GTEST_SKIP() << "parvelin-cli was built without printing";

    struct Case {
        const char* options;
        double chordMm;
        double barMm;
    };
    int noseColumn = -1;
    for (const Case& c : {Case{"--no-guides --chord 100", 100.0, 100.0},
                          Case{"--no-guides --inches --chord 4", 101.6, 101.6}}) {
        SCOPED_TRACE(c.options);
        const std::vector<Page> pages = printAndRasterise(c.options);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(lastErrors_.find("pages"), std::string::npos) << lastErrors_;
        // The nose and the trailing edge lie on the chord line, at half the
        // page height (the drawable area is centred on the page).
        const auto [nose, trailingEdge] = darkColumnsNear(pages[0], pages[0].height / 2);
        const int bar = longestRow(pages[0]);
        std::printf("%s: chord measures %.3f mm, scale bar %.3f mm\n", c.options, mm(trailingEdge - nose), mm(bar));
        EXPECT_NEAR(mm(trailingEdge - nose), c.chordMm, kTolerance);
        EXPECT_NEAR(mm(bar), c.barMm, kBarTolerance);
        if (noseColumn >= 0) {
            EXPECT_EQ(nose, noseColumn);  // the nose sits at the same place whatever the chord
        }
        noseColumn = nose;
    }

    // With the guides, the dash-dot chord line starts 25 printer pixels in
    // front of the nose.
    const std::vector<Page> guides = printAndRasterise("--chord 100");
    ASSERT_EQ(guides.size(), 1u);
    EXPECT_NEAR(darkColumnsNear(guides[0], guides[0].height / 2).first, noseColumn - 25, 1);
}

// A rib wider than the page: the pages are joined where their registration
// crosses lie over each other, and the joined rib measures its chord.
TEST_F(PrintedPage, TiledPagesJoinAtTheirCrossesToTheWholeChord) {
    if (!printingAvailable()) GTEST_SKIP() << "parvelin-cli was built without printing";

    struct Case {
        const char* options;
        double chordMm;
        double barMm;
        std::size_t minPages;
    };
    for (const Case& c : {Case{"--no-guides --chord 300", 300.0, 100.0, 2},
                          Case{"--no-guides --chord 400 --page A5", 400.0, 100.0, 3},
                          Case{"--no-guides --inches --chord 12", 304.8, 101.6, 2}}) {
        SCOPED_TRACE(c.options);
        const std::vector<Page> pages = printAndRasterise(c.options);
        ASSERT_GE(pages.size(), c.minPages);
        EXPECT_NE(lastErrors_.find("takes " + std::to_string(pages.size()) + " pages"), std::string::npos)
            << lastErrors_;

        // The overlap strips: the last and first 10 mm of the printable area,
        // which begins 6.35 mm in from the edge of the paper.
        const int border = static_cast<int>(6.35 / 25.4 * kDotsPerInch);
        const int strip = static_cast<int>(10.0 / 25.4 * kDotsPerInch);
        const int right = pages[0].width - border;
        const double printableMm = mm(pages[0].width) - 2 * 6.35;
        int joined = 0;  // raster x on the last page + joined = raster x on the first page's sheet
        int chordRow = -1;
        for (std::size_t k = 0; k + 1 < pages.size(); ++k) {
            std::vector<int> rowsHere, rowsThere;
            const int here = crossColumn(pages[k], right - strip, right, &rowsHere);
            const int there = crossColumn(pages[k + 1], border, border + strip, &rowsThere);
            ASSERT_GE(here, 0);
            ASSERT_GE(there, 0);
            // The same crosses on both pages at the same heights: above the
            // rib, on the chord line and below it.
            ASSERT_EQ(rowsHere.size(), 3u);
            ASSERT_EQ(rowsThere.size(), 3u);
            for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(rowsHere[i], rowsThere[i], 1);
            chordRow = rowsHere[1];
            // Neighbouring pages overlap by 10 mm.
            EXPECT_NEAR(mm(here - there), printableMm - 10.0, 0.2);
            joined += here - there;
        }
        const int nose = darkColumnsNear(pages.front(), chordRow).first;
        const int trailingEdge = darkColumnsNear(pages.back(), chordRow).second;
        const double chord = mm(joined + trailingEdge - nose);
        std::printf("%s: %zu pages, joined chord measures %.3f mm\n", c.options, pages.size(), chord);
        EXPECT_NEAR(chord, c.chordMm, kTolerance);

        // Every page carries the scale bar.
        for (std::size_t k = 0; k < pages.size(); ++k)
            EXPECT_NEAR(mm(longestRow(pages[k])), c.barMm, kBarTolerance) << "page " << k + 1;
    }
}

TEST_F(PrintedPage, PageSizeAndOrientationAndNoOverwriting) {
    if (!printingAvailable()) GTEST_SKIP() << "parvelin-cli was built without printing";

    const fs::path pdf = folder_ / "letter.pdf";
    ASSERT_EQ(print("--page Letter --landscape", pdf), 0) << lastErrors_;
    const fs::path info = folder_ / "info.txt";
    ASSERT_EQ(std::system(("pdfinfo " + quoted(pdf) + " >" + quoted(info)).c_str()), 0);
    const std::string text = readAll(info);
    EXPECT_NE(text.find("Pages:           1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("792 x 612 pts"), std::string::npos) << text;
    EXPECT_NE(text.find("Title:           Parvelin\n"), std::string::npos) << text;

    // An existing file is left exactly as it was.
    const std::string before = readAll(pdf);
    EXPECT_EQ(print("", pdf), 1);
    EXPECT_NE(lastErrors_.find("already exists"), std::string::npos) << lastErrors_;
    EXPECT_EQ(readAll(pdf), before);

    // A chord that would take thousands of pages is refused and makes no file.
    const fs::path huge = folder_ / "huge.pdf";
    EXPECT_EQ(print("--chord 100000", huge), 1);
    EXPECT_NE(lastErrors_.find("would need"), std::string::npos) << lastErrors_;
    EXPECT_FALSE(fs::exists(huge));

    // An unknown page size is a usage error and makes no file.
    const fs::path none = folder_ / "none.pdf";
    EXPECT_EQ(print("--page B5", none), 2);
    EXPECT_FALSE(fs::exists(none));
}
