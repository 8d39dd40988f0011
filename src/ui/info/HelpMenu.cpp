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

void HelpMenu::showHowDoI() {
    help(HELP_CONTEXT, kHowDoIContext);
}

void HelpMenu::showWindowHelp() {
    help(HELP_CONTEXT, kWindowHelpContext);
}

void HelpMenu::showIndex() {
    // An empty keyword opens the index.
    help(HELP_PARTIALKEY, 0);
}

void HelpMenu::showContact() {
    frmContactInfo::showInstance();
}

void HelpMenu::showAbout() {
    frmAbout::showModal();
}

void HelpMenu::unload() {
    help_.showHelp(HelpFilePath(), HELP_QUIT, 0, std::string());
    frmContactInfo::closeInstance();
}

} // namespace wexel
