// SPDX-License-Identifier: GPL-3.0-or-later
// Looking closely: wheel zoom about the cursor, panning, View > Fit to
// Window, the status bar's coordinates and the camber line.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QWheelEvent>

#include "FrameFixture.h"
#include "dialogs/PropertiesStep.h"
#include "support/Recorders.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;

namespace {

// Every device coordinate the window holds: airfoil points, then every
// component outline node.
QList<QPoint> deviceCoordinates(const DocumentWindow& window) {
    const AirfoilDocument& doc = *window.document();
    QList<QPoint> all;
    for (const DevicePoint& p : window.screen().points(doc.rib())) all << QPoint(p.x, p.y);
    for (const ComponentOutline* outline : {&doc.leadingEdge().outline(), &doc.trailingEdge().outline(),
                                            &doc.spars().outline(), &doc.sheeting().outline(), &doc.camberOutline()})
        for (const OutlineSegment& s : *outline) {
            const DevicePoint p = window.screen().transform()->map(s.point());
            all << QPoint(p.x, p.y);
        }
    return all;
}

// A rib with every component, in a 650 x 400 client area.
DocumentWindow* openFullRib(FrameFixture& f, const char* file = "asb__clarky.dat") {
    DocumentWindow* window = f.frame->activeChild();
    FrameFixture::setClientSize(window, 650, 400);
    f.open(airfoilPath(file));
    RibProperties p = window->document()->properties();
    p.leadingEdgeStyle = 1;
    p.sparStyle = 1;
    p.sparDistanceInPercent = 1;
    p.trailingEdgeStyle = 3;
    p.sheetingStyle = 4;
    window->document()->applyProperties(p);
    return window;
}

void wheel(QWidget* view, QPointF at, int angle) {
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}

void mouse(QWidget* view, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

} // namespace

class ViewZoomTest : public QObject {
    Q_OBJECT
private slots:
    void wheelZoomKeepsTheModelPointUnderTheCursor();
    void fitToWindowRestoresTheFitExactly();
    void dragsPanAndResizesKeepAZoomedView();
    void statusBarShowsTheCursorInTheChordsUnitAndTheAirfoil();
    void camberLineOfASymmetricAirfoilLiesOnTheChordLine();
};

void ViewZoomTest::wheelZoomKeepsTheModelPointUnderTheCursor() {
    FrameFixture f;
    DocumentWindow* window = openFullRib(f);
    const AirfoilDocument& doc = *window->document();
    QWidget* view = window->view();
    // Cursors all over the window, wheels in whole notches both ways and in
    // the small steps of a touchpad, from far out to far in.
    const QList<QPointF> cursors{{600, 200}, {25, 200}, {320, 150}, {3, 397}, {649, 0}, {400.5, 220.25}};
    const QList<int> angles{120, 360, 240, -120, 15, -480, 600, 1200, 2400, -240, 120, 120};
    for (const QPointF& at : cursors) {
        window->fitToWindow();
        for (int angle : angles) {
            const std::optional<ModelPosition> before = window->screen().modelAt(at.x(), at.y());
            QVERIFY(before.has_value());
            wheel(view, at, angle);
            const std::optional<ModelPosition> after = window->screen().modelAt(at.x(), at.y());
            QVERIFY(after.has_value());
            const double scale = window->viewScale();
            QVERIFY2(std::abs(after->x - before->x) * scale <= 1.0 && std::abs(after->y - before->y) * scale <= 1.0,
                     qPrintable(QStringLiteral("cursor %1,%2 angle %3 scale %4").arg(at.x()).arg(at.y()).arg(angle).arg(scale)));
        }
    }
    // A drawn point under the cursor stays under it: zoom at the trailing
    // edge and it is still there, eighty times closer.
    window->fitToWindow();
    const AirfoilPoint& edge = doc.points().front();
    const QPointF at(25.0 + 600.0 * edge.modelX, 200.0 - 600.0 * edge.modelY);
    for (int i = 0; i < 20; ++i) wheel(view, at, 120);
    QVERIFY(window->viewScale() > 80 * 600);
    QVERIFY(std::abs(window->screen().points(doc.rib()).front().x - at.x()) <= 1.0);
    QVERIFY(std::abs(window->screen().points(doc.rib()).front().y - at.y()) <= 1.0);
}

void ViewZoomTest::fitToWindowRestoresTheFitExactly() {
    FrameFixture f;
    DocumentWindow* window = openFullRib(f);
    window->document()->setShowCamberLine(true);
    window->refit();
    const QList<QPoint> fitted = deviceCoordinates(*window);
    const QImage fittedImage = window->view()->grab().toImage();

    wheel(window->view(), QPointF(610, 205), 720);
    mouse(window->view(), QEvent::MouseButtonPress, {300, 200}, Qt::MiddleButton, Qt::MiddleButton);
    mouse(window->view(), QEvent::MouseMove, {250, 180}, Qt::NoButton, Qt::MiddleButton);
    mouse(window->view(), QEvent::MouseButtonRelease, {250, 180}, Qt::MiddleButton, Qt::NoButton);
    QVERIFY(deviceCoordinates(*window) != fitted);
    QVERIFY(window->view()->grab().toImage() != fittedImage);

    // Home, as typed, and the menu item both go back to the very same pixels.
    f.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
    QTest::keyClick(f.frame.get(), Qt::Key_Home);
    QCOMPARE(deviceCoordinates(*window), fitted);
    QCOMPARE(window->view()->grab().toImage(), fittedImage);
    wheel(window->view(), QPointF(30, 190), -360);
    QVERIFY(deviceCoordinates(*window) != fitted);
    QVERIFY(f.frame->action(kCmdViewFitToWindow)->isEnabled());
    f.frame->action(kCmdViewFitToWindow)->trigger();
    QCOMPARE(deviceCoordinates(*window), fitted);

    // Fitted again, every resize fits anew.
    FrameFixture::setClientSize(window, 450, 301);
    QCOMPARE(window->viewScale(), 400.0);
    QCOMPARE(window->screen().points(window->document()->rib())[0].x, 425);
}

void ViewZoomTest::dragsPanAndResizesKeepAZoomedView() {
    FrameFixture f;
    DocumentWindow* window = openFullRib(f);
    QWidget* view = window->view();
    wheel(view, QPointF(325, 200), 240);
    const double scale = window->viewScale();
    const QList<QPoint> before = deviceCoordinates(*window);
    const auto shiftedBy = [&](QPoint d) {
        const QList<QPoint> now = deviceCoordinates(*window);
        for (qsizetype i = 0; i < now.size(); ++i)
            if (now[i] != before[i] + d) return false;
        return true;
    };

    // Middle drag: everything follows the cursor by whole pixels.
    mouse(view, QEvent::MouseButtonPress, {100, 100}, Qt::MiddleButton, Qt::MiddleButton);
    mouse(view, QEvent::MouseMove, {130, 90}, Qt::NoButton, Qt::MiddleButton);
    mouse(view, QEvent::MouseMove, {140, 80}, Qt::NoButton, Qt::MiddleButton);
    mouse(view, QEvent::MouseButtonRelease, {140, 80}, Qt::MiddleButton, Qt::NoButton);
    QVERIFY(shiftedBy(QPoint(40, -20)));

    // A left drag pans only while Space is held.
    mouse(view, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton, Qt::LeftButton);
    mouse(view, QEvent::MouseMove, {260, 200}, Qt::NoButton, Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, {260, 200}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(shiftedBy(QPoint(40, -20)));
    QTest::keyPress(view, Qt::Key_Space);
    mouse(view, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton, Qt::LeftButton);
    mouse(view, QEvent::MouseMove, {190, 230}, Qt::NoButton, Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, {190, 230}, Qt::LeftButton, Qt::NoButton);
    QTest::keyRelease(view, Qt::Key_Space);
    QVERIFY(shiftedBy(QPoint(30, 10)));
    mouse(view, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton, Qt::LeftButton);
    mouse(view, QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(shiftedBy(QPoint(30, 10)));

    // Once zoomed, a resize keeps the view where the user put it.
    FrameFixture::setClientSize(window, 500, 300);
    QCOMPARE(window->viewScale(), scale);
    QVERIFY(shiftedBy(QPoint(30, 10)));
}

void ViewZoomTest::statusBarShowsTheCursorInTheChordsUnitAndTheAirfoil() {
    FrameFixture f;
    DocumentWindow* window = openFullRib(f);
    QWidget* view = window->view();
    QLabel* cursor = f.frame->cursorLabel();
    // The airfoil, then the rib's area, its holes' share (none without a
    // hole style) and its weight.
    const QString status = f.frame->airfoilLabel()->text();
    QVERIFY2(status.startsWith(QStringLiteral("CLARK Y AIRFOIL   chord 100.00 mm   %1 points   rib ")
                                   .arg(window->document()->points().size())),
             qPrintable(status));
    QVERIFY2(QRegularExpression(QStringLiteral("   rib [0-9,]+ mm\u00b2, holes 0 %, [0-9]+\\.[0-9]{2} g$"))
                 .match(status)
                 .hasMatch(),
             qPrintable(status));

    mouse(view, QEvent::MouseMove, {25, 200}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(cursor->text(), QStringLiteral("x 0.00 mm   y 0.00 mm"));
    mouse(view, QEvent::MouseMove, {625, 200}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(cursor->text(), QStringLiteral("x 100.00 mm   y 0.00 mm"));
    mouse(view, QEvent::MouseMove, {175, 170}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(cursor->text(), QStringLiteral("x 25.00 mm   y 5.00 mm"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view, &leave);
    QCOMPARE(cursor->text(), QString());

    // Zoomed in 100 times about the nose, a pixel is a hundredth of a millimetre.
    window->zoomAbout(100.0, 25, 200);
    mouse(view, QEvent::MouseMove, {27, 199}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(cursor->text(), QStringLiteral("x 0.00 mm   y 0.00 mm"));
    mouse(view, QEvent::MouseMove, {85, 170}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(cursor->text(), QStringLiteral("x 0.10 mm   y 0.05 mm"));

    // In inches, with the chord the sheet sets, undone and redone.
    RibProperties inches = window->document()->properties();
    inches.metric = 0;
    inches.chord = 4.0f;
    dialogs::pushPropertiesStep(*window->undoStack(), *window->document(), inches, QStringLiteral("Units"));
    QCOMPARE(f.frame->airfoilLabel()->text().contains(QStringLiteral("chord 4.00 inches")), true);
    window->fitToWindow();
    mouse(view, QEvent::MouseMove, {325, 140}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(cursor->text(), QStringLiteral("x 2.00 inches   y 0.40 inches"));
    f.frame->handleCommand(kCmdEditUndo);
    QVERIFY(f.frame->airfoilLabel()->text().contains(QStringLiteral("chord 100.00 mm")));

    // An empty window shows nothing.
    f.frame->handleCommand(kCmdFileNew);
    QCOMPARE(f.frame->airfoilLabel()->text(), QString());
    mouse(f.frame->activeChild()->view(), QEvent::MouseMove, {25, 200}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(cursor->text(), QString());
}

void ViewZoomTest::camberLineOfASymmetricAirfoilLiesOnTheChordLine() {
    FrameFixture f;
    DocumentWindow* window = f.frame->activeChild();
    FrameFixture::setClientSize(window, 650, 400);
    f.open(airfoilPath("asb__naca0012.dat"));
    AirfoilDocument& doc = *window->document();
    doc.setShowChordLine(false);
    doc.setShowEdgeLines(false);
    QVERIFY(!doc.showCamberLine());
    const auto greyRows = [&] {
        const QImage image = window->view()->grab().toImage();
        QMap<int, int> rows;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(128, 128, 128)) ++rows[y];
        return rows;
    };
    QVERIFY(greyRows().isEmpty());
    f.frame->handleCommand(kCmdViewCamberline);
    QVERIFY(doc.showCamberLine());
    QVERIFY(f.frame->action(kCmdViewCamberline)->isChecked());
    // Grey on the chord line from the nose to the trailing edge, nowhere else
    // (the white airfoil covers the pixels at either end).
    const QMap<int, int> rows = greyRows();
    QCOMPARE(rows.keys(), QList<int>{200});
    QVERIFY(rows[200] > 550);

    // Printed too, black, on the page's chord line.
    testing::RecordingDeviceContext without(600, 600, 4960, 7016);
    f.frame->handleCommand(kCmdViewCamberline);
    QVERIFY(printRib(without, doc.picture()));
    f.frame->handleCommand(kCmdViewCamberline);
    testing::RecordingDeviceContext with(600, 600, 4960, 7016);
    QVERIFY(printRib(with, doc.picture()));
    QVERIFY(with.countLines() > without.countLines() + 30);
    int onChord = 0;
    for (std::size_t i = without.calls.size(); i < with.calls.size(); ++i) {
        QCOMPARE(with.calls[i].pen.color, platform::kBlack);
        QCOMPARE(with.calls[i].y, 7016 / 2);
        ++onChord;
    }
    QCOMPARE(onChord, with.countLines() - without.countLines() + 1);
}

QTEST_MAIN(ViewZoomTest)
#include "tst_view_zoom.moc"
