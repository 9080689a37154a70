// SPDX-License-Identifier: GPL-3.0-or-later
// View > 3D View and File > Export Model: the wing drawn in OpenGL (Mesa's
// software renderer in the suite), a click on a rib selecting it in the
// strip and the 2D view, the view following the wing, and the model file.
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QOpenGLContext>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "FrameFixture.h"
#include "app/ModelView.h"
#include "app/WingPane.h"
#include "dialogs/WingDialog.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;

namespace {

// A tapered, swept panel washed out by 4 degrees, seven ribs, one side.
DocumentWindow* wingWindow(FrameFixture& f, int ribs = 7) {
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    if (window == nullptr || !window->document()->isLoaded()) return nullptr;
    RibProperties p = window->document()->properties();
    p.chord = 180.0f;
    p.sparStyle = 1;
    p.sparDistanceInPercent = 1;
    p.leadingEdgeStyle = 2;
    p.trailingEdgeStyle = 3;
    p.sheetingStyle = 2;
    p.washout = 4.0f;
    window->document()->applyProperties(p);
    dialogs::WingSettings wing = dialogs::defaultWingSettings(window->document()->properties());
    wing.panel.span = 450.0;
    wing.panel.rootChord = 180.0;
    wing.panel.tipChord = 110.0;
    wing.panel.sweep = 35.0;
    wing.panel.washout = 4.0;
    wing.panel.ribCount = ribs;
    wing.panel.side = wing::WingSide::Right;
    window->setWing(wing);
    return window;
}

mesh::Vec3 centreOf(const mesh::TriangleMesh& m) {
    mesh::Vec3 c;
    for (const mesh::Vec3& v : m.vertices) c = c + v;
    return c * (1.0 / static_cast<double>(m.vertices.size()));
}

const mesh::Part* ribPart(const mesh::Model& model, int rib) {
    for (const mesh::Part& p : model.parts)
        if (p.kind == mesh::PartKind::Rib && p.rib == rib) return &p;
    return nullptr;
}

ModelWindow* openView(FrameFixture& f) {
    f.frame->handleCommand(kCmdView3dPreview);
    DocumentWindow* window = f.frame->activeChild();
    ModelWindow* view = window ? window->findChild<ModelWindow*>() : nullptr;
    if (view == nullptr || !QTest::qWaitForWindowExposed(view)) return nullptr;
    return view;
}

} // namespace

class ModelViewTest : public QObject {
    Q_OBJECT
private slots:
    void drawsTheRibsAndAClickSelectsOne();
    void followsTheWingAndItsChoices();
    void exportModelWritesANewFile();
};

void ModelViewTest::drawsTheRibsAndAClickSelectsOne() {
    FrameFixture f;
    QVERIFY(!f.frame->action(kCmdView3dPreview)->isEnabled());  // an empty document
    DocumentWindow* window = wingWindow(f);
    QVERIFY(window != nullptr);
    QVERIFY(f.frame->action(kCmdView3dPreview)->isEnabled());
    ModelWindow* shown = openView(f);
    QVERIFY(shown != nullptr);
    ModelView* view = shown->view();
    QVERIFY2(view->context() != nullptr && view->context()->isValid(), "no OpenGL context");
    const mesh::Model& model = view->model();
    QCOMPARE(static_cast<int>(std::count_if(model.parts.begin(), model.parts.end(),
                                            [](const mesh::Part& p) { return p.kind == mesh::PartKind::Rib; })),
             7);

    // Seen from the tip side, aft and above, each rib's middle is drawn (not
    // the background) and the corner of the view is the background.
    view->lookFrom(ModelViewpoint::Angled);
    QImage image = view->grabFramebuffer();
    const QRgb background = ModelView::background().rgb();
    QCOMPARE(image.pixel(2, 2) & 0xffffff, background & 0xffffff);
    const int tip = 6;
    const QPointF at = view->project(centreOf(ribPart(model, tip)->mesh));
    QVERIFY(view->rect().contains(at.toPoint()));
    const QRgb before = image.pixel(at.toPoint());
    QVERIFY((before & 0xffffff) != (background & 0xffffff));
    int drawn = 0;
    for (int rib = 0; rib < 7; ++rib) {
        const QPoint p = view->project(centreOf(ribPart(model, rib)->mesh)).toPoint();
        drawn += view->rect().contains(p) && (image.pixel(p) & 0xffffff) != (background & 0xffffff);
    }
    QCOMPARE(drawn, 7);

    // A click on the tip rib selects it: the strip, the 2D view and the
    // highlight follow.
    QCOMPARE(view->ribAt(at), tip);
    QTest::mouseClick(view, Qt::LeftButton, {}, at.toPoint());
    QCOMPARE(window->selectedRib(), tip);
    QCOMPARE(window->wingPane()->strip()->currentRow(), tip);
    QCOMPARE(window->shownRib(), &window->ribSet().ribs[tip]);
    image = view->grabFramebuffer();
    QVERIFY(image.pixel(at.toPoint()) != before);
    // A click on the background selects nothing new.
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(window->selectedRib(), tip);

    // From the front the leading edges face the view: the ribs' middle
    // lies behind the leading-edge stock, and the box stands across the view.
    view->lookFrom(ModelViewpoint::Front);
    image = view->grabFramebuffer();
    const QPoint centre = view->project(centreOf(ribPart(model, 3)->mesh)).toPoint();
    QVERIFY((image.pixel(centre) & 0xffffff) != (background & 0xffffff));

    if (const QByteArray dir = qgetenv("PARVELIN_SCREENSHOT_DIR"); !dir.isEmpty()) {
        shown->resize(1000, 620);
        view->lookFrom(ModelViewpoint::Angled);
        shown->grab().save(QString::fromUtf8(dir) + "/model-angled.png");
        view->rotateBy(-150.0, -10.0);
        view->fit();
        shown->grab().save(QString::fromUtf8(dir) + "/model-front-left.png");
        view->lookFrom(ModelViewpoint::Tip);
        shown->grab().save(QString::fromUtf8(dir) + "/model-tip.png");
    }
}

void ModelViewTest::followsTheWingAndItsChoices() {
    FrameFixture f;
    DocumentWindow* window = wingWindow(f);
    QVERIFY(window != nullptr);
    ModelWindow* shown = openView(f);
    QVERIFY(shown != nullptr);
    auto ribs = [&] {
        const auto& parts = shown->view()->model().parts;
        return static_cast<int>(std::count_if(parts.begin(), parts.end(),
                                              [](const mesh::Part& p) { return p.kind == mesh::PartKind::Rib; }));
    };
    // More ribs in the wing: the view rebuilds when the frame's state is brought up to date.
    dialogs::WingSettings wing = *window->wing();
    wing.panel.ribCount = 11;
    window->setWing(wing);
    f.frame->updateMenus();
    QCOMPARE(ribs(), 11);
    // Both panels, then a thicker sheet: twice the ribs, each thicker.
    shown->setSide(wing::WingSide::Both);
    QCOMPARE(ribs(), 22);
    const double thin = mesh::volume(ribPart(shown->view()->model(), 0)->mesh);
    shown->setThickness(4.0);
    QVERIFY(std::abs(mesh::volume(ribPart(shown->view()->model(), 0)->mesh) - 2.0 * thin) < 0.01 * thin);
    // Without the wing the document's own rib is shown.
    window->setWing(std::nullopt);
    f.frame->updateMenus();
    QCOMPARE(shown->view()->model().parts.size(), size_t(1));
    QCOMPARE(shown->view()->model().parts[0].name, std::string("rib"));
}

void ModelViewTest::exportModelWritesANewFile() {
    FrameFixture f;
    DocumentWindow* window = wingWindow(f);
    QVERIFY(window != nullptr);
    QVERIFY(f.frame->action(kCmdFileExportModel)->isEnabled());
    const std::string path = f.scratch.filePath("wing.obj").toStdString();
    f.dialogs.saveAnswers.push_back(path);
    f.frame->handleCommand(kCmdFileExportModel);
    QVERIFY(f.dialogs.messages.empty());
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string obj = text.str();
    QVERIFY(obj.find("\ng R1 R\n") != std::string::npos);
    QVERIFY(obj.find("\ng R7 R\n") != std::string::npos);
    QVERIFY(obj.find("\ng spar\n") != std::string::npos);
    // The same name again: refused, the file kept.
    f.dialogs.saveAnswers.push_back(path);
    f.frame->handleCommand(kCmdFileExportModel);
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    std::ifstream again(path);
    std::stringstream second;
    second << again.rdbuf();
    QCOMPARE(second.str(), obj);
}

QTEST_MAIN(ModelViewTest)
#include "tst_model_view.moc"
