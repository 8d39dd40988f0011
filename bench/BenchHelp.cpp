// How long the help viewer takes to open hostile help files, each within
// (or just beyond) the reader's bounds: from the menu command to a page laid
// out, or to its refusal. A measurement, not a test: it prints and never fails.
#include "app/ModGlobals.h"
#include "help/HelpFile.h"
#include "platform/Ports.h"
#include "ui/info/HelpMenu.h"
#include "ui/info/HelpViewer.h"

#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

QByteArray topic(const QByteArray& body, const QByteArray& attributes = {}) {
    return "<section id=\"100\"" + attributes + ">" + body + "</section>";
}

QByteArray file(const QByteArray& sections) {
    return "<html><body>" + sections + "</body></html>";
}

// The probe's files: at the bounds the reader allows, and the shipped one.
std::vector<std::pair<const char*, QByteArray>> probeFiles() {
    std::vector<std::pair<const char*, QByteArray>> files;
    QByteArray accents = "a";
    for (int i = 0; i < 99999; ++i) {
        accents += "\xCC\x81"; // U+0301, a combining acute accent
    }
    files.emplace_back("one letter, 99,999 accents", file(topic("<p>" + accents + "</p>")));
    QByteArray letters;
    while (letters.size() < 185000) { // about 94,000 characters
        letters += "a" + QByteArray("\xCC\x81").repeated(30);
    }
    files.emplace_back("letters of 30 accents, 94,000 characters",
                       file(topic("<p>" + letters + "</p>")));
    // Tables three deep: outer cells, middle cells in each, inner cells in each.
    auto tables = [](int outer, int middle, int inner) {
        const QByteArray innermost =
            "<table><tr>" + QByteArray("<td>w</td>").repeated(inner) + "</tr></table>";
        const QByteArray between =
            "<table><tr>" + ("<td>" + innermost + "</td>").repeated(middle) + "</tr></table>";
        return file(
            topic("<table><tr>" + ("<td>" + between + "</td>").repeated(outer) + "</tr></table>"));
    };
    files.emplace_back("tables 3 deep, 804 cells", tables(4, 10, 19));
    files.emplace_back("tables 3 deep, at the cell bound", tables(2, 10, 15));
    QByteArray index;
    for (int i = 0; i < 1000; ++i) {
        const QByteArray n = QByteArray::number(i + 100);
        index += "<section id=\"" + n + "\" title=\"\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D abc " + n +
                 "\" keywords=\"\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85 x " + n + "; \xD7\x90 y " + n +
                 "; \xD8\xA8 z " + n + "; \xD7\x91 w " + n + "\"><p>x</p></section>";
    }
    files.emplace_back("index of 5,000 right-to-left entries", file(index));
    files.emplace_back(
        "1.9 million keywords",
        file(topic("<p>x</p>", " keywords=\"" + QByteArray("a;").repeated(1900000) + "\"")));
    std::ifstream shipped(WEXEL_DATA_DIR "/WXConvert.hlp", std::ios::binary);
    files.emplace_back("the shipped help file", QByteArray::fromStdString(std::string(
                                                    std::istreambuf_iterator<char>(shipped),
                                                    std::istreambuf_iterator<char>())));
    return files;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir folder;
    std::printf("%-40s %12s %12s  %s\n", "help file", "topic 100", "index", "outcome");
    for (const auto& [name, bytes] : probeFiles()) {
        const QString path = folder.filePath(QStringLiteral("help.hlp"));
        {
            std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
            out.write(bytes.constData(), bytes.size());
        }
        // Written "a minute ago": the reader waits for a file changed just now.
        const timespec before[2] = {{std::time(nullptr) - 60, 0}, {std::time(nullptr) - 60, 0}};
        ::utimensat(AT_FDCWD, path.toLocal8Bit().constData(), before, 0);
        wexel::setHelpFilePath(path.toStdString());
        double ms[2] = {};
        wexel::Capture capture;
        for (int page = 0; page < 2; ++page) {
            wexel::HelpSystem help;
            wexel::HelpMenu menu(help);
            QElapsedTimer clock;
            clock.start();
            page == 0 ? menu.showWindowHelp() : menu.showIndex();
            if (QTextBrowser* browser = help.browser()) {
                (void)browser->document()->size(); // laid out, as shown
                QCoreApplication::processEvents();
            }
            ms[page] = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        }
        const std::string outcome =
            capture.shown.empty() ? "shown" : "refused: " + capture.shown[0].description;
        std::printf("%-40s %9.1f ms %9.1f ms  %.100s\n", name, ms[0], ms[1], outcome.c_str());
    }
    return 0;
}
