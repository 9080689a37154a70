#include "app/DocumentWindow.h"

#include <QCoreApplication>
#include <QTimer>

#include <QCloseEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QStringDecoder>

#include "app/AppIcons.h"
#include "app/PainterDeviceContext.h"
#include "document/RibDesignFile.h"
#include "platform/Services.h"
#include "resources/Strings.h"

namespace parvelin::app {

namespace {
constexpr const char* kSaveCaption = "Save";
constexpr const char* kSaveDialogTitle = "Save Rib Design";

// A file name for a rib design that has none yet, from the airfoil's name.
QString suggestedFileName(const QString& name) {
    QString base;
    for (const QChar c : name) base += (c.isPrint() && !QStringLiteral("/\\:*?\"<>|").contains(c)) ? c : QChar('_');
    base = base.simplified().left(80);
    if (base.isEmpty()) base = QStringLiteral("rib");
    return base + QString::fromLatin1(kRibDesignExtension);
}
} // namespace

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
    setWindowTitle(QString::fromStdString(resources::loadString(resources::kStringUntitled)) +
                   QStringLiteral("[*]"));
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

QString shownTitle(const QWidget* window) {
    const QString title = window->windowTitle();
    const QString placeholder = QStringLiteral("[*]");
    QString shown;
    for (qsizetype i = 0; i < title.size();) {
        if (title.mid(i, 6) == placeholder + placeholder) {
            shown += placeholder;
            i += 6;
        } else if (title.mid(i, 3) == placeholder) {
            if (window->isWindowModified()) shown += QLatin1Char('*');
            i += 3;
        } else {
            shown += title[i++];
        }
    }
    return shown;
}

// The title ends in Qt's placeholder for the modified mark.
void DocumentWindow::setTitle(const std::string& title) { setWindowTitle(windowTitleFor(title) + QStringLiteral("[*]")); }

void DocumentWindow::refit() {
    if (document_ && document_->isLoaded()) document_->fitToWindow();
    invalidate(true);
}

bool DocumentWindow::mayClose() {
    if (closeAgreed_ || !isModified()) return true;
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kSaveCaption), QStringLiteral("Do you want to save?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        if (!save()) return false;
        break;
    case QMessageBox::Discard: break;
    default: return false;
    }
    closeAgreed_ = true;
    return true;
}

bool DocumentWindow::openFile(const QString& path) {
    if (!document_ || document_->isLoaded()) return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // As with every file dialog, the file's folder becomes the current one.
    const std::string fileName = enterFolderOf(absolute.toStdString());
    if (isRibDesignPath(fileName)) {
        const RibDesignRead read = readRibDesignFile(fileName);
        if (!read.loaded) {
            if (platform::Dialogs* dialogs = platform::dialogs())
                dialogs->messageBox(nullptr, "The rib design could not be opened:\n" + read.error + ".\nNothing was loaded...",
                                    "", platform::MessageIcon::Error);
            return false;
        }
        loadDesign(*document_, read.design, this);
        filePath_ = absolute;
    } else {
        if (document_->loadFile(fileName, this) != ReadStatus::Loaded) return false;
        filePath_.clear();
    }
    setModified(false);
    emit fileUsed(absolute);
    return true;
}

bool DocumentWindow::save() {
    if (!document_ || !document_->isLoaded()) {
        if (platform::Dialogs* dialogs = platform::dialogs())
            dialogs->messageBox(this, kMessageSaveNeedsDocument, kSaveCaption, platform::MessageIcon::Warning);
        return false;
    }
    if (filePath_.isEmpty()) return saveAs();
    return writeTo(filePath_);
}

bool DocumentWindow::saveAs() {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return false;
    if (!document_ || !document_->isLoaded()) {
        dialogs->messageBox(this, kMessageSaveNeedsDocument, kSaveCaption, platform::MessageIcon::Warning);
        return false;
    }
    platform::FileDialogSettings settings;
    settings.title = kSaveDialogTitle;
    settings.filters = {{"Parvelin rib designs", "*.parvelin"}};
    settings.defaultExtension = "parvelin";
    settings.confirmOverwrite = true;
    if (filePath_.isEmpty()) {
        settings.initialFolder = currentFolderForDialog();
        QString name = windowTitleFor(document_->getName().value_or(std::string()));
        name.replace(QStringLiteral("[*][*]"), QStringLiteral("[*]"));
        settings.initialFileName = suggestedFileName(name).toStdString();
    } else {
        const QFileInfo file(filePath_);
        settings.initialFolder = file.absolutePath().toStdString() + "/";
        settings.initialFileName = file.fileName().toStdString();
    }
    const std::optional<std::string> chosen = dialogs->saveFile(this, settings);
    if (!chosen) return false;
    QString path = QFileInfo(QString::fromStdString(*chosen)).absoluteFilePath();
    if (!isRibDesignPath(path.toStdString())) {
        // The name gets its extension; the dialog only asked about the name as typed.
        path += QString::fromLatin1(kRibDesignExtension);
        if (QFileInfo::exists(path) &&
            QMessageBox::question(this, QString::fromLatin1(kSaveDialogTitle),
                                  QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                      .arg(QFileInfo(path).fileName())) != QMessageBox::Yes)
            return false;
    }
    enterFolderOf(path.toStdString());
    return writeTo(path);
}

bool DocumentWindow::writeTo(const QString& path) {
    const bool existed = QFileInfo::exists(path);
    const ReplaceResult result = writeRibDesignFile(path.toStdString(), designOf(*document_));
    if (!result.written) {
        if (platform::Dialogs* dialogs = platform::dialogs())
            dialogs->messageBox(this,
                                "The rib design could not be saved to\n" + path.toStdString() + ":\n" + result.error +
                                    ".\n" + (existed ? "The file there was left as it was." : "Nothing was saved."),
                                kSaveCaption, platform::MessageIcon::Error);
        return false;
    }
    filePath_ = path;
    setModified(false);
    emit fileUsed(path);
    return true;
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
    // Closed on its own (not by Close All or Exit, which ask first), a
    // modified window asks whether to save.
    if (!mayClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    // A closed window has no document; the frame's current document, taken
    // from this window, is gone with it.
    if (event->isAccepted()) destroyDocument();
}

} // namespace parvelin::app
