// The help-file reader on arbitrary text: it refuses or parses, in time
// linear in the text, and the pages it builds from it are well formed.
#include "platform/RuntimeError.h"
#include "ui/info/HelpFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const wexel::HelpFile help = wexel::HelpFile::parse(text);
        for (const wexel::HelpTopic& topic : help.topics()) {
            if (!help.topicPage(topic.context).endsWith(QStringLiteral("</body></html>"))) {
                std::abort();
            }
        }
        (void)help.indexPage(QString());
        (void)help.indexPage(QStringLiteral("a"));
    } catch (const wexel::RuntimeError&) {
        // A topic nested too deep: refused, as it should be.
    }
    return 0;
}
