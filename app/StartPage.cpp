// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartPage.h"

#include <QCommandLinkButton>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/AppIcons.h"
#include "app/FrameWindow.h"
#include "app/Resources.h"
#include "app/Samples.h"

namespace parvelin::app {

namespace {
QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.15);
    label->setFont(font);
    return label;
}

QCommandLinkButton* linkButton(const QString& title, const QString& description, const QString& path,
                               QWidget* parent) {
    auto* button = new QCommandLinkButton(title, description, parent);
    button->setProperty("path", path);
    button->setToolTip(QDir::toNativeSeparators(path));
    return button;
}
} // namespace

StartPage::StartPage(FrameWindow& frame) : QWidget(frame.mdiArea()->viewport()), frame_(frame) {
    setObjectName(QStringLiteral("startPage"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);

    // The page's content scrolls when the frame is small.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    auto* column = new QVBoxLayout;
    auto* centred = new QHBoxLayout(content);
    centred->addStretch(1);
    centred->addLayout(column, 3);
    centred->addStretch(1);
    addTitle(*column, content);
    addStartButtons(*column, content);
    addSamples(*column, content);
    column->addSpacing(12);
    column->addWidget(heading(QStringLiteral("Recent Files"), content));
    recentLayout_ = new QVBoxLayout;
    recentLayout_->setSpacing(0);
    column->addLayout(recentLayout_);
    noRecent_ = new QLabel(QStringLiteral("Files you open or save are listed here."), content);
    column->addWidget(noRecent_);
    column->addStretch(1);

    frame.mdiArea()->viewport()->installEventFilter(this);
    setGeometry(parentWidget()->rect());
    rebuildRecent();
}

void StartPage::addTitle(QVBoxLayout& column, QWidget* content) {
    auto* titleRow = new QHBoxLayout;
    auto* icon = new QLabel(content);
    icon->setPixmap(frameIcon().pixmap(48, 48));
    auto* title = new QLabel(QStringLiteral("Parvelin"), content);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.0);
    titleFont.setBold(true);
    title->setFont(titleFont);
    titleRow->addWidget(icon);
    titleRow->addWidget(title, 1);
    column.addSpacing(24);
    column.addLayout(titleRow);
    auto* intro = new QLabel(QStringLiteral("Design the ribs of a model-aircraft wing: open an airfoil, build the rib "
                                            "with its leading edge, spars, trailing edge and sheeting, make a tapered "
                                            "wing panel, then print the ribs at true scale or export them for a laser "
                                            "or CNC cutter."),
                             content);
    intro->setWordWrap(true);
    column.addWidget(intro);
}

void StartPage::addStartButtons(QVBoxLayout& column, QWidget* content) {
    column.addSpacing(12);
    column.addWidget(heading(QStringLiteral("Start"), content));
    // The ways to begin a document, one button each, each the menu's command.
    auto* startButtons = new QHBoxLayout;
    auto* open = new QPushButton(QStringLiteral("Open..."), content);
    open->setObjectName(QStringLiteral("startOpen"));
    open->setToolTip(QStringLiteral("Open an airfoil coordinate file (.dat) or a rib design (.parvelin)"));
    connect(open, &QPushButton::clicked, this, [this] { openThrough([this] { frame_.handleCommand(kCmdFileOpen); }); });
    open_ = open;
    startButtons->addWidget(open);
    auto* naca = new QPushButton(QStringLiteral("New from NACA..."), content);
    naca->setObjectName(QStringLiteral("startNewNaca"));
    naca->setToolTip(QStringLiteral("Make a NACA four- or five-digit section from its designation"));
    connect(naca, &QPushButton::clicked, this, [this] { openThrough([this] { frame_.handleCommand(kCmdFileNewNaca); }); });
    startButtons->addWidget(naca);
    startButtons->addStretch(1);
    column.addLayout(startButtons);
}

void StartPage::addSamples(QVBoxLayout& column, QWidget* content) {
    column.addSpacing(12);
    column.addWidget(heading(QStringLiteral("Open Sample"), content));
    const QList<Sample> found = samples();
    for (const Sample& sample : found) {
        QCommandLinkButton* button = linkButton(sample.title, sample.description, sample.path, content);
        const QString path = sample.path;
        connect(button, &QCommandLinkButton::clicked, this, [this, path] { openFile(path); });
        column.addWidget(button);
        samples_ << button;
    }
    if (found.isEmpty()) column.addWidget(new QLabel(QStringLiteral("The samples are not installed."), content));
}

bool StartPage::eventFilter(QObject* watched, QEvent* event) {
    // The page covers the whole window area.
    if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void StartPage::refresh() {
    const bool empty = frame_.documentWindows().isEmpty();
    if (empty) {
        rebuildRecent();
        raise();
    }
    setVisible(empty);
}

void StartPage::rebuildRecent() {
    const QStringList files = frame_.recentFiles();
    for (QWidget* button : recent_) button->deleteLater();
    recent_.clear();
    for (const QString& path : files) {
        const QFileInfo file(path);
        QCommandLinkButton* button =
            linkButton(file.fileName(), QDir::toNativeSeparators(file.absolutePath()), path, nullptr);
        connect(button, &QCommandLinkButton::clicked, this, [this, path] { openFile(path); });
        recentLayout_->addWidget(button);
        recent_ << button;
    }
    noRecent_->setVisible(files.isEmpty());
}

void StartPage::openFile(const QString& path) {
    openThrough([this, path] { frame_.openPath(path); });
}

void StartPage::openThrough(const std::function<void()>& open) {
    const QList<DocumentWindow*> before = frame_.documentWindows();
    open();
    for (DocumentWindow* window : frame_.documentWindows()) {
        if (before.contains(window)) continue;
        if (AirfoilDocument* document = window->document(); document && !document->isLoaded()) window->close();
    }
    refresh();
}

} // namespace parvelin::app
