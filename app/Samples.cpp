// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Samples.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>

namespace parvelin::app {

namespace {
constexpr const char* kWingSampleFile = "wing-panel.parvelin";

struct KnownSample {
    const char* file;
    const char* title;
    const char* description;
};

// What the start page says about the samples it knows; any other design in
// the folder is listed by its file name.
constexpr std::array kKnownSamples{
    KnownSample{kWingSampleFile, "Sample wing panel",
                "A tapered panel of 9 ribs, NACA 4412 at the root to NACA 2412 at the tip, "
                "with washout and building tabs"},
    KnownSample{"single-rib.parvelin", "Sample rib",
                "One 200 mm NACA 4412 rib with LE stock, a stick spar, TE stock and sheeting"},
};
} // namespace

QString samplesFolder() {
    const QStringList candidates{
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/parvelin/samples"),
        QStringLiteral(PARVELIN_SAMPLES_SOURCE_DIR),
    };
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate + QLatin1Char('/') + QLatin1String(kWingSampleFile)).isFile())
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    return {};
}

QList<Sample> samples() {
    QList<Sample> found;
    const QString folder = samplesFolder();
    if (folder.isEmpty()) return found;
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*.parvelin")}, QDir::Files | QDir::Readable, QDir::Name);
    // The known samples in their table's order, then the rest by name.
    for (const KnownSample& known : kKnownSamples)
        if (files.contains(QLatin1String(known.file)))
            found << Sample{folder + QLatin1Char('/') + QLatin1String(known.file), QString::fromUtf8(known.title),
                            QString::fromUtf8(known.description)};
    for (const QString& file : files) {
        const bool known = std::any_of(kKnownSamples.begin(), kKnownSamples.end(),
                                       [&](const KnownSample& k) { return file == QLatin1String(k.file); });
        if (!known) found << Sample{folder + QLatin1Char('/') + file, QFileInfo(file).completeBaseName(), QString()};
    }
    return found;
}

QString sampleWingPath() {
    const QString folder = samplesFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + QLatin1String(kWingSampleFile);
}

bool isSamplePath(const QString& path) {
    const QString folder = samplesFolder();
    if (folder.isEmpty()) return false;
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    const QString canonicalFile = QFileInfo(path).canonicalFilePath();
    return !canonicalFile.isEmpty() && QFileInfo(canonicalFile).absolutePath() == canonicalFolder;
}

} // namespace parvelin::app
