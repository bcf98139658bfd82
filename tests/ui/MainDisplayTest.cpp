// The main display: the content each MainDisplay value asks for, and how a picture is fitted or cut.
#include "ui/MainDisplay.h"
#include "profile/ProgrammParameters.h"
#include "support/TempDir.h"
#include "ui/BiorhythmChart.h"
#include "ui/DisplayPicture.h"

#include <QCommandLinkButton>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

namespace {

QImage TwoColourImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    return image;
}

} // namespace

class MainDisplayTest : public QObject {
    Q_OBJECT

private slots:
    void ContentByOption_data() {
        QTest::addColumn<int>("mainDisplay");
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("minimumHeight");
        QTest::newRow("0 tasks") << 0 << "TaskPnl" << 250;
        QTest::newRow("1 message") << 1 << "MessageBrw" << 350;
        QTest::newRow("2 picture") << 2 << "PicturePnl" << 200;
        QTest::newRow("3 biorhythm") << 3 << "BiorhythmChart" << 300;
        QTest::newRow("4 nothing") << 4 << "" << 0;
        QTest::newRow("unknown value") << 9 << "" << 0;
    }
    void ContentByOption() {
        QFETCH(int, mainDisplay);
        QFETCH(QString, content);
        QFETCH(int, minimumHeight);
        testsupport::TempDir dir;
        TwoColourImage(918, 400).save(QString::fromStdString((dir.Path() / "Bild.png").string()));
        cProgrammParameters options;
        options.MessagePath = dir.WriteFile("Nachricht.txt", "Hallo").string();
        options.PicturePath = (dir.Path() / "Bild.png").string();

        ui::cMainDisplay display(nullptr);
        // A content left over from before must go.
        options.MainDisplay = mainDisplay == 0 ? 3 : 0;
        display.Rebuild(options);
        options.MainDisplay = static_cast<std::uint8_t>(mainDisplay);
        display.Rebuild(options);

        const QStringList all = {"TaskPnl", "MessageBrw", "PicturePnl", "BiorhythmChart"};
        for (const QString& name : all)
            QCOMPARE(display.findChild<QWidget*>(name) != nullptr, name == content);
        QCOMPARE(display.findChildren<QCommandLinkButton*>().size(), mainDisplay == 0 ? 3 : 0);
        display.show();
        QVERIFY(display.sizeHint().height() >= minimumHeight);
        if (content.isEmpty()) QCOMPARE(display.sizeHint().height(), 0);
    }

    void TaskButtonsReportTheirTask() {
        ui::cMainDisplay display(nullptr);
        display.Rebuild(cProgrammParameters{});
        QSignalSpy clicked(&display, &ui::cMainDisplay::TaskClicked);
        const QStringList captions = {"Backup einrichten", "Synchronisation einrichten", "Profil einrichten"};
        for (int task = 1; task <= 3; ++task) {
            auto* button = display.findChild<QCommandLinkButton*>(QStringLiteral("TaskBtn%1").arg(task));
            QVERIFY(button);
            QCOMPARE(button->text(), captions[task - 1]);
            button->click();
            QCOMPARE(clicked.takeFirst().at(0).toInt(), task);
        }
    }

    void MessageFileByItsKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Windows-1252 text") << "Nachricht.txt"
                                           << QByteArray("Gr\xFC\xDF"
                                                         "e")
                                           << "Grüße";
        QTest::newRow("UTF-8 text") << "Nachricht.txt"
                                    << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                                  "e")
                                    << "Grüße";
        QTest::newRow("HTML") << "Nachricht.HTM" << QByteArray("<p><b>fett</b> gedruckt</p>") << "fett gedruckt";
        QTest::newRow("rich text") << "Nachricht.rtf" << QByteArray("{\\rtf1\\ansi Hallo}") << "Hallo";
    }
    void MessageFileByItsKind() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        testsupport::TempDir dir;
        cProgrammParameters options;
        options.MainDisplay = 1;
        options.MessagePath = dir.WriteFile(name.toStdString(), bytes.toStdString()).string();
        ui::cMainDisplay display(nullptr);
        display.Rebuild(options);
        auto* browser = display.findChild<QTextBrowser*>("MessageBrw");
        QVERIFY(browser);
        QVERIFY2(browser->toPlainText().contains(shown), qPrintable(browser->toPlainText()));
        QVERIFY(!browser->toPlainText().contains("<p>"));
    }

    void MissingMessageFileSaysSo() {
        cProgrammParameters options;
        options.MainDisplay = 1;
        options.MessagePath = "/nirgends/Nachricht.txt";
        ui::cMainDisplay display(nullptr);
        display.Rebuild(options);
        const QString text = display.findChild<QTextBrowser*>("MessageBrw")->toPlainText();
        QVERIFY(text.contains("Fehler beim Lesen von"));
        QVERIFY(text.contains("/nirgends/Nachricht.txt"));
    }

    void PictureSize_data() {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("fitSize");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("fit: wide, scaled down to the width") << QSize(918, 400) << true << QSize(459, 200);
        QTest::newRow("fit: small, scaled up to the width") << QSize(100, 50) << true << QSize(459, 229);
        QTest::newRow("fit: tall, limited by the height") << QSize(459, 1000) << true << QSize(190, 415);
        QTest::newRow("own size: small stays") << QSize(200, 100) << false << QSize(200, 100);
        QTest::newRow("own size: large is cut") << QSize(1000, 1000) << false << QSize(459, 415);
    }
    void PictureSize() {
        QFETCH(QSize, picture);
        QFETCH(bool, fitSize);
        QFETCH(QSize, shown);
        QCOMPARE(ui::DisplayPicture(TwoColourImage(picture.width(), picture.height()), fitSize).size(), shown);
    }

    void CutPictureKeepsItsCentre() {
        // Red left half, blue right half: a centred cut shows both, a cut at the left edge only red.
        const QImage cut = ui::DisplayPicture(TwoColourImage(1000, 1000), false);
        QCOMPARE(QColor(cut.pixel(0, 0)), QColor(Qt::red));
        QCOMPARE(QColor(cut.pixel(cut.width() - 1, cut.height() - 1)), QColor(Qt::blue));
        QCOMPARE(QColor(cut.pixel(228, 0)), QColor(Qt::red));
        QCOMPARE(QColor(cut.pixel(231, 0)), QColor(Qt::blue));
    }

    void PictureIsFittedAndFramed() {
        testsupport::TempDir dir;
        const QString path = QString::fromStdString((dir.Path() / "Bild.png").string());
        QVERIFY(TwoColourImage(918, 400).save(path));
        cProgrammParameters options;
        options.MainDisplay = 2;
        options.PicturePath = path.toStdString();
        options.FitSize = true;
        options.FrameColor = 0x00FF8000; // COLORREF: blue FF, green 80, red 00
        ui::cMainDisplay display(nullptr);
        display.Rebuild(options);
        auto* picture = display.findChild<QLabel*>("PictureImg");
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().size(), QSize(459, 200));
        auto* frame = display.findChild<QWidget*>("PictureFrm");
        QVERIFY(frame);
        QCOMPARE(frame->palette().color(QPalette::Window), QColor(0x00, 0x80, 0xFF));
        display.show();
        QVERIFY(display.sizeHint().height() >= 200);
    }

    void UnreadablePictureSaysSo() {
        testsupport::TempDir dir;
        cProgrammParameters options;
        options.MainDisplay = 2;
        options.PicturePath = dir.WriteFile("Bild.png", "kein Bild").string();
        ui::cMainDisplay display(nullptr);
        display.Rebuild(options);
        auto* picture = display.findChild<QLabel*>("PictureImg");
        QVERIFY(picture);
        QVERIFY(picture->pixmap().isNull());
        QVERIFY(picture->text().contains("Fehler beim Lesen von"));
    }
};

QTEST_MAIN(MainDisplayTest)
#include "MainDisplayTest.moc"
