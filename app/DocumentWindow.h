#pragma once
// A document window of the frame: an MDI child that owns one AirfoilDocument
// for its whole life and draws it on a black client area.
#include <QMdiSubWindow>
#include <QWidget>
#include <memory>

#include "document/AirfoilDocument.h"
#include "platform/Window.h"

namespace parvelin::app {

class DocumentWindow;

// A document's name as its window title: UTF-8 when the bytes are valid
// UTF-8, otherwise Latin-1 (older airfoil files write degree signs and
// umlauts as single bytes); a "[*]" in the name is shown as it stands rather
// than taken as Qt's modified marker.
QString windowTitleFor(const std::string& name);

// The client area: what the document is fitted to and painted on.
class DocumentView : public QWidget {
    Q_OBJECT
public:
    explicit DocumentView(DocumentWindow& owner);
    QSize sizeHint() const override { return {650, 400}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    DocumentWindow& owner_;
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

    // The modified flag: cleared at creation; nothing in the program sets it
    // yet (there is no Save), but a modified window asks before it closes.
    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    // Whether the window agrees to close: always, unless it is modified and
    // the user answers Cancel to "Do you want to save?".
    bool mayClose();

protected:
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void destroyDocument();

    DocumentView* view_ = nullptr;
    std::unique_ptr<AirfoilDocument> document_;
    bool modified_ = false;
};

} // namespace parvelin::app
