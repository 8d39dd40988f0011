#include "app/QtAppFacts.h"
#include "app/InstanceGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTest>

class QtAppFactsTest : public QObject {
    Q_OBJECT
private slots:
    void exeDirectoryIsTheProgramsFolder();
    void previousInstanceComesFromTheGuard();
    void titleAndVersion();
};

void QtAppFactsTest::exeDirectoryIsTheProgramsFolder() {
    wexel::InstanceGuard guard(QStringLiteral("unused"));
    wexel::QtAppFacts facts(guard);
    const std::string folder = facts.exeDirectory();
    QCOMPARE(QString::fromStdString(folder),
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    QVERIFY(!folder.empty());
    QVERIFY(folder.back() != '/' && folder.back() != '\\');
}

void QtAppFactsTest::previousInstanceComesFromTheGuard() {
    const QString key = wexel::InstanceGuard::keyFor(
        QStringLiteral("facts test %1").arg(QRandomGenerator::global()->generate64()),
        wexel::InstanceGuard::currentUser());
    wexel::InstanceGuard first(key);
    wexel::QtAppFacts firstFacts(first);
    QVERIFY(!firstFacts.previousInstanceRunning());
    wexel::InstanceGuard second(key);
    wexel::QtAppFacts secondFacts(second);
    QVERIFY(secondFacts.previousInstanceRunning());
}

void QtAppFactsTest::titleAndVersion() {
    wexel::InstanceGuard guard(QStringLiteral("unused"));
    wexel::QtAppFacts facts(guard);
    QCOMPARE(facts.title(), std::string("Wexel Converter"));
    QCOMPARE(facts.version().major, 4);
    QCOMPARE(facts.version().minor, 0);
    QCOMPARE(facts.version().revision, 0);
}

QTEST_GUILESS_MAIN(QtAppFactsTest)
#include "QtAppFactsTest.moc"
