#include "platform/AppFacts.h"

#include "wexel_version.h"

namespace wexel {

VersionInfo builtInVersion() {
    VersionInfo v;
    v.major = WEXEL_VERSION_MAJOR;
    v.minor = WEXEL_VERSION_MINOR;
    v.revision = WEXEL_VERSION_PATCH;
    v.fileDescription = "";
    v.copyright = WEXEL_COPYRIGHT;
    return v;
}

} // namespace wexel
