#include "ui/info/frmContactInfo.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cmath>

using wexel::frmContactInfo;

class frmContactInfoTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void captionTextsAndFonts();
    void geometry();
    void everyTextFits();
    void okIsDefaultAndFirst();
    void twiceGivesOneDialog();
    void isModelessOtherWindowsStayEditable();
    void labelClicksLeaveItOpen();
    void closingActions_data();
    void closingActions();
    void closeInstanceWithoutDialog();
};

namespace {

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

int contactDialogs() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return static_cast<int>(std::count_if(windows.begin(), windows.end(), [](QWidget* w) {
        return qobject_cast<frmContactInfo*>(w) != nullptr && w->isVisible();
    }));
}

} // namespace

void frmContactInfoTest::cleanup() {
    frmContactInfo::closeInstance();
    QCOMPARE(contactDialogs(), 0);
}

void frmContactInfoTest::captionTextsAndFonts() {
    frmContactInfo dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("frmContactInfo"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Contact Information"));
    QVERIFY(!dialog.windowIcon().isNull());
    auto* label1 = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
    auto* label2 = dialog.findChild<QLabel*>(QStringLiteral("Label2"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(label1 && label2 && ok);
    QCOMPARE(label1->text(), QStringLiteral("If you need help with this tool please contact:"));
    QVERIFY(label2->text().contains(QLatin1Char('@')));
    QCOMPARE(label2->text(), QString::fromLatin1(wexel::kSupportAddress));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(label1->font().pointSizeF(), 9.75);
    QCOMPARE(label2->font().pointSizeF(), 13.5);
    QVERIFY(!label1->font().bold());
    QVERIFY(!label2->font().bold());
    QVERIFY(label1->alignment() & Qt::AlignHCenter);
    QVERIFY(label2->alignment() & Qt::AlignHCenter);
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
}

void frmContactInfoTest::geometry() {
    frmContactInfo dialog;
    auto* label1 = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
    auto* label2 = dialog.findChild<QLabel*>(QStringLiteral("Label2"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QCOMPARE(frmContactInfo::designClientSize(), QSize(px(5475), px(1545)));
    QVERIFY(dialog.width() >= px(5475));
    QVERIFY(dialog.height() >= px(1545));
    QVERIFY(dialog.height() <= px(1545) + ok->height() - px(345));
    QCOMPARE(label1->y(), px(120));
    QCOMPARE(label2->y(), px(480));
    QCOMPARE(ok->y(), px(960));
    QVERIFY(label1->width() >= px(4935));
    QVERIFY(label1->height() >= px(255));
    QVERIFY(label2->width() >= px(4935));
    QVERIFY(label2->height() >= px(375));
    QVERIFY(ok->width() >= px(1140));
    QVERIFY(ok->height() >= px(345));
    // All three are centred in the dialog, as designed.
    for (QWidget* w : std::initializer_list<QWidget*>{label1, label2, ok}) {
        QVERIFY(std::abs(w->geometry().center().x() - dialog.width() / 2) <= 2);
    }
    if (dialog.width() == px(5475)) {
        QCOMPARE(label1->x(), px(270));
        QCOMPARE(ok->x(), px(2160));
    }
}

void frmContactInfoTest::everyTextFits() {
    frmContactInfo dialog;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        const QFontMetrics metrics(label->font());
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->objectName()));
        QVERIFY2(metrics.height() <= label->height(), qPrintable(label->objectName()));
        QVERIFY(dialog.rect().contains(label->geometry()));
    }
    auto* label2 = dialog.findChild<QLabel*>(QStringLiteral("Label2"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(label2->geometry().bottom() < ok->y());
    QVERIFY(dialog.rect().contains(ok->geometry()));
}

void frmContactInfoTest::okIsDefaultAndFirst() {
    frmContactInfo* dialog = frmContactInfo::showInstance();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(QApplication::focusWidget(), ok);
}

void frmContactInfoTest::twiceGivesOneDialog() {
    frmContactInfo* first = frmContactInfo::showInstance();
    frmContactInfo* second = frmContactInfo::showInstance();
    QCOMPARE(first, second);
    QCOMPARE(frmContactInfo::instance(), first);
    QCOMPARE(contactDialogs(), 1);
    QVERIFY(first->isVisible());
}

void frmContactInfoTest::isModelessOtherWindowsStayEditable() {
    QWidget window;
    auto* field = new QLineEdit(QStringLiteral("0"), &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    frmContactInfo* dialog = frmContactInfo::showInstance();
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowModality(), Qt::NonModal);
    QVERIFY(dialog->parentWidget() == nullptr);
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("125"));
    QCOMPARE(field->text(), QStringLiteral("125"));
    QVERIFY(dialog->isVisible());
}

void frmContactInfoTest::labelClicksLeaveItOpen() {
    frmContactInfo* dialog = frmContactInfo::showInstance();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    for (const char* name : {"Label1", "Label2"}) {
        QTest::mouseClick(dialog->findChild<QLabel*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(dialog->isVisible());
    QCOMPARE(frmContactInfo::instance(), dialog);
}

void frmContactInfoTest::closingActions_data() {
    QTest::addColumn<QString>("action");
    for (const char* action : {"OK", "Enter", "Return", "Esc", "close box"}) {
        QTest::newRow(action) << QString::fromLatin1(action);
    }
}

void frmContactInfoTest::closingActions() {
    QFETCH(QString, action);
    QPointer<frmContactInfo> dialog = frmContactInfo::showInstance();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    if (action == "OK") {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    } else if (action == "Enter") {
        QTest::keyClick(dialog, Qt::Key_Enter);
    } else if (action == "Return") {
        QTest::keyClick(dialog, Qt::Key_Return);
    } else if (action == "Esc") {
        QTest::keyClick(dialog, Qt::Key_Escape);
    } else {
        dialog->close();
    }
    // Closed and destroyed; the next Contact makes a new one.
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(frmContactInfo::instance() == nullptr);
    QVERIFY(frmContactInfo::showInstance() != nullptr);
    QCOMPARE(contactDialogs(), 1);
}

void frmContactInfoTest::closeInstanceWithoutDialog() {
    frmContactInfo::closeInstance();
    QVERIFY(frmContactInfo::instance() == nullptr);
}

QTEST_MAIN(frmContactInfoTest)
#include "frmContactInfoTest.moc"
