// The status strip: one lamp per automatic, lit as the document says, and the end-of-session label.
#include "ui/StatusStrip.h"

#include <QLabel>
#include <QTest>

namespace {

const QStringList kLampNames = {"Open", "App", "Sense", "Hook", "Exit", "Shutdown", "Scheduler"};

QStringList LitLamps(const ui::cStatusStrip& strip) {
    QStringList lit;
    for (const QString& name : kLampNames) {
        auto* lamp = strip.findChild<QLabel*>(name + "Lamp");
        auto* label = strip.findChild<QLabel*>(name + "Lbl");
        if (!lamp || !label) return {"missing " + name};
        if (lamp->property("lit").toBool() != label->isEnabled()) return {"lamp and label differ: " + name};
        if (lamp->property("lit").toBool()) lit << name;
    }
    return lit;
}

} // namespace

class StatusStripTest : public QObject {
    Q_OBJECT

private slots:
    void LampsFollowTheAutomatics() {
        ui::cStatusStrip strip(nullptr);
        QCOMPARE(LitLamps(strip), QStringList());

        ui::cAutomaticLamps lamps;
        lamps.AutoOpen = true;
        lamps.AutoSense = true;
        lamps.AutoShutdown = 2;
        lamps.Scheduler = true;
        strip.SetLamps(lamps);
        QCOMPARE(LitLamps(strip), QStringList({"Open", "Sense", "Shutdown", "Scheduler"}));

        lamps = {};
        lamps.AutoApp = true;
        lamps.AutoHook = true;
        lamps.AutoExit = true;
        strip.SetLamps(lamps);
        QCOMPARE(LitLamps(strip), QStringList({"App", "Hook", "Exit"}));
    }

    void EndOfSessionLabelNamesTheAction() {
        ui::cStatusStrip strip(nullptr);
        auto* label = strip.findChild<QLabel*>("ShutdownLbl");
        QVERIFY(label);
        const QString off = label->text();
        QStringList seen = {off};
        for (int action = 1; action <= 4; ++action) {
            ui::cAutomaticLamps lamps;
            lamps.AutoShutdown = action;
            strip.SetLamps(lamps);
            QVERIFY(!seen.contains(label->text())); // each action has its own label
            seen << label->text();
        }
        strip.SetLamps({});
        QCOMPARE(label->text(), off);
    }
};

QTEST_MAIN(StatusStripTest)
#include "StatusStripTest.moc"
