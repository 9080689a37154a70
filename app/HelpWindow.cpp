// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

#include "app/AppIcons.h"

namespace parvelin::app {

QString manualIndexPath() {
    const QStringList candidates{
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/parvelin/manual/index.html"),
        QStringLiteral(PARVELIN_MANUAL_SOURCE_DIR "/index.html"),
    };
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile()) return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    return {};
}

HelpWindow::HelpWindow(const QString& indexPath, QWidget* parent) : QTextBrowser(parent) {
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Parvelin Help"));
    setWindowIcon(frameIcon());
    // Links to other sites go to the desktop's browser; the manual's own
    // pages and pictures stay here.
    setOpenExternalLinks(true);
    setSearchPaths({QFileInfo(indexPath).absolutePath()});

    bar_ = new QToolBar(this);
    back_ = bar_->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    back_->setShortcut(QKeySequence::Back);
    forward_ = bar_->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Forward"));
    forward_->setShortcut(QKeySequence::Forward);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QAction::triggered, this, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, this, &QTextBrowser::forward);
    connect(this, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(this, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    bar_->addSeparator();
    bar_->addWidget(new QLabel(QStringLiteral("Find: "), bar_));
    search_ = new QLineEdit(bar_);
    search_->setPlaceholderText(QStringLiteral("words in this page"));
    search_->setClearButtonEnabled(true);
    search_->setMaximumWidth(260);
    bar_->addWidget(search_);
    // Enter finds the next place; the box turns red while the page does not hold the words.
    connect(search_, &QLineEdit::returnPressed, this, [this] {
        const bool found = search_->text().isEmpty() || findInPage(search_->text());
        search_->setStyleSheet(found ? QString() : QStringLiteral("QLineEdit { background: #ffd0d0; }"));
    });
    auto* find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, search_, [this] {
        search_->setFocus();
        search_->selectAll();
    });
    addAction(find);
    setViewportMargins(0, bar_->sizeHint().height(), 0, 0);

    setSource(QUrl::fromLocalFile(indexPath));
    resize(900, 700);
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QTextBrowser::resizeEvent(event);
    // The bar sits in the margin kept free above the page.
    const int top = frameWidth();
    bar_->setGeometry(top, top, width() - 2 * top, bar_->sizeHint().height());
}

bool HelpWindow::findInPage(const QString& words) {
    if (words.isEmpty()) return false;
    if (find(words)) return true;
    // From the top once more.
    QTextCursor start = textCursor();
    start.movePosition(QTextCursor::Start);
    setTextCursor(start);
    return find(words);
}

} // namespace parvelin::app
