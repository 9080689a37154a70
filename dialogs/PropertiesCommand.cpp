#include "dialogs/PropertiesCommand.h"

#include "dialogs/PropertySheet.h"
#include "document/AirfoilDocument.h"

namespace parvelin::dialogs {

bool runPropertiesCommand(AirfoilDocument& document, QWidget* parent) {
    if (!document.isLoaded()) return false;
    // The pages edit one copy; the other keeps the state to restore on Cancel.
    const std::unique_ptr<RibProperties> edited = document.copyProperties();
    const std::unique_ptr<RibProperties> kept = document.copyProperties();
    PropertySheet sheet(*edited, *kept, parent);
    // Only OK changes the document: Cancel discards every page's changes.
    if (sheet.exec() == QDialog::Accepted) document.applyProperties(*edited);
    return true;
}

} // namespace parvelin::dialogs
