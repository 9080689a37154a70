// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QSessionManager>
#include <QStringList>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "app/FrameWindow.h"
#include "app/QtDialogs.h"
#include "platform/Services.h"

int main(int argc, char** argv) {
    // --version answers before Qt looks for a display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("parvelin " PARVELIN_VERSION "\n", stdout);
            return 0;
        }
    QApplication application(argc, argv);
    // Number text in files never follows the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    // A file-size limit makes saving fail with a message, rather than ending
    // the program with the work unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication::setApplicationName(QStringLiteral("Parvelin"));
    QApplication::setDesktopFileName(QStringLiteral("parvelin"));

    parvelin::app::QtDialogs dialogs;
    parvelin::platform::setDialogs(&dialogs);

    parvelin::app::FrameWindow frame;
    // Logging out asks the document windows as closing the frame does.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &frame, [&frame](QSessionManager& manager) {
        if (!manager.allowsInteraction()) return;
        const bool allAgree = frame.askAllDocumentWindows();
        manager.release();
        if (!allAgree) manager.cancel();
    });
    frame.start();

    // A file given on the command line (a file manager opening a .dat file
    // with the program) is opened as File > Open would open it; options are
    // left to Qt and anything else is ignored.
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith('-')) frame.openPath(arguments[i]);

    const int result = application.exec();
    parvelin::platform::setDialogs(nullptr);
    return result;
}
