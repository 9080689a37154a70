// SPDX-License-Identifier: GPL-3.0-or-later
// A document window's client area: fitting the airfoil to it and painting it.
#include <QImage>

#include "FrameFixture.h"
#include "view/ScreenView.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;
using parvelin::testing::kDiamondAirfoil;

namespace {

// Where the window shows the document's point i.
QPoint screenOf(const DocumentWindow& window, std::size_t i) {
    const DevicePoint p = window.screen().points(window.document()->rib()).at(i);
    return {p.x, p.y};
}

bool isWhite(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }

int nonBlackPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) != qRgb(0, 0, 0);
    return n;
}

} // namespace

class FrameViewTest : public QObject {
    Q_OBJECT
private slots:
    void fitFollowsTheClientArea();
    void windowIsTheDocumentsWindow();
    void emptyWindowShowsTheEdgeMarksAndChordLine();
    void loadedWindowPaintsTheAirfoilInWhite();
    void windowWithoutGuidesShowsOnlyTheAirfoil();
    void cutOutlineIsShownPerWindow();
};

void FrameViewTest::fitFollowsTheClientArea() {
    FrameFixture f;
    DocumentWindow* window = f.frame->activeChild();
    FrameFixture::setClientSize(window, 650, 400);
    QCOMPARE(window->view()->size(), QSize(650, 400));
    f.open(f.write("diamond.dat", kDiamondAirfoil));
    const AirfoilDocument& doc = *window->document();
    QCOMPARE(doc.points().size(), size_t(5));  // closed on the first point
    QCOMPARE(screenOf(*window, 0), QPoint(625, 200));  // (1, 0)
    QCOMPARE(screenOf(*window, 1), QPoint(325, 140));  // (0.5, 0.1): trunc(600 x 0.1f) = 60
    QCOMPARE(screenOf(*window, 2), QPoint(25, 200));   // (0, 0)
    QCOMPARE(screenOf(*window, 3), QPoint(325, 260));
    QCOMPARE(screenOf(*window, 4), QPoint(625, 200));

    // Resizing refits: the scale follows the width alone.
    FrameFixture::setClientSize(window, 450, 301);
    QCOMPARE(screenOf(*window, 0), QPoint(425, 150));
    QCOMPARE(screenOf(*window, 1), QPoint(225, 110));
    QCOMPARE(screenOf(*window, 2), QPoint(25, 150));

    // A client 50 pixels wide puts every point at x 25 on the mid-height line.
    window->view()->resize(50, 120);
    for (std::size_t i = 0; i < doc.points().size(); ++i) QCOMPARE(screenOf(*window, i), QPoint(25, 60));

    // A narrower one leaves the points where they were.
    window->view()->resize(49, 300);
    for (std::size_t i = 0; i < doc.points().size(); ++i) QCOMPARE(screenOf(*window, i), QPoint(25, 60));
    ScreenView narrow;
    QVERIFY(!narrow.fit(window->document()->rib(), *window));

    // Moving the window or activating it again refits to the current size.
    FrameFixture::setClientSize(window, 650, 400);
    window->document()->appendPoint(0.0f, 0.0f);
    window->move(window->pos() + QPoint(5, 5));
    QCOMPARE(screenOf(*window, 5), QPoint(25, 200));
}

void FrameViewTest::windowIsTheDocumentsWindow() {
    FrameFixture f;
    DocumentWindow* window = f.frame->activeChild();
    FrameFixture::setClientSize(window, 300, 200);
    const platform::Rect client = window->clientRect();
    QCOMPARE(client.left, 0);
    QCOMPARE(client.top, 0);
    QCOMPARE(client.right, 300);
    QCOMPARE(client.bottom, 200);
    window->setTitle("Rib 7");
    QCOMPARE(shownTitle(window), QStringLiteral("Rib 7"));
}

void FrameViewTest::emptyWindowShowsTheEdgeMarksAndChordLine() {
    FrameFixture f;
    DocumentWindow* window = f.frame->activeChild();
    FrameFixture::setClientSize(window, 650, 400);
    const QImage image = window->view()->grab().toImage();
    QCOMPARE(image.size(), QSize(650, 400));
    QCOMPARE(image.pixel(5, 5), qRgb(0, 0, 0));
    // The dash-dot guide lines are black on black: only their gaps show, in white.
    int markLeft = 0, markRight = 0, chord = 0, elsewhere = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 650; ++x) {
            if (!isWhite(image, x, y)) continue;
            if (x == 25 && y >= 175 && y < 225) ++markLeft;
            else if (x == 625 && y >= 175 && y < 225) ++markRight;
            else if (y == 200 && x >= 12 && x <= 638) ++chord;
            else ++elsewhere;
        }
    QVERIFY(markLeft > 5);
    QVERIFY(markRight > 5);
    QVERIFY(chord > 100);
    QCOMPARE(elsewhere, 0);
    QVERIFY(chord < 600);  // dashed, not solid
}

void FrameViewTest::loadedWindowPaintsTheAirfoilInWhite() {
    FrameFixture f;
    DocumentWindow* window = f.frame->activeChild();
    FrameFixture::setClientSize(window, 650, 400);
    f.open(f.write("diamond.dat", kDiamondAirfoil));
    window->document()->setShowChordLine(false);
    window->document()->setShowEdgeLines(false);
    const QImage image = window->view()->grab().toImage();
    // The diamond's inner corners and the middle of its edges are lit.
    QVERIFY(isWhite(image, 325, 140));
    QVERIFY(isWhite(image, 25, 200));
    QVERIFY(isWhite(image, 475, 170));
    QVERIFY(isWhite(image, 175, 170));
    QVERIFY(isWhite(image, 175, 230));
    QCOMPARE(image.pixel(325, 200), qRgb(0, 0, 0));
}

void FrameViewTest::windowWithoutGuidesShowsOnlyTheAirfoil() {
    FrameFixture f;
    DocumentWindow* window = f.frame->activeChild();
    FrameFixture::setClientSize(window, 200, 100);
    window->document()->setShowChordLine(false);
    window->document()->setShowEdgeLines(false);
    QCOMPARE(nonBlackPixels(window->view()->grab().toImage()), 0);
}

void FrameViewTest::cutOutlineIsShownPerWindow() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* first = f.frame->activeChild();
    FrameFixture::setClientSize(first, 650, 400);
    auto orange = [](DocumentWindow* w) {
        const QImage image = w->view()->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == qRgb(255, 160, 0);
        return count;
    };
    QCOMPARE(orange(first), 0);
    f.frame->action(kCmdViewCutOutline)->trigger();
    QVERIFY(first->document()->showCutOutline());
    QVERIFY(f.frame->action(kCmdViewCutOutline)->isChecked());
    // The outline runs round the whole rib: at least its chord twice over.
    QVERIFY(orange(first) > 1000);

    // A second window starts without it, and the check mark follows the
    // window that is active.
    f.open(airfoilPath("asb__e387.dat"));
    DocumentWindow* second = f.frame->activeChild();
    QVERIFY(second != first);
    QVERIFY(!second->document()->showCutOutline());
    QVERIFY(!f.frame->action(kCmdViewCutOutline)->isChecked());
    f.frame->mdiArea()->setActiveSubWindow(first);
    QVERIFY(f.frame->action(kCmdViewCutOutline)->isChecked());
}

QTEST_MAIN(FrameViewTest)
#include "tst_frame_view.moc"
