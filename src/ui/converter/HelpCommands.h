#pragma once
// The converter window's Help menu wired to the help menu commands.

#include "ui/converter/frmQConverter.h"

namespace wexel {

class HelpMenu;

// Every entry of the window's Help menu, and its unload, calling `menu`,
// which must outlive the window.
ConverterCommands helpMenuCommands(HelpMenu& menu);

} // namespace wexel
