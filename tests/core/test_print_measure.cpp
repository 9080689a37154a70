// The printed chord measured on paper: parvelin-cli prints Clark Y to PDF
// without a display, pdftoppm rasterises the page at 600 dots per inch, and
// the distance between the airfoil's leftmost and rightmost dark pixels is
// the chord as a ruler would find it.
#include <gtest/gtest.h>

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
constexpr double kTolerance = 0.3;  // millimetres

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

    // The page as a grey-scale image of kDotsPerInch.
    std::optional<Page> rasterise(const fs::path& pdf) {
        const fs::path prefix = folder_ / "page";
        const std::string command = "pdftoppm -r " + std::to_string(kDotsPerInch) + " -gray -singlefile " +
                                    quoted(pdf) + " " + quoted(prefix);
        if (std::system(command.c_str()) != 0) return std::nullopt;
        std::ifstream in(folder_ / "page.pgm", std::ios::binary);
        std::string magic;
        int maxValue = 0;
        Page page;
        in >> magic >> page.width >> page.height >> maxValue;
        in.get();
        if (magic != "P5" || maxValue != 255 || page.width <= 0 || page.height <= 0) return std::nullopt;
        page.pixels.resize(static_cast<std::size_t>(page.width) * page.height);
        in.read(reinterpret_cast<char*>(page.pixels.data()), static_cast<std::streamsize>(page.pixels.size()));
        if (!in) return std::nullopt;
        return page;
    }

    struct Span {
        int left = -1, right = -1;  // columns of the outermost dark pixels
        int leftRow = -1, rightRow = -1;
        double millimetres() const { return (right - left) * 25.4 / kDotsPerInch; }
    };

    // The leftmost and rightmost dark pixels of the whole page.
    static Span darkSpan(const Page& page) {
        Span s;
        for (int y = 0; y < page.height; ++y) {
            for (int x = 0; x < page.width; ++x) {
                if (!page.dark(x, y)) continue;
                if (s.left < 0 || x < s.left) {
                    s.left = x;
                    s.leftRow = y;
                }
                if (x > s.right) {
                    s.right = x;
                    s.rightRow = y;
                }
            }
        }
        return s;
    }

    Span measure(const std::string& options) {
        const fs::path pdf = folder_ / "rib.pdf";
        fs::remove(pdf);
        EXPECT_EQ(print(options, pdf), 0) << lastErrors_;
        const std::optional<Page> page = rasterise(pdf);
        EXPECT_TRUE(page.has_value()) << "pdftoppm (poppler-utils) could not rasterise " << pdf;
        if (!page) return {};
        const Span s = darkSpan(*page);
        // Both ends lie on the chord line, at half the page height (the
        // drawable area is centred on the page).
        const int middle = page->height / 2;
        EXPECT_NEAR(s.leftRow, middle, 12);
        EXPECT_NEAR(s.rightRow, middle, 12);
        return s;
    }

    fs::path folder_;
    std::string lastErrors_;
};

} // namespace

TEST_F(PrintedPage, ChordMeasuresItsLengthOnPaper) {
    if (!printingAvailable()) GTEST_SKIP() << "parvelin-cli was built without printing";

    const Span mm = measure("--no-guides --chord 100");
    std::printf("chord 100 mm measures %.3f mm (%d px at %d dpi, columns %d to %d)\n", mm.millimetres(),
                mm.right - mm.left, kDotsPerInch, mm.left, mm.right);
    EXPECT_NEAR(mm.millimetres(), 100.0, kTolerance);

    const Span in = measure("--no-guides --inches --chord 4");
    std::printf("chord 4 in measures %.3f mm (%d px at %d dpi, columns %d to %d)\n", in.millimetres(),
                in.right - in.left, kDotsPerInch, in.left, in.right);
    EXPECT_NEAR(in.millimetres(), 101.6, kTolerance);
    EXPECT_EQ(in.left, mm.left);  // the nose sits at the same place whatever the chord

    // With the guides, the dash-dot chord line starts 25 printer pixels in
    // front of the nose and runs on past the trailing edge (where it ends
    // depends on its dashes).
    const Span guides = measure("--chord 100");
    EXPECT_NEAR(guides.left, mm.left - 25, 1);
    EXPECT_GT(guides.right, mm.right + 1);
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

    // An unknown page size is a usage error and makes no file.
    const fs::path none = folder_ / "none.pdf";
    EXPECT_EQ(print("--page B5", none), 2);
    EXPECT_FALSE(fs::exists(none));
}
