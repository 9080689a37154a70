// Painting a document with every component into an offscreen image, through
// the same device context the document windows use.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <fstream>
#include <sstream>

#include "painting/PainterDeviceContext.h"
#include "document/AirfoilDocument.h"

namespace {

using namespace parvelin;

class ImageWindow : public platform::Window {
public:
    platform::Rect clientRect() const override { return {0, 0, 1200, 700}; }
    void invalidate(bool) override {}
    void setTitle(const std::string&) override {}
};

void BM_PaintDocumentWithAllComponents(benchmark::State& state) {
    std::ifstream in(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    ImageWindow window;
    AirfoilDocument document;
    document.setWindow(&window);
    document.takeContents(parseCoordinateFile(bytes.str()), &window);
    RibProperties p = kDefaultRibProperties;
    p.leadingEdgeStyle = 1;
    p.sparStyle = 1;
    p.sparDistanceInPercent = 1;
    p.trailingEdgeStyle = 1;
    p.sheetingStyle = 4;
    document.applyProperties(p);
    QImage image(1200, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        app::PainterDeviceContext dc(painter);
        document.paint(dc);
    }
}
BENCHMARK(BM_PaintDocumentWithAllComponents)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
