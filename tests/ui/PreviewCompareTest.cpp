// The command line of "Extern vergleichen": the program and both paths quoted for the shell, the parameters
// placed as the program options say.
#include "ui/PreviewCompare.h"

#include <QTest>

class PreviewCompareTest : public QObject {
    Q_OBJECT

private slots:
    void ExternalCommand_data() {
        QTest::addColumn<QString>("compareA");
        QTest::addColumn<QString>("compareB");
        QTest::addColumn<QString>("expected");
        QTest::newRow("preset") << "/usr/bin/meld"
                                << "%1 %2"
                                << "'/usr/bin/meld' '/q/a b.txt' '/z/it'\\''s.txt'";
        QTest::newRow("reordered and repeated") << "diff"
                                                << "-u %2 %1 %2"
                                                << "'diff' -u '/z/it'\\''s.txt' '/q/a b.txt' '/z/it'\\''s.txt'";
        QTest::newRow("no placeholders") << "tool"
                                         << ""
                                         << "'tool' ";
        QTest::newRow("other percent signs kept") << "tool"
                                                  << "%3 100% %"
                                                  << "'tool' %3 100% %";
    }
    void ExternalCommand() {
        QFETCH(QString, compareA);
        QFETCH(QString, compareB);
        QFETCH(QString, expected);
        const ui::cComparePair pair{"/q/a b.txt", "/z/it's.txt", false};
        QCOMPARE(
            QString::fromStdString(ui::ExternalCompareCommand(compareA.toStdString(), compareB.toStdString(), pair)),
            expected);
    }
};

QTEST_MAIN(PreviewCompareTest)
#include "PreviewCompareTest.moc"
