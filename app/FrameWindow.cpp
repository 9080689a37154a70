// SPDX-License-Identifier: GPL-3.0-or-later
// The frame as a window: its construction and place on the screen, the
// document windows it holds and which of them is current, the status bar,
// and the Window menu's arranging and list.
#include "app/FrameWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>

#include "app/AppIcons.h"
#include "app/FrameSettings.h"
#include "app/Resources.h"
#include "app/StartPage.h"
#include "app/ToolBar.h"
#include "app/print/PrintCommand.h"
#include "platform/Services.h"
#include "resources/Strings.h"

namespace parvelin::app {

namespace {
constexpr const char* kFrameGeometryKey = "frameGeometry";
} // namespace

FrameWindow::FrameWindow() {
    setWindowTitle(QString::fromStdString(resources::loadString(resources::kStringAppTitle)));
    setWindowIcon(frameIcon());
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &FrameWindow::onSubWindowActivated);
    buildActions();
    addToolBar(buildToolBar(*this));
    cursorLabel_ = new QLabel(this);
    airfoilLabel_ = new QLabel(this);
    statusBar()->addWidget(cursorLabel_, 1);
    statusBar()->addPermanentWidget(airfoilLabel_);
    startPage_ = new StartPage(*this);
    rebuildRecentFilesMenu();
    updateMenus();
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
    if (!restoreGeometry(frameSettings().value(kFrameGeometryKey).toByteArray())) {
        if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
    }
    show();
    keepInsideWorkArea();
    // The window manager adds its frame once the window is mapped, and Qt
    // learns its size some time after that: look again until it has.
    for (const int ms : {0, 300, 1500}) QTimer::singleShot(ms, this, &FrameWindow::keepInsideWorkArea);
    // No document yet: the start page, and the items that need one grey.
    updateMenus();
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
        updateMenus();
        return;
    }
    activeChild_ = window;
    window->refit();
    // The coordinates shown were another window's; the View marks become
    // the flags of the document that is now current.
    cursorLabel_->clear();
    updateMenus();
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

void FrameWindow::watchWindow(DocumentWindow* window) {
    // A step done or undone in the current document changes what Undo and
    // Redo offer and, with the chord, the status bar.
    connect(window->undoStack(), &QUndoStack::indexChanged, this, [this, window] {
        if (window == activeChild()) updateMenus();
    });
    connect(window, &DocumentWindow::cursorMoved, this,
            [this, window](double x, double y, bool inside) { showCursorPosition(window, x, y, inside); });
    // Picking a rib of the wing changes the chord the status bar shows.
    connect(window, &DocumentWindow::shownRibChanged, this, [this, window] {
        if (window == activeChild()) updateMenus();
    });
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

void FrameWindow::showDocumentMessage(const char* text, const char* caption) {
    if (platform::Dialogs* dialogs = platform::dialogs())
        dialogs->messageBox(activeChild(), text, caption, platform::MessageIcon::Warning);
}

QPrinter& FrameWindow::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        preparePrinter(*printer_);
    }
    return *printer_;
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

void FrameWindow::closeAll() {
    if (askAllDocumentWindows()) {
        closeAllDocumentWindows();
        mdi_->show();
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
    frameSettings().setValue(kFrameGeometryKey, saveGeometry());
    event->accept();
}

} // namespace parvelin::app
