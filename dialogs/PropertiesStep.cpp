// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/PropertiesStep.h"

#include <QUndoStack>
#include <cstring>

#include "document/AirfoilDocument.h"

namespace parvelin::dialogs {

PropertiesStep::PropertiesStep(AirfoilDocument& document, const RibProperties& before, const RibProperties& after,
                               const QString& text)
    : QUndoCommand(text), document_(document), before_(before), after_(after) {}

void PropertiesStep::undo() { document_.applyProperties(before_); }

void PropertiesStep::redo() { document_.applyProperties(after_); }

bool sameRecord(const RibProperties& a, const RibProperties& b) {
    return std::memcmp(&a, &b, sizeof(RibProperties)) == 0;
}

bool pushPropertiesStep(QUndoStack& stack, AirfoilDocument& document, const RibProperties& after,
                        const QString& text) {
    if (sameRecord(document.properties(), after)) return false;
    stack.push(new PropertiesStep(document, document.properties(), after, text));
    return true;
}

} // namespace parvelin::dialogs
