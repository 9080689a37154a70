#include "app/DocumentWindow.h"

#include <QCoreApplication>
#include <QTimer>

#include <QCloseEvent>
#include <QMessageBox>
#include <QPainter>
#include <QStringDecoder>

#include "app/AppIcons.h"
#include "painting/PainterDeviceContext.h"
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
    if (AirfoilDocument* document = owner_.document()) {
        PainterDeviceContext dc(painter);
        document->paint(dc);
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
    view_ = new DocumentView(*this);
    setWidget(view_);
    document_ = std::make_unique<AirfoilDocument>();
    document_->setWindow(this);
}

DocumentWindow::~DocumentWindow() {
    // The document retitles and invalidates its window as it goes, so it
    // goes while the window and its view still exist.
    destroyDocument();
}

void DocumentWindow::destroyDocument() {
    std::unique_ptr<AirfoilDocument> document = std::move(document_);
    document.reset();
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
