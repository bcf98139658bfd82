// Shortening texts in the middle to a width, measured here with one unit per character (" .. " counts its
// four characters), so that the cases do not depend on a font.
#include "ui/FitText.h"

#include <QTest>

class FitTextTest : public QObject {
    Q_OBJECT

private slots:
    void FitsInTheMiddle_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits") << "/home/anna/" << 11 << "/home/anna/";
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("one too long: the gap counts") << "abcdefghij" << 9 << "abc .. ij";
        QTest::newRow("even length") << "0123456789" << 10 << "0123456789";
        QTest::newRow("odd length") << "0123456789A" << 10 << "012 .. 89A";
        QTest::newRow("long path keeps both ends")
            << "/home/anna/Dokumente/Steuer/2026/Belege/Quittungen/" << 30 << "/home/anna/Do .. e/Quittungen/";
        QTest::newRow("no room") << "abc" << 2 << " .. ";
    }
    void FitsInTheMiddle() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, shown);
        const auto characters = [](const QString& s) { return int(s.toUcs4().size()); };
        const QString fitted = ui::FitText(text, width, characters);
        QCOMPARE(fitted, shown);
        if (width >= 4) QVERIFY(characters(fitted) <= width);
    }

    // Characters outside the basic plane are two UTF-16 units; cutting in the middle never splits one.
    void NeverSplitsACharacter() {
        QString faces;
        for (char32_t face = U'\U0001F600'; face < U'\U0001F60B'; ++face)
            faces += QString::fromUcs4(&face, 1);
        for (int width = 4; width <= 12; ++width) {
            const QString fitted = ui::FitText(faces, width, [](const QString& s) { return int(s.size()); });
            QVERIFY2(fitted.isValidUtf16(), qPrintable(fitted));
            QVERIFY(fitted.size() <= width);
        }
    }
};

QTEST_MAIN(FitTextTest)
#include "FitTextTest.moc"
