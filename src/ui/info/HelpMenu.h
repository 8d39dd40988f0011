#pragma once
// The commands of the converter window's Help menu, and the help call made
// when that window unloads.

namespace wexel {

class HelpSystem;

inline constexpr unsigned long kHowDoIContext = 14;
inline constexpr unsigned long kWindowHelpContext = 100;
// Where a failing help call is reported: one text for all three help
// commands, in the letter case users have always quoted to support.
inline constexpr const char* kHelpErrorLocation = "frmmain.mnuIndex_Click";

class HelpMenu {
public:
    // The commands call `help`, which must outlive this object.
    explicit HelpMenu(HelpSystem& help) : help_(help) {}

    void showHowDoI();     // topic 14
    void showWindowHelp(); // topic 100
    void showIndex();      // contents and index
    void showContact();    // the Contact dialog, modeless, one at most
    void showAbout();      // the About dialog, modal

    // The window is unloading: close the help viewer (HELP_QUIT, context 0)
    // and the Contact dialog, so that no window outlives the program.
    void unload();

private:
    void help(unsigned command, unsigned long context);
    HelpSystem& help_;
};

} // namespace wexel
