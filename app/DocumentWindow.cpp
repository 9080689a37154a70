// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DocumentWindow.h"

#include <QCoreApplication>
#include <QTimer>

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>
#include <QMessageBox>
#include <QPainter>
#include <QStringDecoder>

#include <QVBoxLayout>

#include "app/AppIcons.h"
#include "commands/FileCommands.h"
#include "components/LighteningHoles.h"
#include "document/RibDesignFile.h"
#include "wing/WingDesign.h"
#include "painting/PainterDeviceContext.h"
#include "platform/Services.h"
#include "app/Samples.h"
#include "app/WingPane.h"
#include "geom/ViewTransform.h"
#include "resources/Strings.h"
#include "geom/Units.h"

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

DocumentWindow::DocumentWindow(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(documentIcon());
    setWindowTitle(QString::fromStdString(resources::loadString(resources::kStringUntitled)) +
                   QStringLiteral("[*]"));
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
    undo_ = new QUndoStack(this);
    // Every step done, undone or redone changes the rib; undoing or redoing
    // a change of the properties reaches every rib of the wing.
    connect(undo_, &QUndoStack::indexChanged, this, [this] {
        setWindowModified(changedOutsideUndo_ || !undo_->isClean());
        if (wing_) rebuildWing();
        invalidate(true);
    });
    document_ = std::make_unique<AirfoilDocument>();
}

void DocumentWindow::setModified(bool modified) {
    changedOutsideUndo_ = modified;
    if (!modified) undo_->setClean();
    setWindowModified(changedOutsideUndo_ || !undo_->isClean());
}

DocumentWindow::~DocumentWindow() { destroyDocument(); }

void DocumentWindow::destroyDocument() {
    ribScreen_.reset();
    screen_.clear();
    // The steps act on the document: they go first.
    if (undo_ != nullptr) undo_->clear();
    std::unique_ptr<AirfoilDocument> document = std::move(document_);
    document.reset();
}

void DocumentWindow::setWing(std::optional<dialogs::WingSettings> wing) {
    // The wing is saved with the design but lives outside the undo stack.
    const bool changed = wing_.has_value() || wing.has_value();
    // A wing newly set shows its root rib (with its tabs) in the view.
    if (!wing_ && wing) selectedRib_ = 0;
    wing_ = std::move(wing);
    rebuildWing();
    if (changed) setModified(true);
}

void DocumentWindow::rebuildWing() {
    if (!wing_ || !document_ || !document_->isLoaded()) {
        ribSet_ = {};
        selectedRib_ = -1;
        ribScreen_.reset();
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
    wingPane_->showWing(ribSet_, wing_->panel, keep, inMillimetres(document_->properties()));
    selectRib(keep);
}

void DocumentWindow::selectRib(int index) {
    ribScreen_.reset();
    selectedRib_ = index >= 0 && index < static_cast<int>(ribSet_.ribs.size()) ? index : -1;
    // The rib on show fits the view on its own, through a window that keeps
    // the window's title as it is.
    if (selectedRib_ >= 0 && !ribSet_.ribs[static_cast<std::size_t>(selectedRib_)].points.empty())
        ribScreen_ = ViewTransform::forWindow(ribWindow_, 0.0f);
    if (wing_) wingPane_->plan()->setWing(&ribSet_, &wing_->panel, selectedRib_);
    invalidate(true);
    emit shownRibChanged();
}

RibPicture DocumentWindow::shownPicture() const {
    if (const wing::WingRib* rib = shownRib()) {
        // The rib on show takes every view choice of the document's window.
        RibPicture picture = document_->picture();
        return RibPicture{*rib, picture.flags, rib->name(), true};
    }
    return document_->picture();
}

const std::optional<ViewTransform>& DocumentWindow::shownTransform() const {
    if (shownRib() != nullptr) return ribScreen_;
    static const std::optional<ViewTransform> none;
    return document_ ? screen_.transform() : none;
}

const wing::WingRib* DocumentWindow::shownRib() const {
    if (selectedRib_ < 0 || selectedRib_ >= static_cast<int>(ribSet_.ribs.size())) return nullptr;
    return &ribSet_.ribs[static_cast<std::size_t>(selectedRib_)];
}

platform::Rect DocumentWindow::clientRect() const {
    if (view_ == nullptr) return {};
    return {0, 0, view_->width(), view_->height()};
}

void DocumentWindow::invalidate(bool) {
    if (view_ != nullptr) view_->update();
}

namespace {

// UTF-8 when the bytes are valid UTF-8, otherwise Latin-1.
QString decodedName(const std::string& name) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArrayView(name.data(), static_cast<qsizetype>(name.size())));
    if (utf8.hasError()) text = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    return text;
}

} // namespace

QString windowTitleFor(const std::string& name) {
    QString title = decodedName(name);
    // Qt shows one "[*]" for every two in a row.
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return title;
}

namespace {

// Two decimals, never "-0.00".
QString twoDecimals(double value) {
    QString text = QString::number(value, 'f', 2);
    if (text == QStringLiteral("-0.00")) text.remove(0, 1);
    return text;
}

QString unitOf(const RibProperties& properties) {
    return QString::fromLatin1(geom::unitTraits(geom::unitOfFlag(properties.metric)).name);
}

} // namespace

QString airfoilStatusText(const RibPicture& shown) {
    const Rib& rib = shown.rib;
    const QString name = decodedName(shown.name).trimmed();
    QString text = QStringLiteral("%1   chord %2 %3   %4 points")
                       .arg(name, twoDecimals(rib.properties.chord), unitOf(rib.properties))
                       .arg(rib.points.size());
    // The rib's area, its holes' share and its weight, as info prints them.
    if (rib.cut.outline.size() >= 3)
        text += QStringLiteral("   ") +
                QString::fromStdString(ribWeightText(ribWeight(rib.cut.outline, rib.lighteningHoles, rib.properties)));
    return text;
}

QString cursorStatusText(const Rib& rib, double modelX, double modelY) {
    const double chord = rib.properties.chord;
    const QString unit = unitOf(rib.properties);
    return QStringLiteral("x %1 %2   y %3 %4")
        .arg(twoDecimals(modelX * chord), unit, twoDecimals(modelY * chord), unit);
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

// The document names its airfoil; the title is the file's name while the
// window shows a file, and the airfoil's name otherwise.
void DocumentWindow::setTitle(const std::string& title) {
    airfoilTitle_ = windowTitleFor(title);
    updateTitle();
}

void DocumentWindow::setTitleSuffix(const QString& suffix) {
    if (suffix == titleSuffix_) return;
    titleSuffix_ = suffix;
    updateTitle();
}

void DocumentWindow::updateTitle() {
    QString title;
    if (!sourcePath_.isEmpty())
        title = windowTitleFor(QFileInfo(sourcePath_).fileName().toStdString()) + windowTitleFor(titleSuffix_.toStdString());
    else if (!airfoilTitle_.isEmpty())
        title = airfoilTitle_;
    else
        title = QString::fromStdString(resources::loadString(resources::kStringUntitled));
    // The title ends in Qt's placeholder for the modified mark.
    setWindowTitle(title + QStringLiteral("[*]"));
}

QString DocumentWindow::documentLabel() const {
    QString title = windowTitle();
    title.chop(3);  // the modified mark's placeholder
    title.replace(QStringLiteral("[*][*]"), QStringLiteral("[*]"));
    return title;
}

std::string DocumentWindow::exportFileName() const {
    if (!sourcePath_.isEmpty()) {
        const QString stem = QFileInfo(sourcePath_).completeBaseName();
        if (!stem.isEmpty()) return (stem + QStringLiteral(".dxf")).toStdString();
    }
    // An imported coordinate file's own name, else the airfoil's.
    if (document_ && !document_->fileName().empty()) return document_->exportFileName();
    QString name = windowTitleFor(document_ ? document_->getName().value_or(std::string()) : std::string());
    name.replace(QStringLiteral("[*][*]"), QStringLiteral("[*]"));
    QString file = suggestedFileName(name);
    file.chop(QString::fromLatin1(kRibDesignExtension).size());
    return (file + QStringLiteral(".dxf")).toStdString();
}

void DocumentWindow::showDocument() {
    if (document_) setTitle(document_->getName().value_or(std::string()));
    refit();
}

void DocumentWindow::refit() {
    if (document_ && document_->isLoaded()) screen_.fit(document_->rib(), *this, document_->viewAngle());
    if (const wing::WingRib* rib = shownRib(); rib && !rib->points.empty())
        if (const std::optional<ViewTransform> fit = ViewTransform::forWindow(ribWindow_, 0.0f)) ribScreen_ = fit;
    invalidate(true);
}

void DocumentWindow::fitToWindow() {
    zoom_.reset();
    refit();
}

double DocumentWindow::viewScale() const {
    if (document_ == nullptr || !screen_.transform()) return 0.0;
    return screen_.transform()->placement().scale;
}

void DocumentWindow::zoomAbout(double factor, double x, double y) {
    if (document_ == nullptr || !document_->isLoaded() || !screen_.transform()) return;
    const std::optional<ViewTransform> fit = ViewTransform::fitToWindow(clientRect(), document_->viewAngle());
    if (!fit || !(fit->placement().scale > 0.0)) return;
    zoom_ = screen_.transform()->zoomedAbout(factor, x, y, fit->placement().scale).placement();
    refit();
}

void DocumentWindow::panBy(double dx, double dy) {
    if (document_ == nullptr || !document_->isLoaded() || !screen_.transform()) return;
    zoom_ = screen_.transform()->pannedBy(dx, dy).placement();
    refit();
}

bool DocumentWindow::mayClose() {
    if (closeAgreed_ || !isModified()) return true;
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kSaveCaption),
                    QStringLiteral("Do you want to save the changes to %1?").arg(documentLabel()),
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
        const wing::WingDesignRead withWing = wing::readDesignWithWing(fileName);
        const RibDesignRead& read = withWing.rib;
        if (!read.loaded) {
            if (platform::Dialogs* dialogs = platform::dialogs())
                dialogs->messageBox(nullptr, "The rib design could not be opened:\n" + read.error + ".\nNothing was loaded...",
                                    "", platform::MessageIcon::Error);
            return false;
        }
        loadDesign(*document_, read.design);
        showDocument();
        if (withWing.wing) {
            dialogs::WingSettings settings;
            settings.panel = withWing.wing->panel;
            settings.tipAirfoilPath = withWing.wing->tipName;
            for (const CoordinatePair& c : withWing.wing->tipPoints) {
                AirfoilPoint point;
                point.modelX = c.modelX;
                point.modelY = c.modelY;
                settings.tipSection.push_back(point);
            }
            setWing(std::move(settings));
        }
        // A sample opens as a copy: its first Save asks for a name.
        filePath_ = isSamplePath(absolute) ? QString() : absolute;
    } else {
        if (loadCoordinateFile(*document_, fileName, this) != ReadStatus::Loaded) return false;
        refit();
        filePath_.clear();
    }
    sourcePath_ = absolute;
    updateTitle();
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
    std::optional<wing::WingDesign> wingDesign;
    if (wing_) {
        wingDesign.emplace();
        wingDesign->panel = wing_->panel;
        wingDesign->tipName = wing_->tipAirfoilPath;
        wingDesign->tipPoints.assign(wing_->tipSection.begin(), wing_->tipSection.end());
    }
    std::string wingError;
    const RibDesign design = wing::withWing(designOf(*document_), wingDesign, wingError);
    const ReplaceResult result =
        wingError.empty() ? writeRibDesignFile(path.toStdString(), design) : ReplaceResult{false, wingError};
    if (!result.written) {
        if (platform::Dialogs* dialogs = platform::dialogs())
            dialogs->messageBox(this,
                                "The rib design could not be saved to\n" + path.toStdString() + ":\n" + result.error +
                                    ".\n" + (existed ? "The file there was left as it was." : "Nothing was saved."),
                                kSaveCaption, platform::MessageIcon::Error);
        return false;
    }
    filePath_ = path;
    sourcePath_ = path;
    updateTitle();
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
