#include "dialogs/PropertiesCommand.h"

namespace parvelin::dialogs {

// TODO(dialogs): the property sheet is not built yet.
bool runPropertiesCommand(AirfoilDocument&, QWidget*) { return false; }

} // namespace parvelin::dialogs
