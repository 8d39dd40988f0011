// The window program: Qt set-up, the ports, then the start-up of ModGlobals.

#include "app/InstanceGuard.h"
#include "app/ModGlobals.h"
#include "app/QtAppFacts.h"
#include "app/QtMessageBox.h"
#include "app/QtStartupSteps.h"
#include "platform/Numbers.h"
#include "ui/info/AppIcon.h"
#include "ui/info/HelpMenu.h"
#include "ui/info/HelpViewer.h"
#include "ui/info/frmAbout.h"

#include <QApplication>
#include <QLocale>
#include <QPointer>

// The build defines WEXEL_HAVE_CONVERTER when the converter window is there.
#ifdef WEXEL_HAVE_CONVERTER
#include "ui/converter/frmQConverter.h"
#else
#include <QMainWindow>
#endif

namespace {

QWidget* makeConverter(wexel::HelpMenu& menu) {
#ifdef WEXEL_HAVE_CONVERTER
    wexel::ConverterCommands commands;
    commands.howDoI = [&menu] { menu.mnuHowDoI_Click(); };
    commands.windowHelp = [&menu] { menu.mnuWindowHelp_Click(); };
    commands.contentsAndIndex = [&menu] { menu.mnuIndex_Click(); };
    commands.contact = [&menu] { menu.mnuContact_Click(); };
    commands.about = [&menu] { menu.mnuAbout_Click(); };
    commands.unload = [&menu] { menu.unload(); };
    return new wexel::frmQConverter(std::move(commands));
#else
    (void)menu;
    auto* window = new QMainWindow;
    window->setWindowTitle(QString::fromLatin1(wexel::kAppTitle));
    return window;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    // The program takes no arguments: Qt sees the program name only.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    const wexel::VersionInfo version = wexel::builtInVersion();
    QApplication::setApplicationName(QString::fromLatin1(wexel::kAppTitle));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
    QApplication::setWindowIcon(wexel::applicationIcon());

    const QLocale locale = QLocale::system();
    wexel::setNumberLocale(
        {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()});

    wexel::QtMessageBox messageBox;
    wexel::setMessageBox(&messageBox);

    wexel::InstanceGuard guard;
    wexel::QtAppFacts facts(guard);
    wexel::HelpViewerPort help;
    wexel::HelpMenu menu(help);
    wexel::QtStartupSteps steps(
        guard, [] { wexel::frmAbout::showModal(); }, [&menu] { return makeConverter(menu); });

    int status = 0;
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
    delete steps.mainWindow();
    wexel::setMessageBox(nullptr);
    return status;
}
