// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/PropertiesCommand.h"

#include "dialogs/PropertiesStep.h"
#include "dialogs/PropertySheet.h"
#include "document/AirfoilDocument.h"

namespace parvelin::dialogs {

bool runPropertiesCommand(AirfoilDocument& document, QWidget* parent, QUndoStack* undo) {
    if (!document.isLoaded()) return false;
    // The pages edit one copy; the other keeps the state to restore on Cancel.
    const std::unique_ptr<RibProperties> edited = document.copyProperties();
    const std::unique_ptr<RibProperties> kept = document.copyProperties();
    PropertySheet sheet(*edited, *kept, parent);
    // Only OK changes the document: Cancel discards every page's changes.
    if (sheet.exec() != QDialog::Accepted) return true;
    if (undo != nullptr)
        pushPropertiesStep(*undo, document, *edited, QString::fromUtf8(kPropertiesStepText));
    else
        document.applyProperties(*edited);
    return true;
}

} // namespace parvelin::dialogs
