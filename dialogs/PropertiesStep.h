// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One undoable change of a document's rib properties: the record before and
// after. Doing it (also the first time, when it is pushed) applies the new
// record and rebuilds the components; undoing applies the old one, byte for
// byte as it was. The property sheet pushes one per OK; other editors of the
// record push theirs on the same stack, the document window's.
#include <QUndoCommand>

#include "model/RibProperties.h"

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::dialogs {

class PropertiesStep : public QUndoCommand {
public:
    PropertiesStep(AirfoilDocument& document, const RibProperties& before, const RibProperties& after,
                   const QString& text);
    void undo() override;
    void redo() override;

private:
    AirfoilDocument& document_;
    RibProperties before_;
    RibProperties after_;
};

// Whether two records hold the same bytes (a NaN typed into a box equals
// itself here, and -0 differs from 0, as they would in a file).
bool sameRecord(const RibProperties& a, const RibProperties& b);

// Applies `after` to the document as one step on `stack`; a record that
// equals the document's leaves the stack and the document as they are.
// Returns true when a step was pushed.
bool pushPropertiesStep(QUndoStack& stack, AirfoilDocument& document, const RibProperties& after,
                        const QString& text);

} // namespace parvelin::dialogs
