// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rows and columns the dialogs lay their boxes out in: a box with its unit,
// a column of settings with a note below, and a preview column with an
// optional choice of what it shows.
#include <QString>
#include <QStringList>
#include <initializer_list>

class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QVBoxLayout;
class QWidget;

namespace parvelin::dialogs {

// The widgets side by side, then `unit` as a label (none when it is empty),
// then a stretch.
QHBoxLayout* unitRow(std::initializer_list<QWidget*> widgets, const QString& unit, QWidget* parent);

// The form with a word-wrapped note below it, at most `maxWidth` wide.
QWidget* settingsColumn(QFormLayout* form, const QString& note, int maxWidth, QWidget* parent);

// The preview's column: when there is more than one `choices`, a row of
// `caption` and a box to pick one (returned through `choice`, otherwise set
// to null), then `preview` and each of `below`.
QVBoxLayout* previewColumn(const QString& caption, const QStringList& choices, QComboBox*& choice, QWidget* preview,
                           std::initializer_list<QWidget*> below, QWidget* parent);

} // namespace parvelin::dialogs
