// SPDX-License-Identifier: GPL-3.0-or-later
// Painting a document with every component into an offscreen image, through
// the same device context the document windows use.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <fstream>
#include <optional>
#include <sstream>

#include "painting/PainterDeviceContext.h"
#include "document/AirfoilDocument.h"
#include "view/ScreenView.h"

namespace {

using namespace parvelin;

class ImageWindow : public platform::Window {
public:
    platform::Rect clientRect() const override { return {0, 0, 1200, 700}; }
    void invalidate(bool) override {}
    void setTitle(const std::string&) override {}
    std::optional<platform::ZoomedView> zoomedView() const override { return zoom; }
    std::optional<platform::ZoomedView> zoom;
};

// A Clark Y with every component.
void loadFullRib(AirfoilDocument& document) {
    std::ifstream in(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    document.takeContents(parseCoordinateFile(bytes.str()));
    RibProperties p = kDefaultRibProperties;
    p.leadingEdgeStyle = 1;
    p.sparStyle = 1;
    p.sparDistanceInPercent = 1;
    p.trailingEdgeStyle = 1;
    p.sheetingStyle = 4;
    document.applyProperties(p);
}

void BM_PaintDocumentWithAllComponents(benchmark::State& state) {
    ImageWindow window;
    AirfoilDocument document;
    loadFullRib(document);
    ScreenView view;
    view.fit(document.rib(), window);
    QImage image(1200, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        app::PainterDeviceContext dc(painter);
        paintRib(dc, document.picture(), view.transform(), window.clientRect());
    }
}
BENCHMARK(BM_PaintDocumentWithAllComponents)->Unit(benchmark::kMicrosecond);

// The same rib zoomed about its trailing edge by the argument (times the
// fit) with the camber line shown: most lines run far outside the image and
// are clipped before they are drawn.
void BM_PaintZoomedAtTheTrailingEdge(benchmark::State& state) {
    ImageWindow window;
    AirfoilDocument document;
    loadFullRib(document);
    document.setShowCamberLine(true);
    const double fit = 1200 - 50;
    const double zoom = static_cast<double>(state.range(0));
    window.zoom = platform::ZoomedView{fit * zoom, 1100.0 - fit * zoom, 350.0};
    ScreenView view;
    view.fit(document.rib(), window);
    QImage image(1200, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        app::PainterDeviceContext dc(painter);
        paintRib(dc, document.picture(), view.transform(), window.clientRect());
    }
}
BENCHMARK(BM_PaintZoomedAtTheTrailingEdge)->Arg(1)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
