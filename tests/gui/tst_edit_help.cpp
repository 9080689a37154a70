// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu (undo and redo of property changes, copying the rib) and the
// Help menu (the manual, About).
#include <QAbstractButton>
#include <QMessageBox>
#include <QApplication>
#include <QRadioButton>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QUndoStack>
#include <QXmlStreamReader>
#include <random>

#include "FrameFixture.h"
#include "dxf/RibDxf.h"
#include "app/AboutDialog.h"
#include "app/HelpWindow.h"
#include "app/RibCopy.h"
#include "dialogs/ControlIds.h"
#include "dialogs/PropertiesStep.h"
#include "dialogs/PropertySheet.h"

using namespace parvelin;
using namespace parvelin::app;
using parvelin::testing::FrameFixture;
using parvelin::testing::airfoilPath;

namespace {

QByteArray bytesOf(const RibProperties& p) { return QByteArray(reinterpret_cast<const char*>(&p), sizeof p); }

struct State {
    QByteArray record;
    std::string dxf;
    bool operator==(const State&) const = default;
};

State stateOf(const AirfoilDocument& doc) { return {bytesOf(doc.properties()), ribDxfDrawing(doc.rib()).text()}; }

// Runs Airfoil Properties from the menu and drives the sheet it opens.
void throughTheSheet(FrameFixture& f, const std::function<void(dialogs::PropertySheet*)>& drive) {
    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<dialogs::PropertySheet*>(QApplication::activeModalWidget());
        if (sheet == nullptr) return;
        drive(sheet);
        if (sheet->isVisible()) sheet->reject();
    });
    f.frame->handleCommand(kCmdAirfoilProperties);
}

struct SvgBox {
    double left = 0, top = 0, width = 0, height = 0;
    QString physicalWidth;
};

SvgBox svgBox(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    while (xml.readNextStartElement()) {
        if (xml.name() != QStringLiteral("svg")) break;
        const QStringList box = xml.attributes().value("viewBox").toString().split(' ');
        if (box.size() != 4) break;
        return {box[0].toDouble(), box[1].toDouble(), box[2].toDouble(), box[3].toDouble(),
                xml.attributes().value("width").toString()};
    }
    return {};
}

} // namespace

class EditHelpTest : public QObject {
    Q_OBJECT
private slots:
    void undoAndRedoRestoreTheRecordAndTheDrawing();
    void editItemsFollowTheCurrentDocument();
    void copyPutsTheRibOnTheClipboardAsSvgAndPicture();
    void f1OpensTheManualCoveringEveryCommand();
    void helpGoesBackAndForthAndFindsWords();
    void aboutNamesTheProgramItsLicenceAndQt();
};

void EditHelpTest::undoAndRedoRestoreTheRecordAndTheDrawing() {
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    DocumentWindow* window = f.frame->activeChild();
    AirfoilDocument& doc = *window->document();
    QUndoStack& stack = *window->undoStack();
    QVector<State> states{stateOf(doc)};

    // One step through the sheet's OK, as a user makes it.
    throughTheSheet(f, [](dialogs::PropertySheet* sheet) {
        auto* chord = sheet->page(dialogs::PropertySheet::General)->control<QLineEdit>(dialogs::general::kChord);
        chord->clear();
        QTest::keyClicks(chord, "187.5");
        QTabBar* bar = sheet->tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(dialogs::PropertySheet::LeadingEdge).center());
        sheet->page(dialogs::PropertySheet::LeadingEdge)->control<QRadioButton>(dialogs::leadingEdge::kRound)->click();
        sheet->accept();
    });
    QCOMPARE(stack.count(), 1);
    QCOMPARE(doc.properties().chord, 187.5f);
    QCOMPARE(doc.properties().leadingEdgeStyle, 1);
    states << stateOf(doc);

    // Cancel, and OK without a change, make no step.
    throughTheSheet(f, [](dialogs::PropertySheet* sheet) { sheet->reject(); });
    throughTheSheet(f, [](dialogs::PropertySheet* sheet) { sheet->accept(); });
    QCOMPARE(stack.count(), 1);

    // More steps with every kind of field, as the sheet or a later dialog
    // would push them.
    std::mt19937 random(16);
    for (int i = 0; i < 12; ++i) {
        RibProperties p = doc.properties();
        p.leadingEdgeStyle = static_cast<int>(random() % 5);
        p.sparStyle = static_cast<int>(random() % 3);
        p.trailingEdgeStyle = static_cast<int>(random() % 4);
        p.sheetingStyle = static_cast<int>(random() % 5);
        p.sparDistanceInPercent = static_cast<int>(random() % 2);
        p.metric = static_cast<int>(random() % 2);
        p.chord = 50.0f + static_cast<float>(random() % 35000) / 100.0f;
        p.sparDistance = 10.0f + static_cast<float>(random() % 400) / 10.0f;
        p.precision = static_cast<int>(random() % 5);
        QVERIFY(dialogs::pushPropertiesStep(stack, doc, p, QStringLiteral("step")));
        QCOMPARE(bytesOf(doc.properties()), bytesOf(p));
        states << stateOf(doc);
    }
    QVERIFY(!f.frame->action(kCmdEditRedo)->isEnabled());

    // Undo to the start: each step gives back the record byte for byte and
    // the drawing with it.
    for (qsizetype i = states.size() - 1; i > 0; --i) {
        QVERIFY(f.frame->action(kCmdEditUndo)->isEnabled());
        f.frame->handleCommand(kCmdEditUndo);
        QVERIFY2(stateOf(doc) == states[i - 1], qPrintable(QString::number(i)));
    }
    QVERIFY(!f.frame->action(kCmdEditUndo)->isEnabled());
    QVERIFY(stack.isClean());

    // Redo to the end, typed as Ctrl+Y.
    f.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
    for (qsizetype i = 1; i < states.size(); ++i) {
        QTest::keyClick(f.frame.get(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY2(stateOf(doc) == states[i], qPrintable(QString::number(i)));
    }
    QVERIFY(!stack.isClean());
    // Ctrl+Z and the old Alt+Backspace both undo.
    QTest::keyClick(f.frame.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(f.frame.get(), Qt::Key_Backspace, Qt::AltModifier);
    QVERIFY(stateOf(doc) == states[states.size() - 3]);

    // A new step after undoing drops the steps that were undone.
    RibProperties p = doc.properties();
    p.chord = 321.0f;
    dialogs::pushPropertiesStep(stack, doc, p, QStringLiteral("step"));
    QVERIFY(!f.frame->action(kCmdEditRedo)->isEnabled());
    QCOMPARE(stack.count(), static_cast<int>(states.size()) - 2);
}

void EditHelpTest::editItemsFollowTheCurrentDocument() {
    FrameFixture f;
    const auto enabled = [&] {
        QString marks;
        for (int id : {kCmdEditUndo, kCmdEditRedo, kCmdEditCopy, kCmdViewFitToWindow})
            marks += f.frame->action(id)->isEnabled() ? 'e' : '-';
        return marks;
    };
    QCOMPARE(enabled(), QStringLiteral("----"));
    f.open(airfoilPath("asb__e387.dat"));
    DocumentWindow* first = f.frame->activeChild();
    QCOMPARE(enabled(), QStringLiteral("--ee"));
    RibProperties p = first->document()->properties();
    p.chord = 150.0f;
    dialogs::pushPropertiesStep(*first->undoStack(), *first->document(), p, QStringLiteral("chord"));
    QCOMPARE(enabled(), QStringLiteral("e-ee"));
    f.frame->handleCommand(kCmdEditUndo);
    QCOMPARE(enabled(), QStringLiteral("-eee"));

    // Another window has its own steps; coming back brings the first's back.
    f.frame->handleCommand(kCmdFileNew);
    QCOMPARE(enabled(), QStringLiteral("----"));
    f.frame->handleCommand(kCmdEditRedo);  // nothing to redo here
    QCOMPARE(first->document()->properties().chord, 100.0f);
    f.frame->mdiArea()->setActiveSubWindow(first);
    QCOMPARE(enabled(), QStringLiteral("-eee"));
    f.frame->handleCommand(kCmdEditRedo);
    QCOMPARE(first->document()->properties().chord, 150.0f);
    // Closing the window takes its steps with it (the changed rib is discarded).
    bool asked = false;
    QTimer::singleShot(0, [&asked] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = true;
            box->button(QMessageBox::Discard)->click();
        }
    });
    QVERIFY(first->close());
    QVERIFY(asked);
    QCOMPARE(enabled(), QStringLiteral("----"));
}

void EditHelpTest::copyPutsTheRibOnTheClipboardAsSvgAndPicture() {
    // The viewBox spans the airfoil, in thousandths of the chord's unit, for
    // every airfoil of the corpus in either unit; components that reach
    // beyond the airfoil widen it.
    int copied = 0;
    for (const QString& name : QDir(PARVELIN_AIRFOIL_DIR).entryList(QDir::Files, QDir::Name)) {
        FrameFixture f;
        f.open(airfoilPath(name.toUtf8().constData()));
        AirfoilDocument* doc = f.frame->currentDocument();
        if (doc == nullptr || !doc->isLoaded()) continue;
        const bool inches = copied % 2 == 1;
        RibProperties p = doc->properties();
        p.metric = inches ? 0 : 1;
        p.chord = inches ? 7.5f : 180.0f;
        doc->applyProperties(p);
        QApplication::clipboard()->clear();
        f.frame->handleCommand(kCmdEditCopy);
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data != nullptr);
        QVERIFY2(data->hasFormat("image/svg+xml"), qPrintable(name));
        const SvgBox box = svgBox(data->data("image/svg+xml"));
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (const AirfoilPoint& pt : doc->points()) {
            minX = std::min<double>(minX, pt.modelX);
            maxX = std::max<double>(maxX, pt.modelX);
            minY = std::min<double>(minY, pt.modelY);
            maxY = std::max<double>(maxY, pt.modelY);
        }
        const double k = 1000.0 * p.chord;  // thousandths per chord
        // Within two units (the mapping truncates, and x is offset by 25).
        QVERIFY2(std::abs(box.width - k * (maxX - minX)) <= 2.0, qPrintable(name));
        QVERIFY2(std::abs(box.height - k * (maxY - minY)) <= 2.0, qPrintable(name));
        QVERIFY2(std::abs(box.left - (k * minX + 25.0)) <= 1.0, qPrintable(name));
        QVERIFY2(std::abs(box.top + k * maxY) <= 1.0, qPrintable(name));
        QCOMPARE(box.physicalWidth, QString::number(box.width / 1000.0, 'f', 3) + (inches ? "in" : "mm"));

        // The picture: black on white, in the same proportions.
        const QImage picture = data->imageData().value<QImage>();
        QVERIFY2(!picture.isNull(), qPrintable(name));
        QCOMPARE(picture.width(), kRibPictureWidth);
        QVERIFY(std::abs(picture.height() - kRibPictureWidth * box.height / box.width) <= 1.0);
        int dark = 0, other = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = picture.pixel(x, y);
                if (qGray(c) < 64) ++dark;
                else if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)) ++other;
            }
        QVERIFY(dark > kRibPictureWidth);
        QCOMPARE(other, 0);
        ++copied;
    }
    QVERIFY(copied >= 30);

    // With a square leading edge ahead of the nose, the box reaches it.
    FrameFixture f;
    f.open(airfoilPath("asb__clarky.dat"));
    AirfoilDocument* doc = f.frame->currentDocument();
    RibProperties p = doc->properties();
    p.leadingEdgeStyle = 2;
    p.leadingEdgeDepth = 8.0f;
    doc->applyProperties(p);
    f.frame->handleCommand(kCmdEditCopy);
    QVERIFY(svgBox(QApplication::clipboard()->mimeData()->data("image/svg+xml")).left < 0.0);
    // A round one is a circle touching the nose, drawn as two half arcs.
    p.leadingEdgeStyle = 1;
    doc->applyProperties(p);
    f.frame->handleCommand(kCmdEditCopy);
    const QByteArray svg = QApplication::clipboard()->mimeData()->data("image/svg+xml");
    QCOMPARE(svg.count(" A"), 2);
    QVERIFY(svgBox(svg).left >= 0.0);
}

void EditHelpTest::helpGoesBackAndForthAndFindsWords() {
    FrameFixture f;
    f.frame->handleCommand(kCmdHelpContents);
    auto* help = qobject_cast<HelpWindow*>(f.frame->helpWindow());
    QVERIFY(help != nullptr);
    const QUrl index = help->source();
    QVERIFY(!help->backAction()->isEnabled());
    f.frame->handleCommand(kCmdHelpGettingStarted);
    const QUrl started = help->source();
    QVERIFY(started != index);
    QVERIFY(help->backAction()->isEnabled());
    QVERIFY(!help->forwardAction()->isEnabled());
    help->backAction()->trigger();
    QCOMPARE(help->source(), index);
    QVERIFY(help->forwardAction()->isEnabled());
    help->forwardAction()->trigger();
    QCOMPARE(help->source(), started);

    // Every word of the page is found, wherever the cursor stood; the
    // selection is the word as the page writes it. Words the page does
    // not hold select nothing.
    const QStringList words = help->toPlainText().split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts);
    QVERIFY(words.size() > 50);
    for (qsizetype i = 0; i < words.size(); i += 7) {
        QVERIFY2(help->findInPage(words[i]), qPrintable(words[i]));
        QCOMPARE(help->textCursor().selectedText().toLower(), words[i].toLower());
    }
    QVERIFY(!help->findInPage(QStringLiteral("zqxjv no such words")));
}

void EditHelpTest::f1OpensTheManualCoveringEveryCommand() {
    FrameFixture f;
    QVERIFY(!manualIndexPath().isEmpty());
    f.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
    QTest::keyClick(f.frame.get(), Qt::Key_F1);
    auto* help = qobject_cast<QTextBrowser*>(f.frame->helpWindow());
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    // Help > Contents shows the same window again.
    f.frame->handleCommand(kCmdHelpContents);
    QCOMPARE(f.frame->helpWindow(), help);

    // Every menu command is described under its own name, and so is every
    // command-line command and file format.
    const QString text = help->toPlainText();
    for (const MenuEntry& e : mainMenu()) {
        if (e.kind != MenuKind::Item && e.kind != MenuKind::Popup) continue;
        const QString item = QString::fromUtf8(e.text).section('\t', 0, 0).remove('&').remove("...");
        QVERIFY2(text.contains(item), qPrintable(item));
    }
    for (const char* words : {"parvelin-cli export", "parvelin-cli print", "parvelin-cli info", "parvelin-cli fields",
                              "General Properties", "Leading Edge", "Spars", "Trailing Edge", "Sheeting", "DXF",
                              "coordinate file", "SVG"})
        QVERIFY2(text.contains(QString::fromUtf8(words)), words);

    // Every picture and page it links to ships with it.
    const QDir folder = QFileInfo(manualIndexPath()).absoluteDir();
    const QString html = help->document()->toHtml();
    int pictures = 0;
    const QRegularExpression source(QStringLiteral("src=\"([^\"]+)\""));
    for (auto it = source.globalMatch(html); it.hasNext(); ++pictures) {
        const QString file = it.next().captured(1);
        QVERIFY2(folder.exists(file), qPrintable(file));
    }
    QVERIFY(pictures >= 3);
}

void EditHelpTest::aboutNamesTheProgramItsLicenceAndQt() {
    const QString text = aboutText();
    QVERIFY(text.startsWith(QStringLiteral("Parvelin " PARVELIN_TEST_VERSION "\n")));
    QVERIFY(text.contains(QString::fromUtf8(kLicenceText)));
    QVERIFY(text.contains(QStringLiteral("GPL-3.0-or-later")));
    QVERIFY(text.contains(QStringLiteral("Qt " QT_VERSION_STR)));
    QVERIFY(text.contains(QString::fromLatin1(qVersion())));
    QVERIFY(text.contains(QStringLiteral("ribs of model-aircraft wings")));
}

QTEST_MAIN(EditHelpTest)
#include "tst_edit_help.moc"
