#include "ui/info/frmAbout.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

using wexel::frmAbout;

class frmAboutTest : public QObject {
    Q_OBJECT
private slots:
    void captionAndTexts();
    void versionText_data();
    void versionText();
    void disclaimerKeepsItsDoubleSpaces();
    void fileDescriptionComesFromTheVersionInformation();
    void fontsAndColours();
    void finalGeometry();
    void everyTextFits();
    void separatorLines();
    void okIsDefaultFirstAndOnlyFocusable();
    void windowFrame();
    void closingActions_data();
    void closingActions();
    void clickOnALabelWithTheRightButtonDoesNotClose();
    void showModalIsModalAndReturnsWhenClosed();
    void reopeningShowsTheSame();
};

namespace {

QLabel* label(const QWidget& dialog, const char* name) {
    auto* found = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no label %s", name);
    }
    return found;
}

QPushButton* okButton(const QWidget& dialog) {
    return dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
}

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

} // namespace

void frmAboutTest::captionAndTexts() {
    frmAbout dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About Wexel Converter"));
    QCOMPARE(label(dialog, "lblTitle")->text(), QStringLiteral("Wexel Converter"));
    QCOMPARE(label(dialog, "lblVersion")->text(), QStringLiteral("Version 4.0.0"));
    QCOMPARE(label(dialog, "lblFileDescription")->text(), QString());
    QCOMPARE(label(dialog, "lblCopyright")->text(),
             QString::fromStdString(wexel::builtInVersion().copyright));
    QVERIFY(!label(dialog, "lblCopyright")->text().isEmpty());
    QVERIFY(label(dialog, "lblKestan")->text().startsWith("Wexel Pricer Development"));
    QVERIFY(label(dialog, "lblKestan")->text().size() > QString("Wexel Pricer Development").size());
    QCOMPARE(okButton(dialog)->text(), QStringLiteral("OK"));
    QVERIFY(!label(dialog, "imgIcon")->pixmap().isNull());
    QVERIFY(label(dialog, "imgIcon")->hasScaledContents());
    QVERIFY(!dialog.windowIcon().isNull());
}

void frmAboutTest::versionText_data() {
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("text");
    QTest::newRow("this release") << 4 << 0 << 0 << "Version 4.0.0";
    QTest::newRow("two-digit minor") << 4 << 12 << 3 << "Version 4.12.3";
    QTest::newRow("large numbers") << 10 << 200 << 3000 << "Version 10.200.3000";
}

void frmAboutTest::versionText() {
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, text);
    wexel::VersionInfo version;
    version.major = major;
    version.minor = minor;
    version.revision = revision;
    QCOMPARE(wexel::aboutVersionText(version), text);
    frmAbout dialog(version);
    QCOMPARE(label(dialog, "lblVersion")->text(), text);
}

void frmAboutTest::disclaimerKeepsItsDoubleSpaces() {
    frmAbout dialog;
    QCOMPARE(label(dialog, "lblDisclaimer")->text(),
             QStringLiteral("This tool is for estimation only.  This tool is used to convert "
                            "between capacity and Wexels.  Wexels are product specific. Wexels "
                            "are acquired for one product and are not transferable to another "
                            "product."));
    QVERIFY(label(dialog, "lblDisclaimer")->wordWrap());
    QVERIFY(label(dialog, "lblKestan")->wordWrap());
}

void frmAboutTest::fileDescriptionComesFromTheVersionInformation() {
    wexel::VersionInfo version = wexel::builtInVersion();
    version.fileDescription = "Estimator";
    version.copyright = "(c) Someone";
    frmAbout dialog(version, "Other Title");
    QCOMPARE(label(dialog, "lblFileDescription")->text(), QStringLiteral("Estimator"));
    QCOMPARE(label(dialog, "lblCopyright")->text(), QStringLiteral("(c) Someone"));
    QCOMPARE(label(dialog, "lblTitle")->text(), QStringLiteral("Other Title"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About Other Title"));
}

void frmAboutTest::fontsAndColours() {
    frmAbout dialog;
    struct Expected {
        const char* name;
        double points;
        bool bold;
        QColor colour;
    };
    const Expected expected[] = {
        {"lblTitle", 12, true, Qt::black},
        {"lblCopyright", 9.75, true, QColor()},
        {"lblVersion", 9.75, true, QColor()},
        {"lblFileDescription", 9.75, true, QColor(0, 0, 255)},
        {"lblDisclaimer", 9.75, false, QColor(255, 0, 0)},
        {"lblKestan", 8.25, false, Qt::black},
    };
    for (const Expected& e : expected) {
        QLabel* l = label(dialog, e.name);
        QCOMPARE(l->font().pointSizeF(), e.points);
        QCOMPARE(l->font().bold(), e.bold);
        if (e.colour.isValid()) {
            QCOMPARE(l->palette().color(QPalette::WindowText), e.colour);
        }
    }
}

void frmAboutTest::finalGeometry() {
    frmAbout dialog;
    // Left and top of every control as designed; the separator, disclaimer
    // and OK moved up to their final rows.
    struct Box {
        const char* name;
        int left, top, width, height;
    };
    const Box boxes[] = {
        {"imgIcon", 345, 240, 780, 780},
        {"lblTitle", 1425, 240, 3885, 375},
        {"lblCopyright", 1425, 600, 4095, 255},
        {"lblVersion", 1425, 840, 2805, 225},
        {"lblFileDescription", 4545, 840, 1575, 225},
        {"lblKestan", 285, 1200, 2325, 570},
        {"lblDisclaimer", 180, 2160, 6090, 1695},
    };
    for (const Box& b : boxes) {
        const QRect g = label(dialog, b.name)->geometry();
        QCOMPARE(g.left(), px(b.left));
        QCOMPARE(g.top(), px(b.top));
        // Boxes only grow for the font in use.
        QVERIFY2(g.width() >= px(b.width), b.name);
        QVERIFY2(g.height() >= px(b.height), b.name);
    }
    QCOMPARE(label(dialog, "imgIcon")->size(), QSize(px(780), px(780)));
    QCOMPARE(okButton(dialog)->y(), px(3912));
    QVERIFY(okButton(dialog)->width() >= px(1140));
    QVERIFY(okButton(dialog)->height() >= px(345));
    // OK stays centred under the disclaimer as designed.
    const int designCentre = px(2640) + px(1140) / 2;
    const int widened = dialog.width() - frmAbout::designClientSize().width();
    QVERIFY(std::abs(okButton(dialog)->geometry().center().x() - designCentre - widened / 2) <= 2);

    // The client area: 6465 twips wide (at least), the outer height of 4755
    // twips less the classic frame and caption.
    QCOMPARE(frmAbout::designClientSize(), QSize(px(6465), px(4755 - 375)));
    QVERIFY(dialog.width() >= px(6465));
    // Taller only by what a taller OK button needs.
    QVERIFY(dialog.height() >= px(4755 - 375));
    QVERIFY(dialog.height() <= px(4755 - 375) + okButton(dialog)->height() - px(345));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
}

void frmAboutTest::everyTextFits() {
    frmAbout dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (QLabel* l : dialog.findChildren<QLabel*>()) {
        if (!l->pixmap().isNull()) {
            continue;
        }
        const QFontMetrics metrics(l->font());
        if (l->wordWrap()) {
            QVERIFY2(l->heightForWidth(l->width()) <= l->height(), qPrintable(l->objectName()));
        } else {
            QVERIFY2(metrics.horizontalAdvance(l->text()) <= l->width(),
                     qPrintable(l->objectName()));
            QVERIFY2(metrics.height() <= l->height(), qPrintable(l->objectName()));
        }
        // Inside the dialog.
        QVERIFY2(dialog.rect().contains(l->geometry()), qPrintable(l->objectName()));
    }
    QVERIFY(dialog.rect().contains(okButton(dialog)->geometry()));
    // The texts do not run into each other: the disclaimer ends above OK,
    // the group label above the separator.
    QVERIFY(label(dialog, "lblDisclaimer")->geometry().bottom() < okButton(dialog)->y());
    QVERIFY(label(dialog, "lblKestan")->geometry().bottom() < px(2040));
    QVERIFY(label(dialog, "lblVersion")->geometry().right() <
            label(dialog, "lblFileDescription")->x());
}

void frmAboutTest::separatorLines() {
    frmAbout dialog;
    const QList<QWidget*> lines = dialog.findChildren<QWidget*>(QStringLiteral("Line1"));
    QCOMPARE(lines.size(), 2);
    for (QWidget* line : lines) {
        QCOMPARE(line->y(), px(2040));
        QVERIFY(line->testAttribute(Qt::WA_TransparentForMouseEvents));
        const int index = line->property("index").toInt();
        const QColor colour = line->palette().color(QPalette::Window);
        if (index == 1) {
            QCOMPARE(colour, QColor(128, 128, 128));
            QCOMPARE(line->height(), 1);
            QCOMPARE(line->x(), 0);
        } else {
            QCOMPARE(index, 0);
            QCOMPARE(colour, QColor(Qt::white));
            QCOMPARE(line->height(), 2);
            QCOMPARE(line->x(), px(-195));
        }
        // Across the whole dialog.
        QVERIFY(line->geometry().right() >= dialog.width() - 1);
    }
}

void frmAboutTest::okIsDefaultFirstAndOnlyFocusable() {
    frmAbout dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QPushButton* ok = okButton(dialog);
    QVERIFY(ok->isDefault());
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::keyClick(&dialog, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ok);
}

void frmAboutTest::windowFrame() {
    frmAbout dialog;
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
}

void frmAboutTest::closingActions_data() {
    QTest::addColumn<QString>("action");
    for (const char* action : {"Esc", "Enter", "Return", "OK", "lblTitle", "lblCopyright",
                               "lblVersion", "lblFileDescription", "lblKestan", "lblDisclaimer",
                               "imgIcon", "background", "separator", "close box"}) {
        QTest::newRow(action) << QString::fromLatin1(action);
    }
}

void frmAboutTest::closingActions() {
    QFETCH(QString, action);
    auto* dialog = new frmAbout;
    QPointer<frmAbout> guard(dialog);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QSignalSpy finished(dialog, &QDialog::finished);
    if (action == "Esc") {
        QTest::keyClick(dialog, Qt::Key_Escape);
    } else if (action == "Enter") {
        QTest::keyClick(dialog, Qt::Key_Enter);
    } else if (action == "Return") {
        QTest::keyClick(dialog, Qt::Key_Return);
    } else if (action == "OK") {
        QTest::mouseClick(okButton(*dialog), Qt::LeftButton);
    } else if (action == "background") {
        QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(dialog->width() - 5, 5));
    } else if (action == "separator") {
        QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(dialog->width() / 2, px(2040)));
    } else if (action == "close box") {
        dialog->close();
    } else {
        QTest::mouseClick(label(*dialog, action.toLatin1().constData()), Qt::LeftButton);
    }
    QCOMPARE(finished.count(), 1);
    QVERIFY(!dialog->isVisible());
    delete guard.data();
}

void frmAboutTest::clickOnALabelWithTheRightButtonDoesNotClose() {
    frmAbout dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(label(dialog, "lblDisclaimer"), Qt::RightButton);
    QVERIFY(dialog.isVisible());
}

void frmAboutTest::showModalIsModalAndReturnsWhenClosed() {
    bool wasModal = false;
    QPointer<QWidget> shown;
    QTimer::singleShot(0, [&] {
        shown = QApplication::activeModalWidget();
        wasModal = qobject_cast<frmAbout*>(shown) != nullptr && shown->isVisible() &&
                   shown->windowModality() == Qt::ApplicationModal &&
                   shown->parentWidget() == nullptr;
        if (shown != nullptr) {
            QTest::mouseClick(label(*shown, "lblDisclaimer"), Qt::LeftButton);
        }
    });
    frmAbout::showModal();
    QVERIFY(wasModal);
    // Destroyed when closed.
    QVERIFY(shown.isNull());
}

void frmAboutTest::reopeningShowsTheSame() {
    QStringList first;
    QList<QRect> firstGeometry;
    for (int round = 0; round < 2; ++round) {
        frmAbout dialog;
        QStringList texts;
        QList<QRect> geometry;
        for (QLabel* l : dialog.findChildren<QLabel*>()) {
            texts << l->objectName() + "=" + l->text();
            geometry << l->geometry();
        }
        geometry << okButton(dialog)->geometry() << dialog.rect();
        if (round == 0) {
            first = texts;
            firstGeometry = geometry;
        } else {
            QCOMPARE(texts, first);
            QCOMPARE(geometry, firstGeometry);
        }
    }
}

QTEST_MAIN(frmAboutTest)
#include "frmAboutTest.moc"
