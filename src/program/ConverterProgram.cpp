#include "program/ConverterProgram.h"

#include "app/ModGlobals.h"
#include "desktop/InstanceGuard.h"
#include "desktop/QtPorts.h"
#include "desktop/Windows.h"
#include "platform/Numbers.h"
#include "platform/Process.h"
#include "ui/converter/frmQConverter.h"
#include "ui/info/AppIcon.h"
#include "ui/info/DialogLayout.h"
#include "ui/info/HelpMenu.h"
#include "ui/info/HelpViewer.h"
#include "ui/info/frmAbout.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <memory>

namespace {

// The window steps of start-up.
class QtStartupSteps : public wexel::StartupSteps {
public:
    QtStartupSteps(wexel::InstanceGuard& guard, wexel::HelpMenu& menu)
        : guard_(guard), menu_(menu) {}

    void ShowRunningInstance() override {
        // Whether or not the running instance answers, this process ends now,
        // and says where that instance is: it may show on another display.
        const bool raised = guard_.requestRaise().has_value();
        const QString where = guard_.runningInstance();
        std::fprintf(stderr, "wexel-converter: Wexel Converter is already running%s; %s\n",
                     where.isEmpty() ? "" : qPrintable(QStringLiteral(" (%1)").arg(where)),
                     raised ? "its window was brought to the front"
                            : "it did not answer the request to show its window");
    }
    void showAboutModal() override { wexel::frmAbout::showModal(); }
    void showConverter() override {
        window_ = std::make_unique<wexel::frmQConverter>(&menu_);
        wexel::placeOnScreen(window_.get());
        window_->show();
        wexel::setMainWindow(window_.get());
    }

private:
    wexel::InstanceGuard& guard_;
    wexel::HelpMenu& menu_;
    std::unique_ptr<wexel::frmQConverter> window_; // once start-up shows it
};

} // namespace

void wexel::setUpApplication() {
    const wexel::VersionInfo version = wexel::builtInVersion();
    QApplication::setApplicationName(QString::fromLatin1(wexel::kAppTitle));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
    QApplication::setWindowIcon(wexel::applicationIcon());
    // The menu bar and the message boxes in a sans face with the windows'
    // widths at the desktop's size: left to itself, fontconfig may pick a
    // monospaced or a serif face where only some fonts are installed.
    QApplication::setFont(
        wexel::designFont(QStringLiteral("MS Sans Serif"), QApplication::font().pointSizeF()));

    const QLocale locale = QLocale::system();
    wexel::setNumberLocale(
        {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()});
}

int wexel::runConverterProgram(int argc, char* argv[], const QString& instanceFolder) {
    wexel::openClosedStandardStreams();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        // Qt would abort with advice to reinstall: say what is missing instead.
        std::fprintf(stderr, "wexel-converter: no display to show its window on (neither DISPLAY "
                             "nor WAYLAND_DISPLAY is set)\n");
        return 1;
    }
    int qtArgc = argc > 0 ? 1 : 0;
    wexel::useWholeScaleFactors();
    QApplication app(qtArgc, argv);
    wexel::setUpApplication();

    wexel::QtMessageBox messageBox;
    wexel::setMessageBox(&messageBox);

    wexel::InstanceGuard guard(instanceFolder);
    // A second instance's request: the converter window comes to the front,
    // and a modal dialog open over it (About at start, a message) stays on top.
    QObject::connect(&guard, &wexel::InstanceGuard::raiseRequested, [] {
        wexel::raiseWindow(wexel::mainWindow());
        wexel::raiseWindow(QApplication::activeModalWidget());
    });
    wexel::QtAppFacts facts(guard);
    wexel::HelpSystem help;
    wexel::HelpMenu menu(help);

    // The guard is asked once; start-up hears the same answer.
    if (guard.claim() && !guard.unguardedBecause().isEmpty()) {
        // A second start would open a second window: the user hears why.
        const QString text =
            QStringLiteral("Wexel Converter cannot make sure that only one copy of it runs: "
                           "%1. This copy runs on its own.")
                .arg(guard.unguardedBecause());
        std::fprintf(stderr, "wexel-converter: %s\n", text.toLocal8Bit().constData());
        std::fflush(stderr);
        wexel::showMessageBox(text.toStdString());
    }
    int status = 0;
    {
        // The steps own the converter window: it goes with them, while the
        // message box is still there for what its closing may say.
        QtStartupSteps steps(guard, menu);
        switch (wexel::Main(facts, steps)) {
        case wexel::StartupResult::SecondInstance:
            status = 0;
            break;
        case wexel::StartupResult::Failed:
            status = 1;
            break;
        case wexel::StartupResult::Running:
            status = QApplication::exec();
            break;
        }
    }
    wexel::setMessageBox(nullptr);
    return status;
}
