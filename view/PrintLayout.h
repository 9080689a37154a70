// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a rib is laid out on paper: the pages it needs, where each page sits
// on the rib's sheet, the registration crosses that let the pages be laid
// over each other, the scale bar and the page label. Everything here is a
// plain value in device pixels; drawing goes through platform::DeviceContext
// so that the program and the command-line tool print the same pages.
//
// The sheet is the coordinate system of a one-page print: the rib drawn as
// printRib draws it on a page of the device's size (nose 25 pixels from the
// left edge of the printable area, chord line at half its height). A page of
// a tiled print is the page transform shifted by its tile's offset; a rib
// that fits has one tile at offset (0, 0), so its page is exactly the
// one-page print.
#include <string>
#include <utility>
#include <vector>

#include "geom/Point.h"
#include "geom/ViewTransform.h"
#include "platform/DeviceContext.h"
#include "platform/Window.h"
#include "view/RibPicture.h"

namespace parvelin {

// Neighbouring pages share this much of the sheet.
inline constexpr double kPrintOverlapMm = 10.0;
// More pages than this is a mistake in the chord, not a rib to print.
inline constexpr int kMaxPrintPages = 100;

struct PrintTile {
    int column = 0;
    int row = 0;
    int offsetX = 0;  // the sheet point at the page's top-left corner
    int offsetY = 0;
};

enum class PrintLayoutStatus {
    Ready,
    Refused,       // the document is not loaded or the device's pixels are not square
    TooManyPages,  // the rib would need more than kMaxPrintPages pages
};

struct PrintLayout {
    PrintLayoutStatus status = PrintLayoutStatus::Refused;
    int pixelsPerInch = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    int overlap = 0;             // pixels neighbouring pages share
    bool hasRib = false;         // false when nothing of the rib is drawn
    platform::Rect rib{};        // sheet pixels the rib, its guide lines and its extra lines cover; right and bottom inclusive
    int chordLineY = 0;          // sheet y of the chord line
    int columns = 1;
    int rows = 1;
    std::vector<PrintTile> tiles;                    // reading order: rows top to bottom, left to right
    std::vector<std::pair<int, int>> registration;   // sheet centres of the crosses
    int pagesNeeded = 0;         // for TooManyPages: how many it would take

    int pageCount() const { return static_cast<int>(tiles.size()); }
    bool tiled() const { return tiles.size() > 1; }
};

// What a print shows besides the rib printRib draws: further lines that
// belong to the rib (a wing rib's building tabs, which reach below it) and a
// label of its own on every page.
struct PrintExtras {
    // Polylines in model coordinates (fractions of the chord), drawn after the
    // rib with the solid black pen through the page's true-scale transform.
    std::vector<std::vector<geom::Point>> lines;
    // When not empty, every page shows it, a page of a one-page print too; a
    // tiled print adds the page number.
    std::string label;
};

// Lays the rib out on pages of the device's size and resolution.
// Runs the rib's printing on a measuring device, so the layout covers exactly
// what printRib draws, and the extras' lines with it.
PrintLayout layoutPrint(const RibPicture& picture, int pixelsPerInchX, int pixelsPerInchY, int pageWidth,
                        int pageHeight, const PrintExtras& extras = {});

// Draws the extras' lines as the page whose top-left corner lies at sheet
// pixel `sheetOrigin` shows them (the device's resolution and page height
// give the true scale, as for printRib). Nothing on a device whose pixels
// are not square.
void printExtraLines(const RibPicture& picture, platform::DeviceContext& dc, const PrintExtras& extras,
                     DevicePoint sheetOrigin = {});

// The scale bar of a page: a baseline `length` pixels long from (left,
// baseline), ticks standing up from it, and its label below.
struct ScaleBar {
    struct Tick {
        int x = 0;
        int height = 0;
    };
    int left = 0;
    int baseline = 0;
    int length = 0;
    std::vector<Tick> ticks;
    std::string label;  // "100 mm" or "4 in"
    int labelX = 0;
    int labelY = 0;     // top of the label text
    int textHeight = 0;
    platform::Rect box() const;  // everything it covers, right and bottom inclusive
};

// The label of a tiled page: airfoil name, chord with its unit, page number.
struct PageLabel {
    std::string text;
    int x = 0;
    int y = 0;  // top of the text
    int textHeight = 0;
    platform::Rect box() const;
};

struct PageFurniture {
    ScaleBar scaleBar;
    bool hasLabel = false;
    PageLabel label;
    std::vector<std::pair<int, int>> crosses;  // page pixels of the registration crosses on this page
    int crossArm = 0;
};

// The scale bar, label and crosses of page `index` (page pixels), placed
// clear of the rib and of the overlap strips where the page has room. With an
// `ownLabel` every page is labelled with it (and the page number when tiled)
// instead of the name and chord of a tiled page.
PageFurniture pageFurniture(const PrintLayout& layout, int index, bool metric, const std::string& name,
                            float chord, const std::string& ownLabel = {});

// The text of a tiled page's label, e.g. "CLARK Y  300 mm  page 2 of 3".
std::string pageLabelText(const std::string& name, float chord, bool metric, int page, int pages);

// The label of every page of a print with its own label, e.g.
// "CLARK Y  R3 L  chord 400.00 mm   page 2 of 3"; a one-page print's is the label alone.
std::string ownPageLabelText(const std::string& label, int page, int pages);

// Prints page `index` of the layout: the rib through the page transform
// shifted by the tile's offset, then the extras' lines the same way, the
// registration crosses, the scale bar and the label (tiled prints, or every
// page with the extras' own label). The layout must have been made with the
// same extras. Returns what printRib returned.
bool printLayoutPage(const RibPicture& picture, platform::DeviceContext& dc, const PrintLayout& layout,
                     int index, const PrintExtras& extras = {});

// The width the layout gives a text of this height.
int textWidth(const std::string& text, int height);

// Draws nothing; gathers the extent of every line, arc and text drawn on it.
class MeasuringDeviceContext : public platform::DeviceContext {
public:
    MeasuringDeviceContext(int ppiX, int ppiY, int pageWidth, int pageHeight)
        : ppiX_(ppiX), ppiY_(ppiY), pageWidth_(pageWidth), pageHeight_(pageHeight) {}
    platform::Pen selectPen(const platform::Pen& pen) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    void text(int x, int y, int height, const std::string& text) override;
    int pixelsPerInchX() const override { return ppiX_; }
    int pixelsPerInchY() const override { return ppiY_; }
    int pageWidth() const override { return pageWidth_; }
    int pageHeight() const override { return pageHeight_; }

    bool empty() const { return empty_; }
    const platform::Rect& extent() const { return extent_; }  // right and bottom inclusive

private:
    void include(int x, int y);
    int ppiX_, ppiY_, pageWidth_, pageHeight_;
    platform::Pen pen_{};
    int x_ = 0;
    int y_ = 0;
    bool empty_ = true;
    platform::Rect extent_{};
};

// Pixels for a length in millimetres at the given resolution, rounded.
int millimetresToPixels(double mm, int pixelsPerInch);

} // namespace parvelin
