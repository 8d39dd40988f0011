// The help file on arbitrary bytes, the whole way to laid-out pages: it is
// refused or read, and every page made from it (each topic, the contents and
// index, a filtered index) is laid out at the viewer's width. libFuzzer's
// -timeout makes a slow input a failure.
#include "help/HelpFile.h"
#include "platform/RuntimeError.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>
#include <string>

// fontconfig keeps its font cache until the process ends.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The text layout needs a GUI application; the fuzzer runs without a
    // display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

namespace {

void layOut(const QString& page) {
    QTextDocument document;
    document.setHtml(page);
    document.setTextWidth(540);
    if (document.size().height() <= 0) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const wexel::HelpFile help =
            wexel::HelpFile::parse(std::string(reinterpret_cast<const char*>(data), size));
        for (const wexel::HelpTopic& topic : help.topics()) {
            layOut(help.topicPage(topic.context));
        }
        layOut(help.topicPage(0xFFFFFFFF)); // a topic the file lacks
        layOut(help.indexPage(QString()));
        layOut(help.indexPage(QStringLiteral("a")));
    } catch (const wexel::RuntimeError&) {
        // Not a help file, or beyond a bound: refused, as it should be.
    }
    return 0;
}
