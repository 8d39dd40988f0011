#pragma once
// Shared by the two start-up probes: once the window is shown and the event
// loop has run, print the time since process start and the peak memory, then quit.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>

inline int runProbe(QApplication& app, QWidget& window) {
    window.show();
    QTimer::singleShot(0, &app, [&app] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("shown maxrss_kb=%ld\n", usage.ru_maxrss);
        std::fflush(stdout);
        app.quit();
    });
    return QApplication::exec();
}
