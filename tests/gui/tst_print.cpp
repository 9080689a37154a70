// File > Print: the print dialog, the one-page job and the page it prints.
#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QMainWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/print/PrintCommand.h"
#include "document/AirfoilDocument.h"
#include "support/Recorders.h"

using namespace parvelin;

namespace {

// Runs `handle` on the modal dialog once it is up; counts the dialogs seen.
class DialogWatch : public QObject {
public:
    explicit DialogWatch(std::function<void(QPrintDialog*)> handle) : handle_(std::move(handle)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) return;
            ++seen;
            handle_(dialog);
        });
        timer_.start(20);
    }
    int seen = 0;

private:
    std::function<void(QPrintDialog*)> handle_;
    QTimer timer_;
};

QString pdfInfo(const QString& pdf) {
    QProcess process;
    process.start("pdfinfo", {pdf});
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The distance between the leftmost and rightmost dark pixels of the page
// rasterised at 600 dots per inch, in millimetres.
double measuredChordMm(const QString& pdf, const QString& folder) {
    const QString prefix = folder + "/page";
    if (QProcess::execute("pdftoppm", {"-r", "600", "-gray", "-singlefile", pdf, prefix}) != 0) return -1.0;
    QImageReader::setAllocationLimit(1024);  // a page at 600 dpi is larger than the default limit
    const QImage page(prefix + ".pgm");
    if (page.isNull()) return -1.0;
    const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    int left = -1;
    int right = -1;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (row[x] >= 128) continue;
            if (left < 0 || x < left) left = x;
            right = std::max(right, x);
        }
    }
    return left < 0 ? -1.0 : (right - left) * 25.4 / 600.0;
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

private:
    QMainWindow frame_;
    testing::RecordingWindow window_{650, 400};
    AirfoilDocument document_;
    QTemporaryDir folder_;

    std::vector<std::pair<int, int>> windowCoords() const {
        std::vector<std::pair<int, int>> out;
        for (const DevicePoint& p : document_.screenPoints()) out.emplace_back(p.x, p.y);
        return out;
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        frame_.show();
        document_.setWindow(&window_);
        QCOMPARE(document_.loadFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat", &window_),
                 ReadStatus::Loaded);
        document_.setShowEdgeLines(false);
        document_.setShowChordLine(false);
    }

    void nothingWithoutALoadedDocument() {
        DialogWatch watch([](QPrintDialog* dialog) { dialog->reject(); });
        AirfoilDocument empty;
        QVERIFY(!app::runPrintCommand(nullptr, &frame_));
        QVERIFY(!app::runPrintCommand(&empty, &frame_));
        QTest::qWait(100);
        QCOMPARE(watch.seen, 0);
    }

    void cancelPrintsNothing() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = folder_.filePath("cancelled.pdf");
        printer.setOutputFileName(pdf);
        DialogWatch watch([](QPrintDialog* dialog) { dialog->reject(); });
        QVERIFY(app::runPrintCommand(&document_, &frame_, printer));
        QCOMPARE(watch.seen, 1);
        QVERIFY(!QFile::exists(pdf));
    }

    void printsOnePageAtTrueScale() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = folder_.filePath("printed.pdf");
        printer.setOutputFileName(pdf);

        QWidget* owner = nullptr;
        int minPage = 0, maxPage = 0, fromPage = 0, toPage = 0, copies = 0;
        QAbstractPrintDialog::PrintRange range = QAbstractPrintDialog::Selection;
        bool pageRangeOffered = false;
        DialogWatch watch([&](QPrintDialog* dialog) {
            owner = dialog->parentWidget();
            minPage = dialog->minPage();
            maxPage = dialog->maxPage();
            fromPage = dialog->fromPage();
            toPage = dialog->toPage();
            range = dialog->printRange();
            pageRangeOffered = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
            copies = dialog->printer()->copyCount();
            dialog->accept();
        });
        const auto before = windowCoords();
        QVERIFY(app::runPrintCommand(&document_, &frame_, printer));
        QCOMPARE(watch.seen, 1);

        QCOMPARE(owner, &frame_);
        QCOMPARE(minPage, 1);
        QCOMPARE(maxPage, 65535);
        QCOMPARE(fromPage, 65535);
        QCOMPARE(toPage, 65535);
        QCOMPARE(range, QAbstractPrintDialog::AllPages);
        QVERIFY(pageRangeOffered);
        QCOMPARE(copies, 1);

        QVERIFY(QFile::exists(pdf));
        const QString info = pdfInfo(pdf);
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Title:\\s+Parvelin\\n")), qPrintable(info));

        // 100 mm of chord (the default) is 100 mm on the printer's page.
        const double chord = measuredChordMm(pdf, folder_.path());
        qInfo("chord 100 mm printed through the dialog measures %.3f mm", chord);
        QVERIFY2(std::abs(chord - 100.0) <= 0.3, qPrintable(QString::number(chord)));

        QVERIFY(windowCoords() == before);
    }

    void aPageRangeStillPrintsTheOnePage() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = folder_.filePath("range.pdf");
        printer.setOutputFileName(pdf);
        // The user picks "Pages" (65535 to 65535) in the dialog.
        bool pagesChosen = false;
        DialogWatch watch([&](QPrintDialog* dialog) {
            if (auto* pages = dialog->findChild<QRadioButton*>("printRange")) {
                pages->setChecked(true);
                pagesChosen = true;
            }
            dialog->accept();
        });
        QVERIFY(app::runPrintCommand(&document_, &frame_, printer));
        QVERIFY(pagesChosen);
        QCOMPARE(printer.printRange(), QPrinter::AllPages);
        QVERIFY(pdfInfo(pdf).contains(QRegularExpression("Pages:\\s+1\\n")));
        QVERIFY(measuredChordMm(pdf, folder_.path()) > 99.0);
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
