#include "ui/converter/HelpCommands.h"

#include "ui/info/HelpMenu.h"

namespace wexel {

ConverterCommands helpMenuCommands(HelpMenu& menu) {
    ConverterCommands commands;
    commands.howDoI = [&menu] { menu.mnuHowDoI_Click(); };
    commands.windowHelp = [&menu] { menu.mnuWindowHelp_Click(); };
    commands.contentsAndIndex = [&menu] { menu.mnuIndex_Click(); };
    commands.contact = [&menu] { menu.mnuContact_Click(); };
    commands.about = [&menu] { menu.mnuAbout_Click(); };
    commands.unload = [&menu] { menu.unload(); };
    return commands;
}

} // namespace wexel
