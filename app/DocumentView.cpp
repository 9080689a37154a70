// SPDX-License-Identifier: GPL-3.0-or-later
// The client area of a document window: it paints the rib on show, follows
// the cursor, and zooms and pans with the wheel and the mouse.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>

#include "app/DocumentWindow.h"
#include "painting/PainterDeviceContext.h"

namespace parvelin::app {
namespace {

// The zoom of one wheel notch.
constexpr double kZoomPerNotch = 1.25;

} // namespace

DocumentView::DocumentView(DocumentWindow& owner) : owner_(owner) {
    // The whole client area is painted black on every paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    // The status bar follows the cursor without a button held.
    setMouseTracking(true);
    // Space held down (for panning) reaches the view.
    setFocusPolicy(Qt::StrongFocus);
}

void DocumentView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (owner_.document() != nullptr) {
        PainterDeviceContext dc(painter);
        paintRib(dc, owner_.shownPicture(), owner_.shownTransform(), owner_.clientRect());
    }
    if (const wing::WingRib* rib = owner_.shownRib(); rib && owner_.shownTransform()) {
        // The rib's building tabs through the rib's own fit to the window.
        const ViewTransform& view = *owner_.shownTransform();
        const double c = rib->properties.chord;
        painter.setPen(QPen(QColor(128, 128, 128), 0));
        for (const wing::BuildingTab& tab : rib->tabs) {
            QPolygonF sides;
            for (const wing::Vec2& v : wing::tabSides(tab)) {
                const DevicePoint d = view.map(geom::modelFloat(v.x / c), geom::modelFloat(v.y / c));
                sides << QPointF(d.x, d.y);
            }
            painter.drawPolyline(sides);
        }
        painter.setPen(Qt::white);
        painter.setBrush(Qt::NoBrush);
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.setFont(font());
        painter.drawText(QPointF(8, 18), QString::fromStdString(rib->name()));
    }
    // For measuring start-up: PARVELIN_QUIT_AFTER_FIRST_PAINT ends the
    // program once the first document window has painted.
    static const bool quitAfterFirstPaint = qEnvironmentVariableIsSet("PARVELIN_QUIT_AFTER_FIRST_PAINT");
    if (quitAfterFirstPaint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void DocumentView::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    const QPointF at = event->position();
    if (panning_) {
        owner_.panBy(at.x() - panFrom_.x(), at.y() - panFrom_.y());
        panFrom_ = at;
    }
    // Through the fit of what is drawn: the document, or the wing's rib on show.
    const bool loaded = owner_.document() != nullptr && owner_.document()->isLoaded();
    const std::optional<ViewTransform>& view = owner_.shownTransform();
    const std::optional<ModelPosition> model = loaded && view ? view->modelAt(at.x(), at.y()) : std::nullopt;
    if (model)
        emit owner_.cursorMoved(model->x, model->y, true);
    else
        emit owner_.cursorMoved(0.0, 0.0, false);
}

void DocumentView::wheelEvent(QWheelEvent* event) {
    // One notch (120 eighths of a degree) zooms by a quarter; finer wheels
    // and touchpads zoom by their share of a notch.
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    const QPointF at = event->position();
    owner_.zoomAbout(std::pow(kZoomPerNotch, delta / 120.0), at.x(), at.y());
    event->accept();
}

void DocumentView::mousePressEvent(QMouseEvent* event) {
    const bool pan = event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_);
    if (!pan) {
        QWidget::mousePressEvent(event);
        return;
    }
    panning_ = true;
    panFrom_ = event->position();
    updateCursor();
    event->accept();
}

void DocumentView::mouseReleaseEvent(QMouseEvent* event) {
    if (panning_ && !(event->buttons() & (Qt::MiddleButton | Qt::LeftButton))) {
        panning_ = false;
        updateCursor();
    }
    QWidget::mouseReleaseEvent(event);
}

void DocumentView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat()) {
            spaceHeld_ = true;
            updateCursor();
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DocumentView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat()) {
            spaceHeld_ = false;
            updateCursor();
        }
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void DocumentView::focusOutEvent(QFocusEvent* event) {
    // A Space released in another window never reaches this one.
    spaceHeld_ = false;
    updateCursor();
    QWidget::focusOutEvent(event);
}

void DocumentView::updateCursor() {
    if (panning_)
        setCursor(Qt::ClosedHandCursor);
    else if (spaceHeld_)
        setCursor(Qt::OpenHandCursor);
    else
        unsetCursor();
}

void DocumentView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit owner_.cursorMoved(0.0, 0.0, false);
}

void DocumentView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    owner_.refit();
}

} // namespace parvelin::app
