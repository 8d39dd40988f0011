#include "ui/info/DialogLayout.h"

#include <QFontInfo>
#include <QLabel>
#include <QTest>

using wexel::Grow;

class DialogLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void twipsToPixels_data();
    void twipsToPixels();
    void twipsRect();
    void dialogFontSizes();
    void missingFamilyFallsBackToASansSerifFace();
    void fitLabelGrowsRightToTheText();
    void fitLabelGrowsBothSidesForCentredText();
    void fitLabelNeverShrinks();
    void fitLabelHeightensWrappedText();
    void fitLabelWidensForALongWord();
    void clientSizeForHoldsTheChildren();
};

void DialogLayoutTest::twipsToPixels_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("OK top") << 3912 << 261;
    QTest::newRow("separator") << 2040 << 136;
    QTest::newRow("outer height") << 4755 << 317;
    QTest::newRow("negative") << -195 << -13;
    QTest::newRow("half rounds away") << 7 << 0;
    QTest::newRow("above half") << 8 << 1;
}

void DialogLayoutTest::twipsToPixels() {
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(wexel::twipsToPixels(twips), pixels);
}

void DialogLayoutTest::twipsRect() {
    QCOMPARE(wexel::twipsRect(180, 2160, 6090, 1695), QRect(12, 144, 406, 113));
}

void DialogLayoutTest::dialogFontSizes() {
    const QFont font = wexel::dialogFont(QStringLiteral("Arial"), 9.75, true);
    QCOMPARE(font.pointSizeF(), 9.75);
    QVERIFY(font.bold());
    QVERIFY(!wexel::dialogFont(QStringLiteral("MS Sans Serif"), 8.25).bold());
}

void DialogLayoutTest::missingFamilyFallsBackToASansSerifFace() {
    const QFont font = wexel::dialogFont(QStringLiteral("No Such Face 12345"), 10);
    QCOMPARE(font.styleHint(), QFont::SansSerif);
    QVERIFY(!QFontInfo(font).family().isEmpty());
}

void DialogLayoutTest::fitLabelGrowsRightToTheText() {
    QWidget parent;
    QLabel label(QStringLiteral("A fairly long line of text that does not fit"), &parent);
    label.setGeometry(10, 20, 30, 5);
    wexel::fitLabel(&label);
    QCOMPARE(label.x(), 10);
    QCOMPARE(label.y(), 20);
    QVERIFY(label.width() >= label.fontMetrics().horizontalAdvance(label.text()));
    QVERIFY(label.height() >= label.fontMetrics().height());
}

void DialogLayoutTest::fitLabelGrowsBothSidesForCentredText() {
    QWidget parent;
    QLabel label(QStringLiteral("A fairly long line of centred text"), &parent);
    label.setGeometry(100, 20, 30, 40);
    const int centre = label.geometry().center().x();
    wexel::fitLabel(&label, Grow::BothSides);
    QVERIFY(label.width() >= label.fontMetrics().horizontalAdvance(label.text()));
    QVERIFY(std::abs(label.geometry().center().x() - centre) <= 1);
    QCOMPARE(label.height(), 40);
}

void DialogLayoutTest::fitLabelNeverShrinks() {
    QWidget parent;
    QLabel label(QStringLiteral("x"), &parent);
    label.setGeometry(1, 2, 300, 100);
    wexel::fitLabel(&label);
    QCOMPARE(label.geometry(), QRect(1, 2, 300, 100));
}

void DialogLayoutTest::fitLabelHeightensWrappedText() {
    QWidget parent;
    QLabel label(QStringLiteral("one two three four five six seven eight nine ten eleven"),
                 &parent);
    label.setWordWrap(true);
    label.setGeometry(5, 6, 80, 10);
    wexel::fitLabel(&label);
    QCOMPARE(label.x(), 5);
    QCOMPARE(label.width(), 80);
    QVERIFY(label.height() >= label.heightForWidth(80));
    QVERIFY(label.height() > label.fontMetrics().height());
}

void DialogLayoutTest::fitLabelWidensForALongWord() {
    QWidget parent;
    QLabel label(QStringLiteral("a wexel-support@example.com b"), &parent);
    label.setWordWrap(true);
    label.setGeometry(0, 0, 20, 10);
    wexel::fitLabel(&label);
    QVERIFY(label.width() >=
            label.fontMetrics().horizontalAdvance(QStringLiteral("wexel-support@example.com")));
    QVERIFY(label.height() >= label.heightForWidth(label.width()));
}

void DialogLayoutTest::clientSizeForHoldsTheChildren() {
    QWidget window;
    auto* a = new QWidget(&window);
    a->setGeometry(10, 10, 100, 20);
    QCOMPARE(wexel::clientSizeFor(&window, QSize(200, 100), 8), QSize(200, 100));
    a->setGeometry(150, 90, 100, 20);
    QCOMPARE(wexel::clientSizeFor(&window, QSize(200, 100), 8), QSize(258, 118));
    // Lines may reach past the edges.
    a->setProperty(wexel::kMayOverhang, true);
    QCOMPARE(wexel::clientSizeFor(&window, QSize(200, 100), 8), QSize(200, 100));
}

QTEST_MAIN(DialogLayoutTest)
#include "DialogLayoutTest.moc"
