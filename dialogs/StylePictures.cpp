// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/StylePictures.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "painting/PainterDeviceContext.h"
#include "document/AirfoilDocument.h"
#include "view/ScreenView.h"
#include "geom/Constants.h"

namespace parvelin::dialogs {
namespace {

// The document window stand-in the sample rib is fitted to.
class PictureWindow : public platform::Window {
public:
    PictureWindow(int width, int height) : client_{0, 0, width, height} {}
    platform::Rect clientRect() const override { return client_; }
    void invalidate(bool) override {}
    void setTitle(const std::string&) override {}

private:
    platform::Rect client_;
};

// Passes the drawing on with the screen colours (white airfoil, grey
// components, black guide lines on a black window) turned into colours that
// read on the white ground of a page.
class PictureDeviceContext : public platform::DeviceContext {
public:
    explicit PictureDeviceContext(platform::DeviceContext& target) : target_(target) {}

    platform::Pen selectPen(const platform::Pen& pen) override {
        const platform::Pen previous = selected_;
        selected_ = pen;
        platform::Pen shown = pen;
        if (pen.color == platform::kWhite)
            shown.color = kAirfoil;
        else if (pen.color == platform::kComponentGrey)
            shown.color = kComponent;
        else if (pen.color == platform::kBlack)
            shown.color = kGuide;
        target_.selectPen(shown);
        return previous;
    }
    void moveTo(int x, int y) override { target_.moveTo(x, y); }
    void lineTo(int x, int y) override { target_.lineTo(x, y); }
    void arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override {
        target_.arc(l, t, r, b, xs, ys, xe, ye);
    }
    void text(int x, int y, int height, const std::string& text) override { target_.text(x, y, height, text); }
    int pixelsPerInchX() const override { return target_.pixelsPerInchX(); }
    int pixelsPerInchY() const override { return target_.pixelsPerInchY(); }
    int pageWidth() const override { return target_.pageWidth(); }
    int pageHeight() const override { return target_.pageHeight(); }

private:
    static constexpr platform::Color kAirfoil{0, 0, 0};
    static constexpr platform::Color kComponent{0, 90, 200};
    static constexpr platform::Color kGuide{150, 150, 150};

    platform::DeviceContext& target_;
    platform::Pen selected_{platform::PenStyle::Solid, 0, platform::kBlack};
};

// Sizes that show well at picture scale on a 100 mm chord.
RibProperties sampleRib() {
    RibProperties p = kDefaultRibProperties;
    p.setStyle(LeadingEdgeStyle::None);
    p.leadingEdgeDepth = 5.0f;
    p.leadingEdgeHeight = 7.0f;
    p.setStyle(SparStyle::None);
    p.sparWidth = 6.0f;
    p.sparHeight = 4.0f;
    p.sparDistance = 30.0f;
    p.sparDistanceInPercent = 1;
    p.setStyle(TrailingEdgeStyle::None);
    p.trailingEdgeWidth = 25.0f;
    p.trailingEdgeHeight = 1.5f;
    p.setStyle(SheetingStyle::None);
    p.sheetingThickness = 1.5f;
    return p;
}

// A built-up rib: leading-edge stock, a stick spar and trailing-edge stock.
void buildUp(RibProperties& p) {
    p.setStyle(LeadingEdgeStyle::LeStock);
    p.setStyle(SparStyle::Stick);
    p.setStyle(TrailingEdgeStyle::TeStock);
}

void showLeadingEdge(PictureScene& scene, LeadingEdgeStyle style) {
    scene.properties.setStyle(style);
    scene.fromX = -0.03;
    scene.toX = 0.42;
}

void showTrailingEdge(PictureScene& scene, TrailingEdgeStyle style) {
    scene.properties.setStyle(style);
    scene.fromX = 0.55;
    scene.toX = 1.03;
}

// The sheeting pictures show a whole built-up rib, since the sheeting stops
// at the leading-edge stock, the spar and the trailing-edge piece.
void showSheeting(PictureScene& scene, SheetingStyle style) {
    scene.properties.setStyle(style);
    buildUp(scene.properties);
}

// The hole pictures: a built-up rib of 300 mm, where every style has room
// for holes of the default sizes.
void showHoles(PictureScene& scene, HoleStyle style) {
    RibProperties& p = scene.properties;
    p.setStyle(style);
    buildUp(p);
    p.chord = 300.0f;
    p.leadingEdgeDepth = 15.0f;
    p.sparWidth = 18.0f;
    p.sparHeight = 12.0f;
    p.trailingEdgeWidth = 75.0f;
}

} // namespace

PictureScene pictureScene(StylePicture picture) {
    PictureScene scene;
    RibProperties& p = scene.properties;
    p = sampleRib();
    switch (picture) {
    case StylePicture::GeneralRib:
        buildUp(p);
        p.setStyle(SheetingStyle::TopFrontOnly);
        scene.guideLines = true;
        break;
    case StylePicture::LeStock: showLeadingEdge(scene, LeadingEdgeStyle::LeStock); break;
    case StylePicture::LeRound: showLeadingEdge(scene, LeadingEdgeStyle::Round); break;
    case StylePicture::LeSquare: showLeadingEdge(scene, LeadingEdgeStyle::Square); break;
    case StylePicture::LeRectangular: showLeadingEdge(scene, LeadingEdgeStyle::Rectangular); break;
    case StylePicture::SparStick: p.setStyle(SparStyle::Stick); break;
    case StylePicture::SparStock: p.setStyle(SparStyle::Stock); break;
    case StylePicture::SparNone: p.setStyle(SparStyle::None); break;
    case StylePicture::TeStock: showTrailingEdge(scene, TrailingEdgeStyle::TeStock); break;
    case StylePicture::TeSheetedBottom: showTrailingEdge(scene, TrailingEdgeStyle::SheetedBottom); break;
    case StylePicture::TeSheetedTopAndBottom: showTrailingEdge(scene, TrailingEdgeStyle::SheetedTopAndBottom); break;
    case StylePicture::TeNone: showTrailingEdge(scene, TrailingEdgeStyle::None); break;
    case StylePicture::SheetingTop: showSheeting(scene, SheetingStyle::Top); break;
    case StylePicture::SheetingTopFrontOnly: showSheeting(scene, SheetingStyle::TopFrontOnly); break;
    case StylePicture::SheetingFrontOnly: showSheeting(scene, SheetingStyle::FrontOnly); break;
    case StylePicture::SheetingFully: showSheeting(scene, SheetingStyle::FullySheeted); break;
    case StylePicture::HolesNone: showHoles(scene, HoleStyle::None); break;
    case StylePicture::HolesRound: showHoles(scene, HoleStyle::Round); break;
    case StylePicture::HolesSlots: showHoles(scene, HoleStyle::Slots); break;
    case StylePicture::HolesTruss: showHoles(scene, HoleStyle::Truss); break;
    }
    return scene;
}

CoordinateFileContents sampleAirfoil() {
    // Four-digit section: 4 % camber at 40 % of the chord, 12 % thickness,
    // closed trailing edge; cosine spacing crowds the points at both edges.
    constexpr double camber = 0.04;
    constexpr double camberAt = 0.4;
    constexpr double thickness = 0.12;
    constexpr int stations = 40;
    std::vector<CoordinatePair> upper;
    std::vector<CoordinatePair> lower;
    for (int i = 0; i <= stations; ++i) {
        const double x = 0.5 * (1.0 - std::cos(geom::kPi * i / stations));
        const double halfThickness =
            5.0 * thickness *
            (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x - 0.1036 * x * x * x * x);
        double camberY = 0.0;
        double slope = 0.0;
        if (x < camberAt) {
            camberY = camber / (camberAt * camberAt) * (2.0 * camberAt * x - x * x);
            slope = 2.0 * camber / (camberAt * camberAt) * (camberAt - x);
        } else {
            const double k = camber / ((1.0 - camberAt) * (1.0 - camberAt));
            camberY = k * (1.0 - 2.0 * camberAt + 2.0 * camberAt * x - x * x);
            slope = 2.0 * k * (camberAt - x);
        }
        const double theta = std::atan(slope);
        upper.push_back({static_cast<float>(x - halfThickness * std::sin(theta)),
                         static_cast<float>(camberY + halfThickness * std::cos(theta))});
        lower.push_back({static_cast<float>(x + halfThickness * std::sin(theta)),
                         static_cast<float>(camberY - halfThickness * std::cos(theta))});
    }
    CoordinateFileContents contents;
    contents.status = ReadStatus::Loaded;
    contents.name = "Sample";
    for (auto it = upper.rbegin(); it != upper.rend(); ++it) contents.drawingOrder.push_back(*it);
    for (std::size_t i = 1; i < lower.size(); ++i) contents.drawingOrder.push_back(lower[i]);
    contents.accepted = contents.drawingOrder;
    return contents;
}

QPixmap renderStylePicture(StylePicture picture, QSize size) {
    const PictureScene scene = pictureScene(picture);
    const CoordinateFileContents sample = sampleAirfoil();

    // The part of the section the picture shows, fitted to the picture with
    // a small margin and centred both ways.
    double top = 0.0;
    double bottom = 0.0;
    for (const CoordinatePair& p : sample.drawingOrder) {
        if (p.modelX < scene.fromX || p.modelX > scene.toX) continue;
        top = std::max(top, static_cast<double>(p.modelY));
        bottom = std::min(bottom, static_cast<double>(p.modelY));
    }
    constexpr int margin = 4;
    const double across = (size.width() - 2 * margin) / (scene.toX - scene.fromX);
    const double down = (size.height() - 2 * margin) / std::max(top - bottom, 0.01);
    const int chordPixels = std::max(1, static_cast<int>(std::min(across, down)));

    // The window is as wide as the whole chord needs (the view keeps 25
    // pixels free on each side); the picture shows the chosen part of it.
    PictureWindow window(chordPixels + 50, size.height());
    AirfoilDocument document;
    document.setShowChordLine(scene.guideLines);
    document.setShowEdgeLines(scene.guideLines);
    document.applyProperties(scene.properties);  // no points yet: only takes the record
    document.takeContents(sample);
    ScreenView screen;
    screen.fit(document.rib(), window);

    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double middleX = 25.0 + 0.5 * (scene.fromX + scene.toX) * chordPixels;
    const double middleY = 0.5 * (top + bottom) * chordPixels;
    painter.translate(size.width() / 2.0 - middleX, middleY);
    app::PainterDeviceContext painterContext(painter);
    PictureDeviceContext context(painterContext);
    paintRib(context, document.picture(), screen.transform(), window.clientRect());
    return pixmap;
}

} // namespace parvelin::dialogs
