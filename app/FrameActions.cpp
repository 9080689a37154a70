// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands as actions: the command table, one QAction per
// command with its keys, the menus built from those actions, the dispatch,
// and updateMenus(), the one place that enables and checks them.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTextBrowser>
#include <QUndoStack>
#include <QUrl>
#include <array>
#include <span>

#include "app/AboutDialog.h"
#include "app/FrameWindow.h"
#include "app/HelpWindow.h"
#include "app/ModelView.h"
#include "app/Resources.h"
#include "app/RibCopy.h"
#include "app/StartPage.h"
#include "platform/Services.h"

namespace parvelin::app {

namespace {

// The platform's standard keys of the menu items (Ctrl+O for Open, Ctrl+P
// for Print ...), bound besides the accelerator table's.
struct StandardKey {
    int id;
    QKeySequence::StandardKey key;
};

constexpr std::array kStandardKeys{
    StandardKey{kCmdFileOpen, QKeySequence::Open},       StandardKey{kCmdFileSave, QKeySequence::Save},
    StandardKey{kCmdFileSaveAs, QKeySequence::SaveAs},   StandardKey{kCmdFileClose, QKeySequence::Close},
    StandardKey{kCmdFilePrint, QKeySequence::Print},     StandardKey{kCmdFileExit, QKeySequence::Quit},
    StandardKey{kCmdEditUndo, QKeySequence::Undo},       StandardKey{kCmdEditRedo, QKeySequence::Redo},
    StandardKey{kCmdEditCopy, QKeySequence::Copy},
};

// The command the accelerator table binds `keys` to; 0 when it binds none.
int tableCommand(const QKeySequence& keys) {
    for (const Accelerator& accelerator : acceleratorTable())
        if (keys == QKeySequence(accelerator.keys)) return accelerator.id;
    return 0;
}

// Every key of command `id`: the standard ones first (the first is the one
// the menu shows when the item's text names none), then the table's. A
// standard key the table gives another command stays that command's.
QList<QKeySequence> commandKeys(int id) {
    QList<QKeySequence> keys;
    for (const StandardKey& standard : kStandardKeys) {
        if (standard.id != id) continue;
        for (const QKeySequence& k : QKeySequence::keyBindings(standard.key))
            if (const int bound = tableCommand(k); (bound == 0 || bound == id) && !keys.contains(k)) keys << k;
    }
    for (const Accelerator& accelerator : acceleratorTable())
        if (accelerator.id == id && !keys.contains(QKeySequence(accelerator.keys))) keys << QKeySequence(accelerator.keys);
    return keys;
}

} // namespace

// The command table: what each menu command needs to be enabled, the flag
// its check mark shows, and what it does.
const FrameWindow::Command FrameWindow::kCommands[] = {
    {kCmdFileNew, CommandNeed::Nothing, ViewMark::None, [](FrameWindow& f) { f.createDocumentWindow(); }},
    {kCmdFileOpen, CommandNeed::Nothing, ViewMark::None, [](FrameWindow& f) { f.open(); }},
    {kCmdFileNewNaca, CommandNeed::Nothing, ViewMark::None, [](FrameWindow& f) { f.newFromNaca(); }},
    {kCmdFileAirfoilBrowser, CommandNeed::Nothing, ViewMark::None, [](FrameWindow& f) { f.browseAirfoils(); }},
    {kCmdFileClose, CommandNeed::Window, ViewMark::None,
     [](FrameWindow& f) {
         if (DocumentWindow* window = f.activeChild()) window->close();
     }},
    {kCmdFileSave, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.save(false); }},
    {kCmdFileSaveAs, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.save(true); }},
    {kCmdFilePrintPreview, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.printCurrent(true); }},
    {kCmdFilePrint, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.printCurrent(false); }},
    {kCmdFileImport, CommandNeed::Nothing, ViewMark::None, [](FrameWindow& f) { f.importFile(); }},
    {kCmdFileExport, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.exportDrawing(); }},
    {kCmdFileExportCut, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.exportForCutting(); }},
    {kCmdFileExportModel, CommandNeed::Rib, ViewMark::None,
     [](FrameWindow& f) {
         if (DocumentWindow* window = f.activeChild()) exportModel(*window);
     }},
    {kCmdFileExit, CommandNeed::Nothing, ViewMark::None, [](FrameWindow& f) { f.close(); }},
    {kCmdEditUndo, CommandNeed::UndoStep, ViewMark::None,
     [](FrameWindow& f) {
         if (DocumentWindow* window = f.activeChild()) window->undoStack()->undo();
     }},
    {kCmdEditRedo, CommandNeed::RedoStep, ViewMark::None,
     [](FrameWindow& f) {
         if (DocumentWindow* window = f.activeChild()) window->undoStack()->redo();
     }},
    {kCmdEditCopy, CommandNeed::Rib, ViewMark::None, [](FrameWindow& f) { f.copyRib(); }},
    {kCmdAirfoilProperties, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.editAirfoilProperties(); }},
    {kCmdWingProperties, CommandNeed::Rib, ViewMark::None, [](FrameWindow& f) { f.runWingProperties(); }},
    {kCmdViewChordline, CommandNeed::Window, ViewMark::ChordLine,
     [](FrameWindow& f) { f.toggleViewFlag(ViewMark::ChordLine); }},
    {kCmdViewEdgeLines, CommandNeed::Window, ViewMark::EdgeLines,
     [](FrameWindow& f) { f.toggleViewFlag(ViewMark::EdgeLines); }},
    {kCmdViewCamberline, CommandNeed::Window, ViewMark::CamberLine,
     [](FrameWindow& f) { f.toggleViewFlag(ViewMark::CamberLine); }},
    {kCmdView3dPreview, CommandNeed::Rib, ViewMark::None, [](FrameWindow& f) { f.show3dView(); }},
    {kCmdViewCutOutline, CommandNeed::Window, ViewMark::CutOutline,
     [](FrameWindow& f) { f.toggleViewFlag(ViewMark::CutOutline); }},
    {kCmdViewFitToWindow, CommandNeed::Rib, ViewMark::None,
     [](FrameWindow& f) {
         if (DocumentWindow* window = f.activeChild()) window->fitToWindow();
     }},
    {kCmdWindowTile, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.mdi_->tileSubWindows(); }},
    {kCmdWindowCascade, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.cascade(); }},
    {kCmdWindowArrangeIcons, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.arrangeIcons(); }},
    {kCmdWindowCloseAll, CommandNeed::Window, ViewMark::None, [](FrameWindow& f) { f.closeAll(); }},
    {kCmdHelpAbout, CommandNeed::Nothing, ViewMark::None, [](FrameWindow& f) { f.showAbout(); }},
    {kCmdHelpContents, CommandNeed::Nothing, ViewMark::None, [](FrameWindow& f) { f.showManual(); }},
    {kCmdHelpGettingStarted, CommandNeed::Nothing, ViewMark::None,
     [](FrameWindow& f) { f.showManual(QStringLiteral("getting-started.html")); }},
};

const FrameWindow::Command* FrameWindow::findCommand(int id) {
    for (const Command& command : std::span(kCommands))
        if (command.id == id) return &command;
    return nullptr;
}

bool FrameWindow::hasCommand(int id) { return findCommand(id) != nullptr; }

void FrameWindow::buildActions() {
    for (const Command& command : std::span(kCommands)) {
        auto* action = new QAction(this);
        action->setCheckable(command.mark != ViewMark::None);
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { handleCommand(id); });
        action->setShortcuts(commandKeys(id));
        if (id == kCmdFileClose) {
            // Close's keys are the document window's own (it closes itself
            // on them, asking as File > Close does): the item only shows them.
            action->setShortcutContext(Qt::WidgetShortcut);
        } else {
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
        }
        actions_[id] = action;
    }
    buildMenus();
}

void FrameWindow::buildMenus() {
    QMenu* popup = nullptr;
    for (const MenuEntry& entry : mainMenu()) {
        if (entry.kind == MenuKind::Popup) {
            popup = menuBar()->addMenu(QString::fromUtf8(entry.text));
            if (fileMenu_ == nullptr) fileMenu_ = popup;
        } else if (entry.kind == MenuKind::EndPopup) {
            popup = nullptr;
        } else if (popup && entry.kind == MenuKind::Separator) {
            popup->addSeparator();
        } else if (QAction* item = action(entry.id); popup && item) {
            // The text after the tab is the key shown beside the item.
            item->setText(QString::fromUtf8(entry.text));
            popup->addAction(item);
        }
    }
    const QList<QAction*> popups = menuBar()->actions();
    windowMenu_ = popups.size() > kWindowMenuPosition ? popups[kWindowMenuPosition]->menu() : nullptr;
    if (windowMenu_) connect(windowMenu_, &QMenu::aboutToShow, this, &FrameWindow::refreshWindowList);
}

QAction* FrameWindow::action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void FrameWindow::handleCommand(int id) {
    emit commandReceived(id);
    if (const Command* command = findCommand(id))
        command->run(*this);
    else
        activateListedWindow(id);
    updateMenus();
}

bool FrameWindow::viewFlag(const AirfoilDocument& document, ViewMark mark) {
    switch (mark) {
    case ViewMark::ChordLine: return document.showChordLine();
    case ViewMark::EdgeLines: return document.showEdgeLines();
    case ViewMark::CamberLine: return document.showCamberLine();
    case ViewMark::CutOutline: return document.showCutOutline();
    case ViewMark::None: break;
    }
    return false;
}

bool FrameWindow::isAvailable(CommandNeed need) const {
    const DocumentWindow* window = activeChild();
    const AirfoilDocument* document = window ? window->document() : nullptr;
    switch (need) {
    case CommandNeed::Nothing: return true;
    case CommandNeed::Window: return window != nullptr;
    case CommandNeed::Rib: return document != nullptr && document->isLoaded();
    case CommandNeed::UndoStep: return window != nullptr && window->undoStack()->canUndo();
    case CommandNeed::RedoStep: return window != nullptr && window->undoStack()->canRedo();
    }
    return false;
}

void FrameWindow::updateMenus() {
    DocumentWindow* window = activeChild();
    // Without a document the grey View items show what a new one will.
    static const AirfoilDocument newDocument;
    const AirfoilDocument* document = window ? window->document() : &newDocument;
    for (const Command& command : std::span(kCommands)) {
        QAction* item = action(command.id);
        item->setEnabled(isAvailable(command.need));
        // A checkable item's mark is the document's flag, never Qt's toggle.
        if (command.mark != ViewMark::None) item->setChecked(viewFlag(*document, command.mark));
    }
    const bool loaded = isAvailable(CommandNeed::Rib);
    // An open 3D view is rebuilt when its document changed.
    if (ModelWindow* view = window ? window->findChild<ModelWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr)
        view->refresh();
    // The rib on show: the document's, or the wing's rib picked from the strip.
    airfoilLabel_->setText(loaded ? airfoilStatusText(window->shownPicture()) : QString());
    if (!loaded) cursorLabel_->clear();
    if (startPage_) startPage_->refresh();
}

void FrameWindow::toggleViewFlag(ViewMark mark) {
    DocumentWindow* window = activeChild();
    AirfoilDocument* document = currentDocument();
    if (document == nullptr || !document->isLoaded()) return;
    const bool shown = !viewFlag(*document, mark);
    switch (mark) {
    case ViewMark::ChordLine: document->setShowChordLine(shown); break;
    case ViewMark::EdgeLines: document->setShowEdgeLines(shown); break;
    case ViewMark::CamberLine: document->setShowCamberLine(shown); break;
    case ViewMark::CutOutline: document->setShowCutOutline(shown); break;
    case ViewMark::None: return;
    }
    window->setModified(true);
    // A rib of the wing on show takes the document's guide lines.
    if (window->selectedRib() >= 0) window->selectRib(window->selectedRib());
    window->invalidate(true);
}

void FrameWindow::copyRib() {
    AirfoilDocument* document = currentDocument();
    if (document == nullptr || !document->isLoaded()) return;
    // A rib that draws nothing leaves the clipboard as it was.
    if (std::unique_ptr<QMimeData> data = ribMimeData(*document)) QApplication::clipboard()->setMimeData(data.release());
}

void FrameWindow::show3dView() {
    DocumentWindow* window = activeChild();
    if (window == nullptr || window->document() == nullptr || !window->document()->isLoaded()) return;
    ModelWindow* view = ModelWindow::of(*window);
    view->refresh();
    view->show();
    view->raise();
}

void FrameWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}

void FrameWindow::showManual(const QString& page) {
    const QString index = manualIndexPath();
    if (index.isEmpty()) {
        if (platform::Dialogs* dialogs = platform::dialogs())
            dialogs->messageBox(nullptr, kMessageManualMissing, "Help", platform::MessageIcon::Warning);
        return;
    }
    const QString pagePath = QFileInfo(index).absolutePath() + QLatin1Char('/') + page;
    if (help_ == nullptr)
        help_ = new HelpWindow(pagePath);
    else if (auto* browser = qobject_cast<QTextBrowser*>(help_.data()))
        browser->setSource(QUrl::fromLocalFile(pagePath));
    help_->show();
    help_->raise();
    help_->activateWindow();
}

} // namespace parvelin::app
