// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the pictures of the manual's Getting Started page and the README
// from the program's own windows: the start page, the sample wing, the Wing
// Properties and cutting-sheet dialogs and the cut sheet written by Export
// for Cutting. Usage: parvelin_screenshots REPOSITORY_ROOT
// (scripts/screenshots.sh builds it and runs it under Xvfb).
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QSettings>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <optional>

#include "app/FrameWindow.h"
#include "app/QtDialogs.h"
#include "app/Resources.h"
#include "app/Samples.h"
#include "platform/Services.h"

namespace {

using namespace parvelin;

// Qt's dialogs, except that the save dialog answers with a fixed file and
// message boxes are only printed: the pictures need no one at the keyboard.
class ScriptedDialogs : public app::QtDialogs {
public:
    std::string savePath;
    std::optional<std::string> saveFile(platform::Window*, const platform::FileDialogSettings&) override {
        return savePath;
    }
    void messageBox(platform::Window*, const std::string& text, const std::string&, platform::MessageIcon) override {
        std::printf("message: %s\n", text.c_str());
    }
};

void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

bool save(const QImage& image, const QString& path) {
    if (!image.save(path)) {
        std::fprintf(stderr, "parvelin_screenshots: could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s (%dx%d)\n", qPrintable(path), image.width(), image.height());
    return true;
}

// Grabs the modal dialog `run` opens, then closes it with `finish`.
QImage grabModal(const std::function<void()>& run, const std::function<void(QWidget*)>& finish) {
    QImage picture;
    QTimer::singleShot(300, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            settle();
            picture = dialog->grab().toImage();
            finish(dialog);
        }
    });
    run();
    return picture;
}

// The first sheet Export for Cutting wrote, drawn from its SVG on white.
bool saveSheetPicture(const QString& svgPath, const QString& path) {
    QSvgRenderer sheet(svgPath);
    if (!sheet.isValid()) {
        std::fprintf(stderr, "parvelin_screenshots: Export for Cutting wrote no sheet\n");
        return false;
    }
    const QSizeF size = sheet.defaultSize();
    const double scale = 1100.0 / size.width();
    QImage picture(QSize(1100, static_cast<int>(size.height() * scale)), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    sheet.render(&painter);
    painter.end();
    return save(picture, path);
}

// The frame's pictures: the start page, the sample wing, Wing Properties and
// Export for Cutting with the sheet it wrote. Nothing when the sample wing
// cannot be opened.
std::optional<bool> shootFrame(const QDir& root, ScriptedDialogs& dialogs, const QDir& scratch) {
    const QString images = root.filePath(QStringLiteral("docs/manual/images"));
    app::FrameWindow frame;
    frame.start();
    frame.setGeometry(0, 0, 1280, 800);
    settle();
    bool ok = save(frame.grab().toImage(), images + QStringLiteral("/start-page.png"));

    const QString wing = app::sampleWingPath();
    if (wing.isEmpty()) {
        std::fprintf(stderr, "parvelin_screenshots: the sample wing is missing\n");
        return std::nullopt;
    }
    frame.openPath(wing);
    app::DocumentWindow* window = frame.activeChild();
    if (window == nullptr) {
        std::fprintf(stderr, "parvelin_screenshots: the sample wing did not open\n");
        return std::nullopt;
    }
    window->showMaximized();
    settle();
    // The root rib picked in the strip: drawn with its building tabs.
    window->selectRib(0);
    frame.handleCommand(app::kCmdViewFitToWindow);
    settle();
    const QImage shown = frame.grab().toImage();
    ok &= save(shown, images + QStringLiteral("/sample-wing.png"));
    ok &= save(shown, root.filePath(QStringLiteral("docs/screenshot.png")));

    ok &= save(grabModal([&] { frame.handleCommand(app::kCmdWingProperties); },
                         [](QWidget* dialog) { QMetaObject::invokeMethod(dialog, "reject"); }),
               images + QStringLiteral("/wing-properties.png"));

    // Export for Cutting: the sheet dialog, accepted as offered, then the
    // first sheet written.
    dialogs.savePath = scratch.filePath(QStringLiteral("wing.svg")).toStdString();
    ok &= save(grabModal([&] { frame.handleCommand(app::kCmdFileExportCut); },
                         [](QWidget* dialog) { QMetaObject::invokeMethod(dialog, "accept"); }),
               images + QStringLiteral("/cutting-sheet.png"));
    ok &= saveSheetPicture(scratch.filePath(QStringLiteral("wing-sheet-1.svg")), images + QStringLiteral("/cut-sheet.png"));
    frame.closeAllDocumentWindows();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: parvelin_screenshots REPOSITORY_ROOT\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    QApplication::setApplicationName(QStringLiteral("Parvelin"));

    // A settings file of its own: a first start, with no recent files.
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.path());
    ScriptedDialogs dialogs;
    platform::setDialogs(&dialogs);
    const std::optional<bool> ok = shootFrame(root, dialogs, QDir(scratch.path()));
    platform::setDialogs(nullptr);
    if (!ok) return 1;
    return *ok ? 0 : 1;
}
