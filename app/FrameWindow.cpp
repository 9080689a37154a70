// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FrameWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>
#include <algorithm>

#include "app/AboutDialog.h"
#include "app/AppIcons.h"
#include "app/HelpWindow.h"
#include "app/RibCopy.h"
#include "app/ImportCommand.h"
#include "app/LaserExport.h"
#include "app/ModelView.h"
#include "app/Resources.h"
#include "app/StartPage.h"
#include "app/ToolBar.h"
#include "app/print/PrintCommand.h"
#include "app/print/RibSetPages.h"
#include "commands/FileCommands.h"
#include "cut/CutFile.h"
#include "dialogs/CuttingSheetDialog.h"
#include "dialogs/PropertiesCommand.h"
#include "dialogs/WingDialog.h"
#include "document/PropertyChecks.h"
#include "document/ReplaceFile.h"
#include "wing/WingFiles.h"
#include "platform/Services.h"
#include "resources/Strings.h"

namespace parvelin::app {

namespace {
// A check's text ("kerf 5 mm must be ...") as a sentence for a message box.
std::string userSentence(const std::string& problem) {
    std::string sentence = "The " + problem + ".";
    return sentence;
}

constexpr const char* kMessageExportNeedsDocument = "You need to create or open an airfoil to\nexport the selected airfoil.";
constexpr const char* kMessagePropertiesNeedsDocument =
    "You need to create or open an airfoil to\ndisplay the Properties dialog.";
constexpr const char* kRecentFilesKey = "recentFiles";
constexpr const char* kFrameGeometryKey = "frameGeometry";

QSettings userSettings() { return QSettings(QStringLiteral("Parvelin"), QStringLiteral("Parvelin")); }

// File > Export's question before it replaces a file: Yes replaces, No
// leaves the file as it was.
ReplaceQuestion replaceQuestion(QWidget* owner) {
    return [owner](const std::string& path) {
        const QString name = QFileInfo(QString::fromStdString(path)).fileName();
        return QMessageBox::question(owner, QString::fromLatin1(kExportDialogTitle),
                                     QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(name),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
}
} // namespace

FrameWindow::FrameWindow() {
    setWindowTitle(QString::fromStdString(resources::loadString(resources::kStringAppTitle)));
    setWindowIcon(frameIcon());
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &FrameWindow::onSubWindowActivated);
    buildMenu();
    applyStandardKeys(*this);
    addToolBar(buildToolBar(*this));
    buildAccelerators();
    cursorLabel_ = new QLabel(this);
    airfoilLabel_ = new QLabel(this);
    statusBar()->addWidget(cursorLabel_, 1);
    statusBar()->addPermanentWidget(airfoilLabel_);
    startPage_ = new StartPage(*this);
    rebuildRecentFilesMenu();
}

FrameWindow::~FrameWindow() {
    delete help_;
    // The document windows go while the frame is still whole, and without
    // reporting activations to it on the way.
    disconnect(mdi_, nullptr, this, nullptr);
    for (QMdiSubWindow* sub : mdi_->subWindowList()) delete sub;
}

void FrameWindow::start() {
    // Where the user left it, else the whole work area of the screen.
    if (!restoreGeometry(userSettings().value(kFrameGeometryKey).toByteArray())) {
        if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
    }
    show();
    keepInsideWorkArea();
    // The window manager adds its frame once the window is mapped, and Qt
    // learns its size some time after that: look again until it has.
    for (const int ms : {0, 300, 1500}) QTimer::singleShot(ms, this, &FrameWindow::keepInsideWorkArea);
    // No document yet: the start page, and the items that need one grey.
    updateCommandState();
}

void FrameWindow::keepInsideWorkArea() {
    const QScreen* screen = this->screen();
    if (screen == nullptr || isMaximized() || isFullScreen()) return;
    const QRect work = screen->availableGeometry();
    const QRect outer = frameGeometry();
    if (work.contains(outer)) return;
    // The title bar and borders stay inside the work area, and with them the
    // status bar at the bottom of the window.
    const QRect inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    QRect fitted = outer.intersected(work);
    if (fitted.width() < outer.width() / 2 || fitted.height() < outer.height() / 2) fitted = work;
    setGeometry(fitted.marginsRemoved(frame));
}

void FrameWindow::buildMenu() {
    QMenu* popup = nullptr;
    for (const MenuEntry& entry : mainMenu()) {
        switch (entry.kind) {
        case MenuKind::Popup:
            popup = menuBar()->addMenu(QString::fromUtf8(entry.text));
            if (fileMenu_ == nullptr) fileMenu_ = popup;
            break;
        case MenuKind::EndPopup:
            popup = nullptr;
            break;
        case MenuKind::Separator:
            if (popup) popup->addSeparator();
            break;
        case MenuKind::Item: {
            if (!popup) break;
            // The text after the tab is the key shown beside the item; the
            // keys themselves are the accelerator table's.
            QAction* action = popup->addAction(QString::fromUtf8(entry.text));
            action->setEnabled(!entry.grayed);
            if (entry.checked) {
                action->setCheckable(true);
                action->setChecked(true);
                checked_[entry.id] = true;
            } else if (entry.id == kCmdViewChordline || entry.id == kCmdViewEdgeLines ||
                       entry.id == kCmdViewCamberline || entry.id == kCmdViewCutOutline) {
                action->setCheckable(true);
                checked_[entry.id] = false;
            }
            const int id = entry.id;
            connect(action, &QAction::triggered, this, [this, id] { handleCommand(id); });
            actions_[id] = action;
            break;
        }
        }
    }
    const QList<QAction*> popups = menuBar()->actions();
    windowMenu_ = popups.size() > kWindowMenuPosition ? popups[kWindowMenuPosition]->menu() : nullptr;
    if (windowMenu_) connect(windowMenu_, &QMenu::aboutToShow, this, &FrameWindow::refreshWindowList);
}

void FrameWindow::buildAccelerators() {
    for (const Accelerator& accelerator : acceleratorTable()) {
        auto* shortcut = new QShortcut(QKeySequence(accelerator.keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        const int id = accelerator.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { handleCommand(id); });
    }
}

QAction* FrameWindow::action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void FrameWindow::enableItem(int id) {
    if (QAction* a = action(id)) a->setEnabled(true);
}

void FrameWindow::setItemChecked(int id, bool checked) {
    checked_[id] = checked;
    if (QAction* a = action(id)) a->setChecked(checked);
}

DocumentWindow* FrameWindow::activeChild() const {
    // A window that has been closed no longer counts, even before it is deleted.
    if (activeChild_ && activeChild_->document() != nullptr) return activeChild_;
    return nullptr;
}

AirfoilDocument* FrameWindow::currentDocument() const {
    DocumentWindow* window = activeChild();
    return window ? window->document() : nullptr;
}

QList<DocumentWindow*> FrameWindow::documentWindows() const {
    QList<DocumentWindow*> windows;
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (auto* window = qobject_cast<DocumentWindow*>(sub); window && window->document()) windows << window;
    return windows;
}

void FrameWindow::onSubWindowActivated(QMdiSubWindow* sub) {
    auto* window = qobject_cast<DocumentWindow*>(sub);
    if (window == nullptr) {
        // The area reports no active window while the whole application is
        // inactive (a dialog is up); its current window stays the one the
        // commands act on. With no window left there is none.
        window = qobject_cast<DocumentWindow*>(mdi_->currentSubWindow());
    }
    if (window == nullptr || window->document() == nullptr) {
        activeChild_ = nullptr;
        updateCommandState();
        return;
    }
    activeChild_ = window;
    AirfoilDocument* document = window->document();
    if (document->isLoaded()) document->fitToWindow();
    // The View marks show the state of the document that is now current.
    setItemChecked(kCmdViewChordline, document->showChordLine());
    setItemChecked(kCmdViewEdgeLines, document->showEdgeLines());
    setItemChecked(kCmdViewCamberline, document->showCamberLine());
    setItemChecked(kCmdViewCutOutline, document->showCutOutline());
    // The coordinates shown were another window's.
    cursorLabel_->clear();
    updateCommandState();
}

DocumentWindow* FrameWindow::createDocumentWindow() {
    auto* window = new DocumentWindow;
    connect(window, &DocumentWindow::fileUsed, this, &FrameWindow::addRecentFile);
    connect(window, &DocumentWindow::fileUsed, this, [this] { distinguishTitles(); });
    mdi_->addSubWindow(window);
    watchWindow(window);
    // The default place and size: cascaded one title bar down and right from
    // the last window, three quarters of the area.
    const QSize area = mdi_->viewport()->size();
    const int step = std::max(20, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window));
    const int slot = static_cast<int>(documentWindows().size() - 1) % 8;
    const QSize size(std::max(300, area.width() * 3 / 4), std::max(200, area.height() * 3 / 4));
    window->setGeometry(QRect(QPoint(slot * step, slot * step), size));
    window->show();
    mdi_->setActiveSubWindow(window);
    // The new window is the active one even where the area activates it later.
    if (activeChild() != window) onSubWindowActivated(window);
    return window;
}

void FrameWindow::handleCommand(int id) {
    emit commandReceived(id);
    // A checkable item's mark is the program's to set, never Qt's.
    for (const auto& [checkId, checked] : checked_)
        if (QAction* a = action(checkId)) a->setChecked(checked);

    switch (id) {
    case kCmdFileNew:
        createDocumentWindow();
        for (int item : {kCmdFileSave, kCmdFileSaveAs, kCmdFilePrintPreview, kCmdFilePrint, kCmdFileExport,
                         kCmdFileExportCut, kCmdAirfoilProperties, kCmdViewChordline, kCmdViewEdgeLines,
                         kCmdViewCamberline, kCmdViewCutOutline, kCmdFileImport})
            enableItem(item);
        break;
    case kCmdFileOpen:
        open();
        break;
    case kCmdFileClose:
        if (DocumentWindow* window = activeChild()) window->close();
        break;
    case kCmdFileSave:
    case kCmdFileSaveAs:
        if (DocumentWindow* window = activeChild())
            id == kCmdFileSave ? window->save() : window->saveAs();
        else
            showDocumentMessage(kMessageSaveNeedsDocument, "Save");
        break;
    case kCmdFileImport:
        importFile();
        break;
    case kCmdFileNewNaca:
        newFromNaca();
        break;
    case kCmdFileAirfoilBrowser:
        browseAirfoils();
        break;
    case kCmdFilePrint:
    case kCmdFilePrintPreview:
        printCurrent(id == kCmdFilePrintPreview);
        break;
    case kCmdFileExit:
        close();
        break;
    case kCmdFileExport:
        if (DocumentWindow* window = activeChild(); window && window->wing() && !window->ribSet().ribs.empty())
            exportWingSet(*window);
        else if (AirfoilDocument* document = currentDocument(); document && document->isLoaded())
            exportDxf(*document, activeChild()->exportFileName(), replaceQuestion(activeChild()));
        else
            showDocumentMessage(kMessageExportNeedsDocument, "Export Dialog");
        break;
    case kCmdFileExportCut:
        if (DocumentWindow* window = activeChild(); window && window->wing() && !window->ribSet().ribs.empty())
            exportWingSheets(*window);
        else if (AirfoilDocument* document = currentDocument(); document && document->isLoaded())
            exportSingleCutFile(*document, activeChild());
        else
            showDocumentMessage(kMessageExportNeedsDocument, kExportCutDialogTitle);
        break;
    case kCmdAirfoilProperties:
        if (AirfoilDocument* document = currentDocument(); document && document->isLoaded())
        {
            dialogs::runPropertiesCommand(*document, activeChild(), activeChild()->undoStack());
            activeChild()->rebuildWing();
        } else
            showDocumentMessage(kMessagePropertiesNeedsDocument, "Properties Dialog");
        break;
    case kCmdWingProperties:
        runWingProperties();
        break;
    case kCmdViewChordline:
    case kCmdViewEdgeLines:
    case kCmdViewCamberline:
    case kCmdViewCutOutline:
        toggleViewFlag(id);
        break;
    case kCmdViewFitToWindow:
        if (DocumentWindow* window = activeChild()) window->fitToWindow();
        break;
    case kCmdEditUndo:
        if (DocumentWindow* window = activeChild()) window->undoStack()->undo();
        break;
    case kCmdEditRedo:
        if (DocumentWindow* window = activeChild()) window->undoStack()->redo();
        break;
    case kCmdEditCopy:
        copyRib();
        break;
    case kCmdHelpContents:
    case kCmdKeyF1:
        showManual();
        break;
    case kCmdHelpGettingStarted:
        showManual(QStringLiteral("getting-started.html"));
        break;
    case kCmdWindowTile:
        mdi_->tileSubWindows();
        break;
    case kCmdWindowCascade:
        cascade();
        break;
    case kCmdWindowArrangeIcons:
        arrangeIcons();
        break;
    case kCmdWindowCloseAll:
        if (askAllDocumentWindows()) {
            closeAllDocumentWindows();
            mdi_->show();
        }
        break;
    case kCmdHelpAbout: {
        AboutDialog about(this);
        about.exec();
        break;
    }
    case kCmdView3dPreview:
        if (DocumentWindow* window = activeChild(); window && window->document() && window->document()->isLoaded()) {
            ModelWindow* view = ModelWindow::of(*window);
            view->refresh();
            view->show();
            view->raise();
        }
        break;
    case kCmdFileExportModel:
        if (DocumentWindow* window = activeChild()) exportModel(*window);
        break;
    // Placeholders: the items and keys exist, the commands do nothing.
    case kCmdEditCut:
    case kCmdEditPaste:
    case kCmdEditDelete:
    case kCmdKeyF5:
    case kCmdKeyF3:
    case kCmdKeyF4:
    case kCmdKeyShiftF1:
        break;
    default:
        activateListedWindow(id);
        break;
    }
    updateCommandState();
}

QPrinter& FrameWindow::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        preparePrinter(*printer_);
    }
    return *printer_;
}

void FrameWindow::runWingProperties() {
    DocumentWindow* window = activeChild();
    AirfoilDocument* document = currentDocument();
    if (window == nullptr || document == nullptr || !document->isLoaded()) return;
    const dialogs::WingSettings current = window->wing().value_or(dialogs::defaultWingSettings(document->properties()));
    std::optional<dialogs::WingSettings> chosen =
        dialogs::runWingDialog(current, document->properties(), window, this);
    if (!chosen) return;
    // The tip's washout lives in the document's record, where the General
    // page shows it too.
    RibProperties properties = document->properties();
    properties.washout = static_cast<float>(chosen->panel.washout);
    document->applyProperties(properties);
    window->setWing(std::move(chosen));
    const wing::RibSet& set = window->ribSet();
    std::string problem = set.error.empty() ? set.tabProblem : set.error;
    if (const std::string split = wing::splitRibsMessage(set); set.error.empty() && !split.empty())
        problem += (problem.empty() ? "" : "\n") + split;
    if (!problem.empty()) showDocumentMessage(problem.c_str(), dialogs::kWingDialogTitle);
}

void FrameWindow::exportWingSet(DocumentWindow& window) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return;
    platform::FileDialogSettings settings;
    settings.title = kExportDialogTitle;
    settings.filters = {{"Drawing Interchange Format", "*.dxf"}};
    settings.initialFileName = window.exportFileName();
    settings.defaultExtension = "dxf";
    settings.initialFolder = currentFolderForDialog();
    const std::optional<std::string> chosen = dialogs->saveFile(&window, settings);
    if (!chosen) return;
    const std::string fileName = enterFolderOf(*chosen);
    const bool exists = QFileInfo::exists(QString::fromStdString(fileName));
    if (exists && !replaceQuestion(&window)(*chosen)) return;
    const DxfWriter drawing = wing::setDrawing(window.ribSet());
    FileWriteResult result = drawing.allFinite() ? FileWriteResult::Written : FileWriteResult::NotFinite;
    if (result == FileWriteResult::Written && exists)
        result = replaceFile(fileName, drawing.text()).written ? FileWriteResult::Written : FileWriteResult::WriteFailed;
    else if (result == FileWriteResult::Written)
        result = writeNewFile(fileName, drawing.text());
    if (result != FileWriteResult::Written)
        dialogs->messageBox(&window, fileWriteMessage(result), "Export to DXF format",
                            result == FileWriteResult::AlreadyExists ? platform::MessageIcon::Warning
                                                                     : platform::MessageIcon::Error);
}

void FrameWindow::printCurrent(bool preview) {
    // A window with a wing prints every rib of it; otherwise the rib.
    if (DocumentWindow* window = activeChild(); window && window->wing() && !window->ribSet().ribs.empty()) {
        const std::string name = window->document()->getName().value_or(std::string());
        if (preview)
            runRibSetPrintPreviewCommand(window->ribSet(), window->wing()->panel.side, name, this, printer(),
                                         window->document());
        else
            runRibSetPrintCommand(window->ribSet(), window->wing()->panel.side, name, this, printer(),
                                  window->document());
    } else if (AirfoilDocument* document = currentDocument(); document && document->isLoaded()) {
        preview ? runPrintPreviewCommand(document, this, printer()) : runPrintCommand(document, this, printer());
    } else {
        showDocumentMessage(kMessagePrintNeedsDocument,
                            preview ? kPrintPreviewNeedsDocumentCaption : kPrintNeedsDocumentCaption);
    }
}

void FrameWindow::exportSingleCutFile(const AirfoilDocument& document, DocumentWindow* window) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return;
    // The kerf in the rib's unit, the one last chosen offered again.
    const RibProperties& rib = document.properties();
    QSettings stored = userSettings();
    platform::CuttingSheetSettings offered = dialogs::rememberedCuttingSheet(stored, rib.metric == 1, rib.precision);
    offered.askSheet = false;
    // A chord no rib can be cut at is refused before the kerf is asked; a
    // kerf that closes the notches while it can still be changed.
    if (const std::string problem = cutValueProblem(rib, 0.0); !problem.empty()) {
        dialogs->messageBox(window, (userSentence(problem) + "\nNothing was exported.").c_str(), kExportCutDialogTitle,
                            platform::MessageIcon::Warning);
        return;
    }
    auto cuttable = [&](const platform::CuttingSheetSettings& s) {
        const std::string problem = cutValueProblem(rib, s.kerf);
        return problem.empty() ? problem : userSentence(problem);
    };
    const std::optional<platform::CuttingSheetSettings> kerf = dialogs->cuttingSheet(window, offered, cuttable);
    if (!kerf) return;
    dialogs::rememberCuttingSheet(stored, *kerf);
    exportRibForCutting(document, window, kerf->kerf, stored);
}

void FrameWindow::exportWingSheets(DocumentWindow& window) {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return;
    const wing::RibSet& set = window.ribSet();
    const wing::WingSide side = window.wing()->panel.side;
    // The sheet and the kerf come in the ribs' unit, as the ribs are nested.
    const RibProperties& ribs = set.ribs.front().properties;
    const bool metric = ribs.metric == 1;
    QSettings stored = userSettings();
    const platform::CuttingSheetSettings offered = dialogs::rememberedCuttingSheet(stored, metric, ribs.precision);
    // A sheet too small for a rib is refused while the user can still change it.
    const std::vector<wing::NestPart> parts = wing::nestPartsOf(set, side);
    auto fits = [&](const platform::CuttingSheetSettings& s) {
        for (const wing::WingRib& rib : set.ribs)
            if (const std::string problem = cutValueProblem(rib.properties, s.kerf); !problem.empty())
                return "Rib " + rib.name() + ": " + problem + ".";
        // Whether every rib fits is known from the first layout.
        wing::NestOptions quick = wing::nestOptions(s.kerf, metric);
        quick.seconds = 0.0;
        return wing::nestParts(parts, wing::SheetSize{s.width, s.height}, quick).error;
    };
    const std::optional<platform::CuttingSheetSettings> sheet = dialogs->cuttingSheet(&window, offered, fits);
    if (!sheet) return;
    dialogs::rememberCuttingSheet(stored, *sheet);

    platform::FileDialogSettings settings;
    settings.title = kExportCutDialogTitle;
    settings.filters = {{"Drawing Interchange Format", "*.dxf"},
                        {"Scalable Vector Graphics", "*.svg"},
                        {kGcodeFilterDescription, kGcodeFilterPattern}};
    settings.initialFileName = window.document()->exportFileName();
    settings.defaultExtension = "dxf";
    settings.initialFolder = currentFolderForDialog();
    const std::optional<std::string> chosen = dialogs->saveFile(&window, settings);
    if (!chosen) return;
    const std::string fileName = enterFolderOf(*chosen);
    if (CutFileFormat format = CutFileFormat::Dxf; !isGcodeName(fileName) && !cutFormatFor(fileName, format)) {
        dialogs->messageBox(&window, kMessageCutOrGcodeFileName, kExportCutDialogTitle, platform::MessageIcon::Warning);
        return;
    }
    std::vector<std::string> written;
    const wing::SheetSize size{sheet->width, sheet->height};
    const wing::Nesting nesting = dialogs::nestWithProgress(set, side, size, wing::nestOptions(sheet->kerf, metric), &window);
    // G-code: the laser's settings asked over a preview of the sheets; the
    // user may still cancel there.
    const std::string problem =
        isGcodeName(fileName) ? exportSheetsGcode(nesting, size, metric, fileName, window, stored, written)
                              : wing::writeSheetFiles(fileName, nesting, size, metric, DxfVersion::R2000, &written);
    if (!problem.empty()) {
        dialogs->messageBox(&window, problem.c_str(), kExportCutDialogTitle, platform::MessageIcon::Warning);
        return;
    }
    if (written.empty()) return;
    // The files are named after the one chosen, one a sheet: say which, and
    // which ribs the components cut apart.
    std::string said = std::to_string(written.size()) + (written.size() == 1 ? " sheet was" : " sheets were") +
                       " written:";
    for (const std::string& path : written) said += "\n" + QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    said += "\n\n" + dialogs::yieldMessage(nesting);
    const std::string split = wing::splitRibsMessage(set);
    if (!split.empty()) said += "\n\n" + split;
    dialogs->messageBox(&window, said, kExportCutDialogTitle,
                        split.empty() ? platform::MessageIcon::Information : platform::MessageIcon::Warning);
}

void FrameWindow::updateWingItem() {
    AirfoilDocument* document = currentDocument();
    if (QAction* a = action(kCmdWingProperties)) a->setEnabled(document != nullptr && document->isLoaded());
}

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

void FrameWindow::showViewFlagsOf(const AirfoilDocument* document) {
    // A rib design brings its own view flags.
    if (document == nullptr) return;
    setItemChecked(kCmdViewChordline, document->showChordLine());
    setItemChecked(kCmdViewEdgeLines, document->showEdgeLines());
    setItemChecked(kCmdViewCamberline, document->showCamberLine());
}

void FrameWindow::importFile() {
    // Like Open: into the empty active window, or a new one.
    AirfoilDocument* document = currentDocument();
    if (document == nullptr) {
        handleCommand(kCmdFileNew);
        if (currentDocument() != nullptr) handleCommand(kCmdFileImport);
    } else if (document->isLoaded()) {
        createDocumentWindow();
        if (AirfoilDocument* fresh = currentDocument(); fresh && !fresh->isLoaded()) handleCommand(kCmdFileImport);
    } else {
        runImportCommand(*document, activeChild());
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
        updateCommandState();
        return;
    }
    // Into the current document while it is empty, else into a new window,
    // which goes again when the file is refused.
    AirfoilDocument* document = currentDocument();
    bool fresh = false;
    if (document == nullptr) {
        handleCommand(kCmdFileNew);
        fresh = true;
    } else if (document->isLoaded()) {
        createDocumentWindow();
        fresh = true;
    }
    DocumentWindow* window = activeChild();
    document = currentDocument();
    if (window == nullptr || document == nullptr || document->isLoaded()) return;
    if (window->openFile(path)) {
        showViewFlagsOf(document);
        distinguishTitles();
    } else if (fresh) {
        window->setCloseAgreed(true);
        window->close();
    }
    updateCommandState();
}

QStringList FrameWindow::recentFiles() const {
    QStringList files = userSettings().value(kRecentFilesKey).toStringList();
    if (files.size() > kMaxRecentFiles) files.erase(files.begin() + kMaxRecentFiles, files.end());
    return files;
}

void FrameWindow::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    if (files.size() > kMaxRecentFiles) files.erase(files.begin() + kMaxRecentFiles, files.end());
    userSettings().setValue(kRecentFilesKey, files);
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

void FrameWindow::toggleViewFlag(int id) {
    AirfoilDocument* document = currentDocument();
    if (document == nullptr || !document->isLoaded()) return;
    if (id == kCmdViewChordline) {
        document->setShowChordLine(!document->showChordLine());
        setItemChecked(id, document->showChordLine());
    } else if (id == kCmdViewCamberline) {
        document->setShowCamberLine(!document->showCamberLine());
        setItemChecked(id, document->showCamberLine());
    } else if (id == kCmdViewCutOutline) {
        document->setShowCutOutline(!document->showCutOutline());
        setItemChecked(id, document->showCutOutline());
    } else {
        document->setShowEdgeLines(!document->showEdgeLines());
        setItemChecked(id, document->showEdgeLines());
    }
    activeChild()->setModified(true);
    // A rib of the wing on show takes the document's guide lines.
    if (activeChild()->selectedRib() >= 0) activeChild()->selectRib(activeChild()->selectedRib());
    activeChild()->invalidate(true);
}

void FrameWindow::watchWindow(DocumentWindow* window) {
    // A step done or undone in the current document changes what Undo and
    // Redo offer and, with the chord, the status bar.
    connect(window->undoStack(), &QUndoStack::indexChanged, this, [this, window] {
        if (window == activeChild()) updateCommandState();
    });
    connect(window, &DocumentWindow::cursorMoved, this,
            [this, window](double x, double y, bool inside) { showCursorPosition(window, x, y, inside); });
    // Picking a rib of the wing changes the chord the status bar shows.
    connect(window, &DocumentWindow::shownRibChanged, this, [this, window] {
        if (window == activeChild()) updateCommandState();
    });
}

void FrameWindow::updateCommandState() {
    DocumentWindow* window = activeChild();
    AirfoilDocument* document = window ? window->document() : nullptr;
    const bool loaded = document != nullptr && document->isLoaded();
    QUndoStack* undo = window ? window->undoStack() : nullptr;
    if (QAction* a = action(kCmdEditUndo)) a->setEnabled(undo != nullptr && undo->canUndo());
    if (QAction* a = action(kCmdEditRedo)) a->setEnabled(undo != nullptr && undo->canRedo());
    if (QAction* a = action(kCmdEditCopy)) a->setEnabled(loaded);
    if (QAction* a = action(kCmdViewFitToWindow)) a->setEnabled(loaded);
    // With no document window, the items that act on one have nothing to act on.
    for (int id : {kCmdFileClose, kCmdFileSave, kCmdFileSaveAs, kCmdFilePrintPreview, kCmdFilePrint, kCmdFileExport,
                   kCmdFileExportCut, kCmdAirfoilProperties, kCmdViewChordline, kCmdViewEdgeLines,
                   kCmdViewCamberline, kCmdViewCutOutline, kCmdWindowTile, kCmdWindowCascade,
                   kCmdWindowArrangeIcons, kCmdWindowCloseAll})
        if (QAction* a = action(id)) a->setEnabled(window != nullptr);
    // The 3D view and Export Model follow the document; an open 3D view is rebuilt when it changed.
    for (int id : {kCmdView3dPreview, kCmdFileExportModel})
        if (QAction* a = action(id)) a->setEnabled(loaded);
    if (ModelWindow* view = window ? window->findChild<ModelWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr)
        view->refresh();
    // The rib on show: the document's, or the wing's rib picked from the strip.
    airfoilLabel_->setText(loaded ? airfoilStatusText(window->shownPicture()) : QString());
    if (!loaded) cursorLabel_->clear();
    updateWingItem();
    if (startPage_) startPage_->refresh();
}

void FrameWindow::showCursorPosition(DocumentWindow* window, double x, double y, bool inside) {
    if (window != activeChild()) return;
    const AirfoilDocument* document = window->document();
    if (!inside || document == nullptr || !document->isLoaded()) {
        cursorLabel_->clear();
        return;
    }
    cursorLabel_->setText(cursorStatusText(window->shownPicture().rib, x, y));
}

void FrameWindow::copyRib() {
    AirfoilDocument* document = currentDocument();
    if (document == nullptr || !document->isLoaded()) return;
    // A rib that draws nothing leaves the clipboard as it was.
    if (std::unique_ptr<QMimeData> data = ribMimeData(*document)) QApplication::clipboard()->setMimeData(data.release());
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

void FrameWindow::showDocumentMessage(const char* text, const char* caption) {
    if (platform::Dialogs* dialogs = platform::dialogs())
        dialogs->messageBox(activeChild(), text, caption, platform::MessageIcon::Warning);
}

void FrameWindow::cascade() {
    // Back to front in stacking order, each window one title bar further
    // down and right, so that every title stays readable and the active
    // window ends up in front. Minimised windows stay where they are.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::StackingOrder))
        if (!sub->isMinimized()) windows << sub;
    if (windows.isEmpty()) return;
    QMdiSubWindow* active = mdi_->activeSubWindow();
    if (active && windows.removeOne(active)) windows << active;
    const QSize area = mdi_->viewport()->size();
    const int step = std::max(20, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.front()));
    const int offset = static_cast<int>(windows.size() - 1) * step;
    const QSize size(std::max(area.width() - offset, area.width() / 2), std::max(area.height() - offset, area.height() / 2));
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* sub = windows[i];
        if (sub->isMaximized()) sub->showNormal();
        sub->setGeometry(QRect(QPoint(i * step, i * step), size));
        sub->raise();
    }
}

void FrameWindow::arrangeIcons() {
    // Lines the minimised windows up along the bottom of the area, left to
    // right, starting a new row above when one is full.
    const QRect area = mdi_->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized()) continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        sub->move(x, y - size.height());
        x += size.width();
    }
}

void FrameWindow::activateListedWindow(int id) {
    const QList<DocumentWindow*> windows = documentWindows();
    const int index = id - kFirstChildId;
    if (index >= 0 && index < windows.size()) {
        DocumentWindow* window = windows[index];
        if (window->isMinimized()) window->showNormal();
        mdi_->setActiveSubWindow(window);
    }
}

void FrameWindow::refreshWindowList() {
    if (windowMenu_ == nullptr) return;
    for (QAction* a : windowList_) {
        windowMenu_->removeAction(a);
        a->deleteLater();
    }
    windowList_.clear();
    const QList<DocumentWindow*> windows = documentWindows();
    if (windows.isEmpty()) return;
    windowList_ << windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QString title = shownTitle(windows[i]);
        title.replace('&', QStringLiteral("&&"));
        const QString number = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1);
        QAction* a = windowMenu_->addAction(number + title);
        a->setCheckable(true);
        a->setChecked(windows[i] == activeChild());
        const int id = kFirstChildId + i;
        connect(a, &QAction::triggered, this, [this, id] { handleCommand(id); });
        windowList_ << a;
    }
}

bool FrameWindow::askAllDocumentWindows() {
    const QList<DocumentWindow*> windows = documentWindows();
    for (DocumentWindow* window : windows) {
        if (!window->mayClose()) {
            // Cancel keeps every window open and asks again next time.
            for (DocumentWindow* asked : windows) asked->setCloseAgreed(false);
            return false;
        }
    }
    return true;
}

void FrameWindow::closeAllDocumentWindows() {
    mdi_->hide();
    QList<QPointer<DocumentWindow>> windows;
    for (DocumentWindow* window : documentWindows()) windows << window;
    for (const QPointer<DocumentWindow>& window : windows)
        if (window) window->close();
    activeChild_ = nullptr;
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    if (!askAllDocumentWindows()) {
        event->ignore();
        return;
    }
    closeAllDocumentWindows();
    userSettings().setValue(kFrameGeometryKey, saveGeometry());
    event->accept();
}

} // namespace parvelin::app
