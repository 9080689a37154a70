// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame: the main window with the menu bar, the toolbar and the MDI area
// that holds the document windows. Every command is one QAction, made from
// the command table (FrameActions.cpp); the menus, the toolbar and the keys
// all use that action, and updateMenus() alone decides which are enabled and
// checked. The members are defined by subject: FrameWindow.cpp (the window
// and its document windows), FrameActions.cpp (the actions and the
// dispatch), FrameFiles.cpp (open, import, recent files), FrameExport.cpp
// (print, export, cutting), FrameWing.cpp (the wing commands) and
// FrameAirfoils.cpp (NACA sections and the airfoil browser).
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

    // Runs the command `id` as its menu item does (whether or not the item
    // is enabled: each command checks what it acts on); ids from
    // kFirstChildId on activate the listed window, other ids do nothing.
    void handleCommand(int id);
    // True when `id` is a command of the command table.
    static bool hasCommand(int id);

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
    // The command's action, shared by its menu item, toolbar button and keys.
    QAction* action(int id) const;
    QMenu* windowMenu() const { return windowMenu_; }
    // The printer Print and Print Preview share, with the page setup last
    // chosen in either.
    QPrinter& printer();
    // Brings the Window menu's list of document windows up to date (done
    // each time the menu opens).
    void refreshWindowList();
    const QList<QAction*>& windowListActions() const { return windowList_; }

    // Enables each command's action by what it needs from the current
    // document (a window, a loaded rib, a step to undo or redo), checks the
    // View items by the document's flags, and brings the status bar's
    // airfoil text, an open 3D view and the start page up to date.
    void updateMenus();
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
    // What a command needs from the current document to be enabled.
    enum class CommandNeed { Nothing, Window, Rib, UndoStep, RedoStep };
    // The document flag a checkable View item shows and toggles.
    enum class ViewMark { None, ChordLine, EdgeLines, CamberLine, CutOutline };
    // One row of the command table: the traits of one command id.
    struct Command {
        int id;
        CommandNeed need;
        ViewMark mark;
        void (*run)(FrameWindow&);
    };
    static const Command kCommands[];
    static const Command* findCommand(int id);

    // FrameActions.cpp
    void buildActions();
    void buildMenus();
    bool isAvailable(CommandNeed need) const;
    static bool viewFlag(const AirfoilDocument& document, ViewMark mark);
    void toggleViewFlag(ViewMark mark);
    void copyRib();
    void show3dView();
    void showAbout();
    // The user manual's window on `page` (a file of the manual's folder).
    void showManual(const QString& page = QStringLiteral("index.html"));

    // FrameWindow.cpp
    void onSubWindowActivated(QMdiSubWindow* window);
    void watchWindow(DocumentWindow* window);
    void showCursorPosition(DocumentWindow* window, double x, double y, bool inside);
    void showDocumentMessage(const char* text, const char* caption);
    void cascade();
    void arrangeIcons();
    void closeAll();
    void activateListedWindow(int id);

    // FrameFiles.cpp
    void open();
    void save(bool askName);
    void importFile();
    // The document window showing `path`, if any.
    DocumentWindow* windowShowing(const QString& path) const;
    // Adds the folder to the titles of windows whose files share a name.
    void distinguishTitles();
    // The current document while it is empty, else that of a new window;
    // null when none could be made. `made` tells whether a window was made.
    AirfoilDocument* emptyDocument(bool* made = nullptr);
    void rebuildRecentFilesMenu();

    // FrameAirfoils.cpp: File > New from NACA... and File > Airfoil Browser...
    void newFromNaca();
    void browseAirfoils();
    void openContents(const CoordinateFileContents& contents);

    // FrameExport.cpp
    // File > Print or Print Preview of the current window's rib or wing.
    void printCurrent(bool preview);
    // File > Export: the rib's drawing, or every rib of the window's wing.
    void exportDrawing();
    // File > Export for Cutting: the rib's cut file, or the wing's sheets.
    void exportForCutting();
    // Export for Cutting of a single rib: the kerf, then the file.
    void exportSingleCutFile(const AirfoilDocument& document, DocumentWindow* window);
    void editAirfoilProperties();

    // FrameWing.cpp
    void runWingProperties();
    // File > Export while the window has a wing: every rib in one drawing.
    void exportWingSet(DocumentWindow& window);
    // File > Export for Cutting while the window has a wing: the ribs nested
    // on sheets, one file per sheet beside the chosen name.
    void exportWingSheets(DocumentWindow& window);

    QMdiArea* mdi_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    std::map<int, QAction*> actions_;
    QList<QAction*> windowList_;
    QList<QAction*> recentActions_;  // the listed files and the separator after them
    QPointer<DocumentWindow> activeChild_;
    QLabel* cursorLabel_ = nullptr;
    QLabel* airfoilLabel_ = nullptr;
    QPointer<QWidget> help_;
    std::unique_ptr<QPrinter> printer_;
    StartPage* startPage_ = nullptr;
};

} // namespace parvelin::app
