#pragma once
// The help system: the same calls the classic help engine took (file,
// command, data). The window program installs its help viewer here.

#include <string>

namespace wexel {

inline constexpr unsigned HELP_CONTEXT = 1;
inline constexpr unsigned HELP_QUIT = 2;
inline constexpr unsigned HELP_PARTIALKEY = 0x105;

class HelpPort {
public:
    virtual ~HelpPort() = default;
    // HELP_CONTEXT shows topic `data`; HELP_PARTIALKEY with an empty keyword
    // shows the index; HELP_QUIT closes the viewer for the file. Throws
    // RuntimeError when the file cannot be used.
    virtual void showHelp(const std::string& helpFile, unsigned command, unsigned long data,
                          const std::string& keyword) = 0;
};

} // namespace wexel
