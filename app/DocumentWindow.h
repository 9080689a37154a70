// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A document window of the frame: an MDI child that owns one AirfoilDocument
// for its whole life and draws it on a black client area.
#include <QMdiSubWindow>
#include <QUndoStack>
#include <QWidget>
#include <memory>
#include <optional>

#include "dialogs/WingDialog.h"
#include "document/AirfoilDocument.h"
#include "platform/Window.h"
#include "view/ScreenView.h"
#include "wing/RibSet.h"

namespace parvelin::app {

class DocumentWindow;
class WingPane;

// Save and Save as without a loaded airfoil.
inline constexpr const char* kMessageSaveNeedsDocument = "You need to create or open an airfoil to\nsave a rib design.";

// A document's name as its window title: UTF-8 when the bytes are valid
// UTF-8, otherwise Latin-1 (older airfoil files write degree signs and
// umlauts as single bytes); a "[*]" in the name is shown as it stands rather
// than taken as Qt's modified marker.
QString windowTitleFor(const std::string& name);

// A window's title as its title bar shows it: Qt's "[*]" placeholder becomes
// "*" while the window is modified and nothing otherwise ("[*][*]" is a
// "[*]" in the name).
QString shownTitle(const QWidget* window);

// The status bar's texts for a loaded document: its name, chord and point
// count; and a model point (fractions of the chord) in the chord's unit with
// two decimals.
QString airfoilStatusText(const RibPicture& shown);
QString cursorStatusText(const Rib& rib, double modelX, double modelY);

// The client area: what the document is fitted to and painted on.
class DocumentView : public QWidget {
    Q_OBJECT
public:
    explicit DocumentView(DocumentWindow& owner);
    QSize sizeHint() const override { return {650, 400}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // Zoom about the cursor with the wheel; pan by dragging with the middle
    // button, or with the left button while Space is held.
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateCursor();

    DocumentWindow& owner_;
    bool spaceHeld_ = false;
    bool panning_ = false;
    QPointF panFrom_;
};

class DocumentWindow : public QMdiSubWindow, public platform::Window {
    Q_OBJECT
public:
    explicit DocumentWindow(QWidget* parent = nullptr);
    ~DocumentWindow() override;

    // The window's document; null once the window has been closed.
    AirfoilDocument* document() const { return document_.get(); }
    DocumentView* view() const { return view_; }

    // platform::Window: the client area is the view's.
    platform::Rect clientRect() const override;
    void invalidate(bool erase) override;
    void setTitle(const std::string& title) override;

    // Fits a loaded document to the client area again and repaints it.
    void refit();
    // Shows the document as it now is after it was loaded outside the
    // window: the airfoil's name for a title, fitted, repainted.
    void showDocument();
    // View > Fit to Window: back to the whole airfoil across the window,
    // which every resize then keeps doing.
    void fitToWindow();
    // Zooming and panning: the model point under client pixel (x, y) stays
    // there while the scale grows by `factor`; panning moves the drawing by
    // (dx, dy) pixels. Either leaves the fit: resizes keep the view.
    void zoomAbout(double factor, double x, double y);
    void panBy(double dx, double dy);
    // How many pixels per chord the window shows; 0 while nothing is fitted.
    double viewScale() const;
    // The document's own view: its fit or the window's zoom.
    const ScreenView& screen() const { return screen_; }
    // platform::Window: the window's own mapping once zoomed or panned.
    std::optional<platform::ZoomedView> zoomedView() const override { return zoom_; }

    // The document's changes, one step each: the property sheet's OK and
    // whatever else edits the document. Its clean state (cleanChanged) is
    // the state the document was last saved or opened in.
    QUndoStack* undoStack() const { return undo_; }

    // The modified flag, shown in the title as "*": the undo stack away from
    // its clean state (undoing back to the saved rib clears it again), or a
    // change made outside the stack (the view flags). Saving or opening
    // clears both: the stack's present state becomes the clean one.
    bool isModified() const { return isWindowModified(); }
    void setModified(bool modified);
    // Whether the window agrees to close: always when it is not modified;
    // otherwise the user is asked "Do you want to save?": Save saves (and
    // refuses when the save does not happen), Discard agrees, Cancel refuses.
    bool mayClose();
    // Whether the user has already agreed to close this window.
    void setCloseAgreed(bool agreed) { closeAgreed_ = agreed; }

    // The rib design file the document was opened from or last saved to;
    // empty for a new document or one read from a coordinate file.
    const QString& filePath() const { return filePath_; }
    // The file the window shows (absolute): the coordinate file or rib
    // design it was opened from, or the design it was last saved to; empty
    // for a document that came from no file. The title is this file's name;
    // the airfoil's name is in the status bar.
    const QString& sourcePath() const { return sourcePath_; }
    // What follows the file's name in the title, so that two windows of
    // files with the same name in different folders are told apart.
    void setTitleSuffix(const QString& suffix);
    // The document's name for prompts: the title without the modified mark.
    QString documentLabel() const;
    // The name File > Export offers: the design's or the coordinate file's
    // name with ".dxf", else the airfoil's name.
    std::string exportFileName() const;

    // Loads `path` into this window's empty document: a rib design (by its
    // ".parvelin" name) or a coordinate file. A refused file is explained in
    // an error box. Emits fileUsed on success.
    bool openFile(const QString& path);
    // File > Save: writes the rib design file; the first save of a document
    // asks for a name as saveAs does. True when the file was written.
    bool save();
    // File > Save as: asks for a name (confirming before replacing a file),
    // then writes the rib design there.
    bool saveAs();

signals:
    // A file was opened into this window or saved from it (absolute path).
    void fileUsed(const QString& path);

public:
    // --- The wing: a panel whose root rib is this window's document ---
    const std::optional<dialogs::WingSettings>& wing() const { return wing_; }
    // Sets or (with nothing) removes the panel and builds its rib set.
    void setWing(std::optional<dialogs::WingSettings> wing);
    // Builds the rib set again from the document, as after its properties changed.
    void rebuildWing();
    const wing::RibSet& ribSet() const { return ribSet_; }
    // The rib shown in the view: -1 for the document's own rib.
    int selectedRib() const { return selectedRib_; }
    void selectRib(int index);
    // What the view draws: the selected wing rib, else the document's own
    // rib, with the document's view flags; the window must hold a document.
    RibPicture shownPicture() const;
    // The fit of what the view draws; none before the first fit.
    const std::optional<ViewTransform>& shownTransform() const;
    const wing::WingRib* shownRib() const;
    WingPane* wingPane() const { return wingPane_; }
signals:
    // The cursor over the client area, at a model point (fractions of the
    // chord); inside false when it left the area or nothing is fitted.
    void cursorMoved(double modelX, double modelY, bool inside);
    // Another rib of the wing (or the document's own) is now on show.
    void shownRibChanged();

protected:
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void destroyDocument();
    bool writeTo(const QString& path);
    void updateTitle();

    // The selected rib's document fits to the view through this window,
    // which keeps the window's title as it is.
    class RibWindow : public platform::Window {
    public:
        explicit RibWindow(DocumentWindow& owner) : owner_(owner) {}
        platform::Rect clientRect() const override { return owner_.clientRect(); }
        void invalidate(bool erase) override { owner_.invalidate(erase); }
        void setTitle(const std::string&) override {}

    private:
        DocumentWindow& owner_;
    };

    DocumentView* view_ = nullptr;
    WingPane* wingPane_ = nullptr;
    QUndoStack* undo_ = nullptr;
    bool changedOutsideUndo_ = false;
    std::optional<platform::ZoomedView> zoom_;
    std::unique_ptr<AirfoilDocument> document_;
    ScreenView screen_;
    QString filePath_;
    QString sourcePath_;
    QString titleSuffix_;
    // The airfoil's name as the document last gave it (a title's text).
    QString airfoilTitle_;
    bool closeAgreed_ = false;
    std::optional<dialogs::WingSettings> wing_;
    wing::RibSet ribSet_;
    int selectedRib_ = -1;
    RibWindow ribWindow_{*this};
    // The selected wing rib's own fit to the view.
    std::optional<ViewTransform> ribScreen_;
};

} // namespace parvelin::app
