// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the frame tests share: a started frame with recording dialogs
// installed, a scratch folder, and the current directory put back afterwards.
#include <QDir>
#include <QMdiArea>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/FrameWindow.h"
#include "app/Resources.h"
#include "platform/Services.h"
#include "support/Recorders.h"

namespace parvelin::testing {

inline std::string airfoilPath(const char* name) { return std::string(PARVELIN_AIRFOIL_DIR) + "/" + name; }

struct FrameFixture {
    RecordingDialogs dialogs;
    std::filesystem::path startFolder = std::filesystem::current_path();
    QTemporaryDir scratch;
    std::unique_ptr<app::FrameWindow> frame;

    // The program starts on its start page with no document window; most
    // tests begin from one empty window, as File > New makes it.
    enum class Start { EmptyWindow, StartPageOnly };

    explicit FrameFixture(Start start = Start::EmptyWindow) {
        // The recent-files list goes to a settings file of the test's own.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.path());
        platform::setDialogs(&dialogs);
        frame = std::make_unique<app::FrameWindow>();
        frame->start();
        frame->resize(1200, 850);
        if (start == Start::EmptyWindow) frame->handleCommand(app::kCmdFileNew);
    }
    ~FrameFixture() {
        frame.reset();
        platform::setDialogs(nullptr);
        std::filesystem::current_path(startFolder);
    }

    // Opens `path` through File > Open, the dialog answering with it.
    void open(const std::string& path) {
        dialogs.openAnswers.push_back(path);
        frame->handleCommand(app::kCmdFileOpen);
    }

    // A file in the scratch folder.
    std::string write(const char* name, const std::string& text) const {
        const std::string path = scratch.filePath(name).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Sizes the window so that its client area is width x height.
    static void setClientSize(app::DocumentWindow* window, int width, int height) {
        // Lay the window out first, in case its view was sized on its own.
        window->resize(window->size() + QSize(1, 1));
        const QSize frameExtra = window->size() - window->view()->size();
        window->resize(QSize(width, height) + frameExtra);
    }
};

// An airfoil whose drawing order is (1, 0), (0.5, 0.1), (0, 0), (0.5, -0.1).
inline constexpr const char* kDiamondAirfoil = "DIAMOND\r\n1.0 0.0\r\n0.5 0.1\r\n0.0 0.0\r\n0.5 -0.1\r\n1.0 0.0\r\n";

} // namespace parvelin::testing
