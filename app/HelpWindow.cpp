// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
    setSource(QUrl::fromLocalFile(indexPath));
    resize(900, 700);
}

} // namespace parvelin::app
