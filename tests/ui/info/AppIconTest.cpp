#include "ui/info/AppIcon.h"

#include <QImage>
#include <QTest>

class AppIconTest : public QObject {
    Q_OBJECT
private slots:
    void iconIsBuiltIn();
};

void AppIconTest::iconIsBuiltIn() {
    const QPixmap pixmap = wexel::applicationPixmap();
    QVERIFY(!pixmap.isNull());
    QVERIFY(pixmap.width() >= 96);
    QCOMPARE(pixmap.width(), pixmap.height());
    QVERIFY(!pixmap.toImage().hasAlphaChannel());
    QVERIFY(!wexel::applicationIcon().isNull());
}

QTEST_MAIN(AppIconTest)
#include "AppIconTest.moc"
