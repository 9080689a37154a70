// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's file commands: Open (and a path from the command line), Save,
// Import, the titles of windows whose files share a name, and the recent
// files listed in the File menu.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>

#include "app/FrameSettings.h"
#include "app/FrameWindow.h"
#include "app/ImportCommand.h"
#include "app/Resources.h"
#include "platform/Services.h"

namespace parvelin::app {

namespace {
constexpr const char* kRecentFilesKey = "recentFiles";
} // namespace

void FrameWindow::open() {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return;
    // The open dialog lists coordinate files and rib designs together first.
    platform::FileDialogSettings settings;
    settings.title = kOpenDialogTitle;
    settings.filters = {{"Airfoils and rib designs", "*.DAT;*.parvelin"},
                        {"Airfoil Coordinate Files", "*.DAT"},
                        {"Parvelin rib designs", "*.parvelin"},
                        {"All Files", "*.*"}};
    settings.initialFolder = currentFolderForDialog();
    settings.fileMustExist = true;
    // Asked before any window is made: a cancelled Open leaves none.
    const std::optional<std::string> chosen = dialogs->openFile(activeChild(), settings);
    if (chosen) openPath(QString::fromStdString(*chosen));
}

void FrameWindow::save(bool askName) {
    if (DocumentWindow* window = activeChild())
        askName ? window->saveAs() : window->save();
    else
        showDocumentMessage(kMessageSaveNeedsDocument, "Save");
}

AirfoilDocument* FrameWindow::emptyDocument(bool* made) {
    AirfoilDocument* document = currentDocument();
    if (made) *made = document == nullptr || document->isLoaded();
    if (document == nullptr)
        handleCommand(kCmdFileNew);
    else if (document->isLoaded())
        createDocumentWindow();
    document = currentDocument();
    return document == nullptr || document->isLoaded() ? nullptr : document;
}

void FrameWindow::importFile() {
    // Like Open: into the empty active window, or a new one.
    if (AirfoilDocument* document = emptyDocument()) runImportCommand(*document, activeChild());
}

DocumentWindow* FrameWindow::windowShowing(const QString& path) const {
    const QFileInfo wanted(path);
    const QString canonical = wanted.canonicalFilePath();
    for (DocumentWindow* window : documentWindows()) {
        if (window->sourcePath().isEmpty()) continue;
        const QFileInfo shown(window->sourcePath());
        if (canonical.isEmpty() ? shown.absoluteFilePath() == wanted.absoluteFilePath()
                                : shown.canonicalFilePath() == canonical)
            return window;
    }
    return nullptr;
}

void FrameWindow::distinguishTitles() {
    // Windows of files with the same name (from different folders) add the
    // folder to the title; every other window shows the name alone.
    const QList<DocumentWindow*> windows = documentWindows();
    for (DocumentWindow* window : windows) {
        const QString path = window->sourcePath();
        bool shared = false;
        for (DocumentWindow* other : windows)
            shared = shared || (other != window && !path.isEmpty() &&
                                QFileInfo(other->sourcePath()).fileName() == QFileInfo(path).fileName());
        window->setTitleSuffix(shared ? QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()))
                                      : QString());
    }
}

void FrameWindow::openPath(const QString& path) {
    // A file already open is shown in its window rather than opened twice.
    if (DocumentWindow* open = windowShowing(path)) {
        if (open->isMinimized()) open->showNormal();
        mdi_->setActiveSubWindow(open);
        if (activeChild() != open) onSubWindowActivated(open);
        // Opened again all the same: first among the recent files.
        addRecentFile(open->sourcePath());
        updateMenus();
        return;
    }
    // Into the current document while it is empty, else into a new window,
    // which goes again when the file is refused.
    bool made = false;
    DocumentWindow* window = emptyDocument(&made) ? activeChild() : nullptr;
    if (window == nullptr) return;
    if (window->openFile(path)) {
        distinguishTitles();
    } else if (made) {
        window->setCloseAgreed(true);
        window->close();
    }
    updateMenus();
}

QStringList FrameWindow::recentFiles() const {
    QStringList files = frameSettings().value(kRecentFilesKey).toStringList();
    if (files.size() > kMaxRecentFiles) files.erase(files.begin() + kMaxRecentFiles, files.end());
    return files;
}

void FrameWindow::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    if (files.size() > kMaxRecentFiles) files.erase(files.begin() + kMaxRecentFiles, files.end());
    frameSettings().setValue(kRecentFilesKey, files);
    rebuildRecentFilesMenu();
}

void FrameWindow::rebuildRecentFilesMenu() {
    QAction* exitAction = action(kCmdFileExit);
    if (fileMenu_ == nullptr || exitAction == nullptr) return;
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    const QStringList files = recentFiles();
    if (files.isEmpty()) return;
    for (int i = 0; i < files.size(); ++i) {
        QString name = QFileInfo(files[i]).fileName();
        name.replace('&', QStringLiteral("&&"));
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name), fileMenu_);
        a->setToolTip(files[i]);
        a->setStatusTip(files[i]);
        a->setData(files[i]);
        const QString path = files[i];
        connect(a, &QAction::triggered, this, [this, path] { openPath(path); });
        fileMenu_->insertAction(exitAction, a);
        recentActions_ << a;
    }
    recentActions_ << fileMenu_->insertSeparator(exitAction);
}

} // namespace parvelin::app
