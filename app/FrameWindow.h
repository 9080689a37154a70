// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame: the main window with the menu bar, the accelerators and the MDI
// area that holds the document windows. Every menu item and accelerator
// sends its command id to handleCommand.
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

#include "app/DocumentWindow.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QMimeData;
class QPrinter;

namespace parvelin::app {
class StartPage;
}

namespace parvelin::app {

class FrameWindow : public QMainWindow {
    Q_OBJECT
public:
    FrameWindow();
    ~FrameWindow() override;

    // Shows the frame with the start page where it was last closed, else
    // over the screen's work area, its frame (and so its status bar) inside it.
    void start();
    // Moves and shrinks the frame, title bar and borders included, into the
    // screen's work area when it reaches out of it.
    void keepInsideWorkArea();

    // The command handler: one branch per command id of the menu and the
    // accelerator table; ids from kFirstChildId on activate the listed window.
    void handleCommand(int id);

    // Open for a path given on the command line (and for the file chosen in
    // File > Open): activates the window already showing it; otherwise loads
    // it into the current document when that is empty, into a new window
    // otherwise (a window made for a file that is refused goes again).
    void openPath(const QString& path);

    // The active document window and its document, the current document;
    // null when there is none.
    DocumentWindow* activeChild() const;
    AirfoilDocument* currentDocument() const;

    QList<DocumentWindow*> documentWindows() const;
    DocumentWindow* createDocumentWindow();
    // True when every document window agrees to close.
    bool askAllDocumentWindows();
    void closeAllDocumentWindows();

    // The files last opened or saved, newest first, at most kMaxRecentFiles;
    // kept in the user's settings and listed in the File menu above Exit.
    static constexpr int kMaxRecentFiles = 8;
    QStringList recentFiles() const;
    void addRecentFile(const QString& path);
    const QList<QAction*>& recentFileActions() const { return recentActions_; }

    QMdiArea* mdiArea() const { return mdi_; }
    QAction* action(int id) const;
    QMenu* windowMenu() const { return windowMenu_; }
    // The printer Print and Print Preview share, with the page setup last
    // chosen in either.
    QPrinter& printer();
    // Brings the Window menu's list of document windows up to date (done
    // each time the menu opens).
    void refreshWindowList();
    const QList<QAction*>& windowListActions() const { return windowList_; }

    // Brings the items that follow the current document (Undo, Redo, Copy,
    // the View items) and the status bar's airfoil text up to date.
    void updateCommandState();
    // The status bar: the model point under the cursor, and the current
    // airfoil's name, chord and point count.
    QLabel* cursorLabel() const { return cursorLabel_; }
    QLabel* airfoilLabel() const { return airfoilLabel_; }
    // The user manual's window, once Help > Contents has opened it.
    QWidget* helpWindow() const { return help_; }
    // The page shown while no document is open.
    StartPage* startPage() const { return startPage_; }

signals:
    // Every command id that reaches the handler, before it is acted on.
    void commandReceived(int id);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void buildAccelerators();
    void onSubWindowActivated(QMdiSubWindow* window);
    void enableItem(int id);
    void setItemChecked(int id, bool checked);
    void toggleViewFlag(int id);
    void showViewFlagsOf(const AirfoilDocument* document);
    void showDocumentMessage(const char* text, const char* caption);
    void open();
    // The document window showing `path`, if any.
    DocumentWindow* windowShowing(const QString& path) const;
    // Adds the folder to the titles of windows whose files share a name.
    void distinguishTitles();
    void importFile();
    // File > New from NACA... and File > Airfoil Browser... (FrameAirfoils.cpp).
    void newFromNaca();
    void browseAirfoils();
    void openContents(const CoordinateFileContents& contents);
    void cascade();
    void arrangeIcons();
    void activateListedWindow(int id);
    void rebuildRecentFilesMenu();
    void runWingProperties();
    // File > Export while the window has a wing: every rib in one drawing.
    void exportWingSet(DocumentWindow& window);
    // File > Export for Cutting while the window has a wing: the ribs nested
    // on sheets, one file per sheet beside the chosen name.
    // File > Print or Print Preview of the current window's rib or wing.
    void printCurrent(bool preview);
    // Export for Cutting of a single rib: the kerf, then the file.
    void exportSingleCutFile(const AirfoilDocument& document, DocumentWindow* window);
    void exportWingSheets(DocumentWindow& window);
    // Wing Properties is offered while the current document has an airfoil.
    void updateWingItem();
    void watchWindow(DocumentWindow* window);
    void showCursorPosition(DocumentWindow* window, double x, double y, bool inside);
    void copyRib();
    // The user manual's window on `page` (a file of the manual's folder).
    void showManual(const QString& page = QStringLiteral("index.html"));

    QMdiArea* mdi_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    std::map<int, QAction*> actions_;
    // The check mark each checkable item should show; Qt flips a checkable
    // action on its own when it is triggered, and the handler puts it back.
    std::map<int, bool> checked_;
    QList<QAction*> windowList_;
    QMenu* fileMenu_ = nullptr;
    QList<QAction*> recentActions_;  // the listed files and the separator after them
    QPointer<DocumentWindow> activeChild_;
    QLabel* cursorLabel_ = nullptr;
    QLabel* airfoilLabel_ = nullptr;
    QPointer<QWidget> help_;
    std::unique_ptr<QPrinter> printer_;
    StartPage* startPage_ = nullptr;
};

} // namespace parvelin::app
