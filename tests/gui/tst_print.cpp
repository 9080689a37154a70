// SPDX-License-Identifier: GPL-3.0-or-later
// File > Print and Print Preview: the print dialog, the preview, the job and
// the pages it prints.
#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QMainWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/print/PrintCommand.h"
#include "document/AirfoilDocument.h"
#include "support/Recorders.h"
#include "support/ShownDocument.h"

using namespace parvelin;

namespace {

// Runs `handle` on the modal dialog of type D once it is up; counts the
// dialogs seen.
template <typename D>
class Watch : public QObject {
public:
    explicit Watch(std::function<void(D*)> handle) : handle_(std::move(handle)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) return;
            ++seen;
            handle_(dialog);
        });
        timer_.start(20);
    }
    int seen = 0;

private:
    std::function<void(D*)> handle_;
    QTimer timer_;
};

using DialogWatch = Watch<QPrintDialog>;

// The print dialog's output file field, as the user sees it.
QLineEdit* fileField(QPrintDialog* dialog) { return dialog->findChild<QLineEdit*>("filename"); }

// Accepts the dialog after typing `pdf` as its output file.
std::function<void(QPrintDialog*)> printTo(const QString& pdf) {
    return [pdf](QPrintDialog* dialog) {
        if (QLineEdit* field = fileField(dialog)) field->setText(pdf);
        dialog->accept();
    };
}

int pageCount(const QString& info) {
    const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)\\n").match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pdfInfo(const QString& pdf) {
    QProcess process;
    process.start("pdfinfo", {pdf});
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The distance between the leftmost and rightmost dark pixels near the
// middle of the page (the chord line, where the nose and the trailing edge
// lie) rasterised at 600 dots per inch, in millimetres.
double measuredChordMm(const QString& pdf, const QString& folder, int* noseColumn = nullptr) {
    const QString prefix = folder + "/page";
    if (QProcess::execute("pdftoppm", {"-r", "600", "-gray", "-singlefile", pdf, prefix}) != 0) return -1.0;
    QImageReader::setAllocationLimit(1024);  // a page at 600 dpi is larger than the default limit
    const QImage page(prefix + ".pgm");
    if (page.isNull()) return -1.0;
    const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    int left = -1;
    int right = -1;
    for (int y = grey.height() / 2 - 12; y <= grey.height() / 2 + 12; ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (row[x] >= 128) continue;
            if (left < 0 || x < left) left = x;
            right = std::max(right, x);
        }
    }
    if (noseColumn != nullptr) *noseColumn = left;
    return left < 0 ? -1.0 : (right - left) * 25.4 / 600.0;
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

private:
    QMainWindow frame_;
    testing::RecordingWindow window_{650, 400};
    testing::ShownDocument document_{window_};
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
        QCOMPARE(document_.load(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat"),
                 ReadStatus::Loaded);
        document_.setShowEdgeLines(false);
        document_.setShowChordLine(false);
    }

    void nothingWithoutALoadedDocument() {
        DialogWatch watch([](QPrintDialog* dialog) { dialog->reject(); });
        Watch<QPrintPreviewDialog> previews([](QPrintPreviewDialog* dialog) { dialog->reject(); });
        AirfoilDocument empty;
        QPrinter printer(QPrinter::HighResolution);
        QVERIFY(!app::runPrintCommand(nullptr, &frame_, printer));
        QVERIFY(!app::runPrintCommand(&empty, &frame_, printer));
        QVERIFY(!app::runPrintPreviewCommand(nullptr, &frame_, printer));
        QVERIFY(!app::runPrintPreviewCommand(&empty, &frame_, printer));
        QTest::qWait(100);
        QCOMPARE(watch.seen, 0);
        QCOMPARE(previews.seen, 0);
    }

    void cancelPrintsNothing() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = folder_.filePath("cancelled.pdf");
        printer.setOutputFileName(pdf);
        QString offered;
        DialogWatch watch([&](QPrintDialog* dialog) {
            if (QLineEdit* field = fileField(dialog)) offered = field->text();
            dialog->reject();
        });
        QVERIFY(app::runPrintCommand(&document_, &frame_, printer));
        QCOMPARE(watch.seen, 1);
        QVERIFY(!QFile::exists(pdf));
        // Before any print to a file: the document's name in the current folder.
        QCOMPARE(offered, QDir::current().filePath("CLARK Y AIRFOIL.pdf"));
    }

    void printsOnePageAtTrueScale() {
        QPrinter printer(QPrinter::HighResolution);
        app::preparePrinter(printer);  // as the frame prepares its printer
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
            printTo(pdf)(dialog);
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
        int nose = -1;
        const double chord = measuredChordMm(pdf, folder_.path(), &nose);
        qInfo("chord 100 mm printed through the dialog measures %.3f mm", chord);
        QVERIFY2(std::abs(chord - 100.0) <= 0.3, qPrintable(QString::number(chord)));
        // The page has the command-line tool's border: 6.35 mm (150 pixels at
        // 600 dpi), then the nose 25 printer pixels (1200 ppi) further in.
        QVERIFY2(std::abs(nose - (150 + 12)) <= 2, qPrintable(QString::number(nose)));

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
            printTo(pdf)(dialog);
        });
        QVERIFY(app::runPrintCommand(&document_, &frame_, printer));
        QVERIFY(pagesChosen);
        QCOMPARE(printer.printRange(), QPrinter::AllPages);
        QVERIFY(pdfInfo(pdf).contains(QRegularExpression("Pages:\\s+1\\n")));
        QVERIFY(measuredChordMm(pdf, folder_.path()) > 99.0);
    }

    void aRangeOfTheRibsPagesPrintsThosePages() {
        AirfoilDocument wide;
        QCOMPARE(wide.loadFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat"), ReadStatus::Loaded);
        RibProperties properties = kDefaultRibProperties;
        properties.chord = 400.0f;  // three pages of A4 portrait
        wide.applyProperties(properties);
        QPrinter printer(QPrinter::HighResolution);
        app::preparePrinter(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);

        const QString all = folder_.filePath("all.pdf");
        {
            DialogWatch watch(printTo(all));
            QVERIFY(app::runPrintCommand(&wide, &frame_, printer));
        }
        QCOMPARE(pageCount(pdfInfo(all)), 3);

        // Pages 2 to 5 of a three-page rib: pages 2 and 3.
        const QString some = folder_.filePath("some.pdf");
        bool chosen = false;
        {
            DialogWatch watch([&](QPrintDialog* dialog) {
                auto* pages = dialog->findChild<QRadioButton*>("printRange");
                auto* from = dialog->findChild<QSpinBox*>("from");
                auto* to = dialog->findChild<QSpinBox*>("to");
                if (pages && from && to) {
                    pages->setChecked(true);
                    from->setValue(2);
                    to->setValue(5);
                    chosen = true;
                }
                printTo(some)(dialog);
            });
            QVERIFY(app::runPrintCommand(&wide, &frame_, printer));
        }
        QVERIFY(chosen);
        QCOMPARE(pageCount(pdfInfo(some)), 2);
        QCOMPARE(printer.printRange(), QPrinter::AllPages);
    }

    void theOutputFileIsTheDocumentsNameInTheLastFolderUsed() {
        QPrinter printer(QPrinter::HighResolution);
        app::preparePrinter(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        QVERIFY(QDir(folder_.path()).mkpath("elsewhere"));
        const QString chosen = folder_.filePath("elsewhere/my rib.pdf");
        QString offered;
        {
            DialogWatch first(printTo(chosen));
            QVERIFY(app::runPrintCommand(&document_, &frame_, printer));
            QVERIFY(QFile::exists(chosen));
        }

        // The next print offers the document's name in that folder, never a
        // fixed file, even on a printer that still holds the last file.
        DialogWatch second([&](QPrintDialog* dialog) {
            if (QLineEdit* field = fileField(dialog)) offered = field->text();
            dialog->reject();
        });
        QVERIFY(app::runPrintCommand(&document_, &frame_, printer));
        QCOMPARE(offered, QDir(folder_.filePath("elsewhere")).filePath("CLARK Y AIRFOIL.pdf"));
        QCOMPARE(app::defaultPrintFileName(document_), offered);
    }

    void previewShowsThePagesThatPrintAndKeepsItsPageSetup() {
        AirfoilDocument wide;
        QCOMPARE(wide.loadFile(std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat"), ReadStatus::Loaded);
        RibProperties properties = kDefaultRibProperties;
        properties.chord = 260.0f;  // wider than A4 portrait, narrower than landscape
        wide.applyProperties(properties);

        QPrinter printer(QPrinter::HighResolution);
        app::preparePrinter(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);

        int portraitPages = -1;
        int landscapePages = -1;
        Watch<QPrintPreviewDialog> preview([&](QPrintPreviewDialog* dialog) {
            auto* view = dialog->findChild<QPrintPreviewWidget*>();
            if (view != nullptr) {
                portraitPages = view->pageCount();
                view->setLandscapeOrientation();  // the preview's own orientation button
                landscapePages = view->pageCount();
            }
            dialog->reject();
        });
        QVERIFY(app::runPrintPreviewCommand(&wide, &frame_, printer));
        QCOMPARE(preview.seen, 1);
        QCOMPARE(portraitPages, 2);
        QCOMPARE(landscapePages, 1);

        // Print uses the page the preview left: one landscape page.
        const QString landscape = folder_.filePath("landscape.pdf");
        {
            DialogWatch print(printTo(landscape));
            QVERIFY(app::runPrintCommand(&wide, &frame_, printer));
        }
        QString info = pdfInfo(landscape);
        QCOMPARE(pageCount(info), 1);
        QVERIFY2(info.contains(QRegularExpression("Page size:\\s+84[12].* x 595.* pts")), qPrintable(info));

        // Back in portrait the job has exactly the preview's two pages.
        printer.setPageOrientation(QPageLayout::Portrait);
        const QString portrait = folder_.filePath("portrait.pdf");
        DialogWatch again(printTo(portrait));
        QVERIFY(app::runPrintCommand(&wide, &frame_, printer));
        info = pdfInfo(portrait);
        QCOMPARE(pageCount(info), portraitPages);
        QVERIFY2(info.contains(QRegularExpression("Page size:\\s+595.* x 84[12].* pts")), qPrintable(info));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
