#include "ui/info/HelpMenu.h"

#include "app/ModGlobals.h"
#include "ui/info/HelpViewer.h"
#include "ui/info/frmAbout.h"
#include "ui/info/frmContactInfo.h"

#include <string>

namespace wexel {

void HelpMenu::help(unsigned command, unsigned long context) {
    reportingFailures(kHelpErrorLocation, "",
                      [&] { help_.showHelp(HelpFilePath(), command, context, std::string()); });
}

void HelpMenu::mnuHowDoI_Click() {
    help(HELP_CONTEXT, kHowDoIContext);
}

void HelpMenu::mnuWindowHelp_Click() {
    help(HELP_CONTEXT, kWindowHelpContext);
}

void HelpMenu::mnuIndex_Click() {
    // An empty keyword opens the index.
    help(HELP_PARTIALKEY, 0);
}

void HelpMenu::mnuContact_Click() {
    frmContactInfo::showInstance();
}

void HelpMenu::mnuAbout_Click() {
    frmAbout::showModal();
}

void HelpMenu::unload() {
    help_.showHelp(HelpFilePath(), HELP_QUIT, 0, std::string());
    frmContactInfo::closeInstance();
}

} // namespace wexel
