// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtDialogs.h"

#include <QAbstractFileIconProvider>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QWidget>
#include <vector>

#include "dialogs/CuttingSheetDialog.h"
#include "platform/Window.h"

namespace parvelin::app {
namespace {

// Icons and type names from what a directory entry is, never from its
// contents. Qt's own provider reads a file to guess its type, which blocks for
// good on files such as /proc/kmsg as soon as the dialog shows that folder.
class PlainFileIcons : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override { return icons_.icon(type); }
    QIcon icon(const QFileInfo& info) const override {
        return icons_.icon(info.isDir() ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File);
    }
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return QStringLiteral("Folder");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper() + QStringLiteral(" File");
    }

private:
    QFileIconProvider icons_;
};

// A pattern matches its names in lower and in upper case ("*.dxf *.DXF"):
// files from other systems keep either.
QString patternsFor(const std::string& pattern) {
    const QString given = QString::fromStdString(pattern);
    if (given == "*.*") return QStringLiteral("*");
    QStringList patterns;
    for (const QString& p : given.split(';', Qt::SkipEmptyParts))
        for (const QString& each : {p.toLower(), p.toUpper()})
            if (!patterns.contains(each)) patterns << each;
    return patterns.join(' ');
}

std::optional<std::string> runFileDialog(platform::Window* owner, const platform::FileDialogSettings& settings,
                                         bool save) {
    QFileDialog dialog(widgetOf(owner));
    configureFileDialog(dialog, settings, save);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    const QString chosen = files.front();
    // The open dialog only ever hands back a file that exists.
    if (!save && settings.fileMustExist && !QFileInfo(chosen).isFile()) return std::nullopt;
    return chosen.toStdString();
}

} // namespace

QWidget* widgetOf(platform::Window* window) { return dynamic_cast<QWidget*>(window); }

QStringList nameFilters(const platform::FileDialogSettings& settings) {
    QStringList filters;
    for (const platform::FileFilter& f : settings.filters)
        filters << QString::fromStdString(f.description) + " (" + patternsFor(f.pattern) + ")";
    return filters;
}

void configureFileDialog(QFileDialog& dialog, const platform::FileDialogSettings& settings, bool save) {
    static PlainFileIcons plainIcons;
    dialog.setIconProvider(&plainIcons);
    dialog.setWindowTitle(QString::fromStdString(settings.title));
    dialog.setNameFilters(nameFilters(settings));
    if (!settings.initialFolder.empty()) dialog.setDirectory(QString::fromStdString(settings.initialFolder));
    // A pattern as the initial name only selects the filter, which is done above.
    const QString initialName = QString::fromStdString(settings.initialFileName);
    if (!initialName.isEmpty() && !initialName.contains('*') && !initialName.contains('?'))
        dialog.selectFile(initialName);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // Export never overwrites a file and says so itself; saving a rib
        // design asks before it replaces one.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.confirmOverwrite);
        if (!settings.defaultExtension.empty()) {
            dialog.setDefaultSuffix(QString::fromStdString(settings.defaultExtension));
            // A name typed without an extension takes the one of the file
            // type chosen ("*.nc": .nc), so that the type list decides the kind.
            const QStringList filters = dialog.nameFilters();
            std::vector<QString> suffixes;
            for (const platform::FileFilter& f : settings.filters) {
                const QString pattern = QString::fromStdString(f.pattern);
                suffixes.push_back(pattern.startsWith(QStringLiteral("*.")) && !pattern.contains(';') &&
                                           pattern != QStringLiteral("*.*")
                                       ? pattern.mid(2)
                                       : QString());
            }
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters, suffixes](const QString& f) {
                const qsizetype index = filters.indexOf(f);
                if (index >= 0 && !suffixes[static_cast<std::size_t>(index)].isEmpty())
                    dialog.setDefaultSuffix(suffixes[static_cast<std::size_t>(index)]);
            });
        }
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(settings.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
}

std::optional<std::string> QtDialogs::openFile(platform::Window* owner, const platform::FileDialogSettings& settings) {
    return runFileDialog(owner, settings, false);
}

std::optional<std::string> QtDialogs::saveFile(platform::Window* owner, const platform::FileDialogSettings& settings) {
    return runFileDialog(owner, settings, true);
}

QMessageBox::Icon toQtIcon(platform::MessageIcon icon) {
    switch (icon) {
    case platform::MessageIcon::None: return QMessageBox::NoIcon;
    case platform::MessageIcon::Warning: return QMessageBox::Warning;
    case platform::MessageIcon::Error: return QMessageBox::Critical;
    case platform::MessageIcon::Question: return QMessageBox::Question;
    case platform::MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

void QtDialogs::messageBox(platform::Window* owner, const std::string& text, const std::string& caption,
                           platform::MessageIcon icon) {
    // A box without a caption is titled "Error", as message boxes are.
    const QString title = caption.empty() ? QStringLiteral("Error") : QString::fromStdString(caption);
    QMessageBox box(toQtIcon(icon), title, QString::fromStdString(text), QMessageBox::Ok, widgetOf(owner));
    box.exec();
}

std::optional<platform::CuttingSheetSettings> QtDialogs::cuttingSheet(platform::Window* owner,
                                                                      const platform::CuttingSheetSettings& offered,
                                                                      const platform::CuttingSheetCheck& check) {
    return dialogs::runCuttingSheetDialog(offered, check, owner, widgetOf(owner));
}

} // namespace parvelin::app
