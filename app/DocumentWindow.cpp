#include "app/DocumentWindow.h"

#include <QCoreApplication>
#include <QTimer>

#include <QCloseEvent>
#include <QMessageBox>
#include <QPainter>
#include <QStringDecoder>

#include <QVBoxLayout>

#include "app/AppIcons.h"
#include "app/PainterDeviceContext.h"
#include "app/WingPane.h"
#include "view/ViewTransform.h"
#include "resources/Strings.h"

namespace parvelin::app {

DocumentView::DocumentView(DocumentWindow& owner) : owner_(owner) {
    // The whole client area is painted black on every paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
}

void DocumentView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (AirfoilDocument* document = owner_.shownDocument()) {
        PainterDeviceContext dc(painter);
        document->paint(dc);
    }
    const AirfoilDocument* shown = owner_.shownDocument();
    if (const wing::WingRib* rib = owner_.shownRib(); rib && shown->screenTransform()) {
        // The rib's building tabs through the rib's own fit to the window.
        const ViewTransform& view = *shown->screenTransform();
        const double c = rib->properties.chord;
        painter.setPen(QPen(QColor(128, 128, 128), 0));
        for (const wing::BuildingTab& tab : rib->tabs) {
            QPolygonF sides;
            for (std::size_t i : {std::size_t{4}, std::size_t{0}, std::size_t{1}, std::size_t{2}}) {
                const DevicePoint d = view.map(geom::modelFloat(tab.polygon[i].x / c), geom::modelFloat(tab.polygon[i].y / c));
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

void DocumentView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    owner_.refit();
}

DocumentWindow::DocumentWindow(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(documentIcon());
    setWindowTitle(QString::fromStdString(resources::loadString(resources::kStringUntitled)));
    auto* body = new QWidget;
    view_ = new DocumentView(*this);
    wingPane_ = new WingPane(body);
    wingPane_->hide();
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_, 3);
    layout->addWidget(wingPane_, 2);
    setWidget(body);
    connect(wingPane_, &WingPane::ribSelected, this, &DocumentWindow::selectRib);
    document_ = std::make_unique<AirfoilDocument>();
    document_->setWindow(this);
}

DocumentWindow::~DocumentWindow() {
    // The document retitles and invalidates its window as it goes, so it
    // goes while the window and its view still exist.
    destroyDocument();
}

void DocumentWindow::destroyDocument() {
    ribDocument_.reset();
    std::unique_ptr<AirfoilDocument> document = std::move(document_);
    document.reset();
}

void DocumentWindow::setWing(std::optional<dialogs::WingSettings> wing) {
    wing_ = std::move(wing);
    rebuildWing();
}

void DocumentWindow::rebuildWing() {
    if (!wing_ || !document_ || !document_->isLoaded()) {
        ribSet_ = {};
        selectedRib_ = -1;
        ribDocument_.reset();
        wingPane_->hide();
        invalidate(true);
        return;
    }
    // The tip's washout is the document's washout field.
    wing::WingPanel panel = wing_->panel;
    panel.washout = document_->properties().washout;
    wing_->panel.washout = panel.washout;
    ribSet_ = wing::buildRibSet(panel, document_->properties(), document_->points(), wing_->tipSection);
    wingPane_->show();
    const int keep = std::min(selectedRib_, static_cast<int>(ribSet_.ribs.size()) - 1);
    selectedRib_ = -1;
    wingPane_->showWing(ribSet_, wing_->panel, keep, document_->properties().metric == 1);
    selectRib(keep);
}

void DocumentWindow::selectRib(int index) {
    ribDocument_.reset();
    selectedRib_ = index >= 0 && index < static_cast<int>(ribSet_.ribs.size()) ? index : -1;
    if (selectedRib_ >= 0) {
        const wing::WingRib& rib = ribSet_.ribs[static_cast<std::size_t>(selectedRib_)];
        CoordinateFileContents contents;
        contents.name = rib.name();
        for (const AirfoilPoint& p : rib.points) contents.drawingOrder.push_back({p.modelX, p.modelY});
        ribDocument_ = std::make_unique<AirfoilDocument>();
        ribDocument_->setShowChordLine(document_->showChordLine());
        ribDocument_->setShowEdgeLines(document_->showEdgeLines());
        ribDocument_->takeContents(contents, &ribWindow_);
        ribDocument_->applyProperties(rib.properties);
    }
    if (wing_) wingPane_->plan()->setWing(&ribSet_, &wing_->panel, selectedRib_);
    invalidate(true);
}

AirfoilDocument* DocumentWindow::shownDocument() const {
    return ribDocument_ ? ribDocument_.get() : document_.get();
}

const wing::WingRib* DocumentWindow::shownRib() const {
    if (!ribDocument_ || selectedRib_ < 0) return nullptr;
    return &ribSet_.ribs[static_cast<std::size_t>(selectedRib_)];
}

platform::Rect DocumentWindow::clientRect() const {
    if (view_ == nullptr) return {};
    return {0, 0, view_->width(), view_->height()};
}

void DocumentWindow::invalidate(bool) {
    if (view_ != nullptr) view_->update();
}

QString windowTitleFor(const std::string& name) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString title = utf8(QByteArrayView(name.data(), static_cast<qsizetype>(name.size())));
    if (utf8.hasError()) title = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    // Qt shows one "[*]" for every two in a row.
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return title;
}

void DocumentWindow::setTitle(const std::string& title) { setWindowTitle(windowTitleFor(title)); }

void DocumentWindow::refit() {
    if (document_ && document_->isLoaded()) document_->fitToWindow();
    if (ribDocument_) ribDocument_->fitToWindow();
    invalidate(true);
}

bool DocumentWindow::mayClose() {
    if (!modified_) return true;
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, QStringLiteral("Save"), QStringLiteral("Do you want to save?"),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return answer != QMessageBox::Cancel;
}

void DocumentWindow::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    refit();
}

void DocumentWindow::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    // Minimising, maximising and restoring.
    if (event->type() == QEvent::WindowStateChange) refit();
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    // A closed window has no document; the frame's current document, taken
    // from this window, is gone with it.
    if (event->isAccepted()) destroyDocument();
}

} // namespace parvelin::app
