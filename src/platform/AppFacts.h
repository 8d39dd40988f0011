#pragma once
// Facts about the running application that the platform knows: whether
// another instance runs, where the executable lies, and its version
// information. The window program answers them with Qt; tests with a fake.

#include <string>

namespace wexel {

inline constexpr const char* kAppTitle = "Wexel Converter";
inline constexpr const char* kHelpFileName = "WXConvert.hlp";
inline constexpr const char* kNamesFileName = "vqcsname.dat";
inline constexpr const char* kTiersFileName = "vqcslope.dat";

struct VersionInfo {
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::string fileDescription;
    std::string copyright;
};

// The version information built into the program (from the build's project version).
VersionInfo builtInVersion();

class AppFacts {
public:
    virtual ~AppFacts() = default;
    virtual bool previousInstanceRunning() = 0;
    // The folder that holds the executable, without a trailing separator.
    virtual std::string exeDirectory() = 0;
    virtual std::string title() { return kAppTitle; }
    virtual VersionInfo version() { return builtInVersion(); }
};

} // namespace wexel
