#include "app/print/PrintCommand.h"

namespace parvelin::app {

// TODO(print): printing is not built yet.
bool runPrintCommand(AirfoilDocument*, QWidget*) { return false; }

} // namespace parvelin::app
