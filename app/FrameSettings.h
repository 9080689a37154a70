// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the frame's command files share: the user's settings, the question
// File > Export asks before it replaces a file, and a check's text as a
// sentence of a message box.
#include <QSettings>
#include <QWidget>
#include <string>

#include "commands/FileCommands.h"

namespace parvelin::app {

inline QSettings frameSettings() { return QSettings(QStringLiteral("Parvelin"), QStringLiteral("Parvelin")); }

// Yes replaces the file, No leaves it as it was.
ReplaceQuestion replaceQuestion(QWidget* owner);

// A check's text ("kerf 5 mm must be ...") as a sentence: "The kerf ... ."
inline std::string userSentence(const std::string& problem) { return "The " + problem + "."; }

} // namespace parvelin::app
