// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/FormRows.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace parvelin::dialogs {

QHBoxLayout* unitRow(std::initializer_list<QWidget*> widgets, const QString& unit, QWidget* parent) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) row->addWidget(widget);
    if (!unit.isEmpty()) row->addWidget(new QLabel(unit, parent));
    row->addStretch(1);
    return row;
}

QWidget* settingsColumn(QFormLayout* form, const QString& note, int maxWidth, QWidget* parent) {
    auto* text = new QLabel(note, parent);
    text->setWordWrap(true);
    auto* column = new QVBoxLayout;
    column->addLayout(form);
    column->addWidget(text);
    column->addStretch(1);
    auto* box = new QWidget(parent);
    box->setLayout(column);
    box->setMaximumWidth(maxWidth);
    return box;
}

QVBoxLayout* previewColumn(const QString& caption, const QStringList& choices, QComboBox*& choice, QWidget* preview,
                           std::initializer_list<QWidget*> below, QWidget* parent) {
    auto* column = new QVBoxLayout;
    choice = nullptr;
    if (choices.size() > 1) {
        choice = new QComboBox(parent);
        choice->addItems(choices);
        column->addLayout(unitRow({new QLabel(caption, parent), choice}, QString(), parent));
    }
    column->addWidget(preview, 1);
    for (QWidget* widget : below) column->addWidget(widget);
    return column;
}

} // namespace parvelin::dialogs
