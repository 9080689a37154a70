// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sample designs shipped with the program: a single rib and a wing panel,
// with the airfoils they use. Installed in share/parvelin/samples beside the
// program's bin folder; a program run from the build tree finds them in the
// source tree.
#include <QString>
#include <QStringList>

namespace parvelin::app {

// The folder holding the samples, or empty when neither place has it.
QString samplesFolder();

struct Sample {
    QString path;         // absolute
    QString title;        // what the start page calls it
    QString description;  // one line on what it shows
};

// Every rib design in the samples folder, the wing panel first.
QList<Sample> samples();

// The wing panel sample, or empty when it is not there.
QString sampleWingPath();

// True for a file inside the samples folder: it opens as a copy, so that
// Save asks for a name rather than writing over the sample.
bool isSamplePath(const QString& path);

} // namespace parvelin::app
