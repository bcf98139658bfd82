// The batch options: OK stores exactly what the pages show, each box its one setting; the override boxes
// enable what they override.
#include "ui/BatchOptionsDialog.h"
#include "WrittenDocument.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <string>

namespace {

cParameters RichBatch() {
    cParameters params;
    params.ResetBatch();
    cBatchParameters& b = params.Batch;
    b.AddEntry({"/", "\\home\\anna\\Profile\\", "Briefe.tvp", kContinueOnSuccess});
    b.ChecksOverride = true;
    b.ShowPreview = false;
    b.WarningsOverride = true;
    b.Warning2Sound = b.Warning4Message = false;
    b.AutoOpen = b.AutoExit = b.TrayIcon = true;
    b.AutoShutdown = 3;
    return params;
}

} // namespace

class BatchOptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void OkWithoutChangeKeepsTheBatchFile() {
        testsupport::TempDir dir;
        cParameters params = RichBatch();
        const std::string before = uitest::Written(params, dir, "vorher.tvb");
        ui::TBatchOptionsDlg dialog(params, {}, {}, nullptr);
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(uitest::Written(params, dir, "nachher.tvb"), before);
    }

    void EachBoxChangesItsRow_data() {
        QTest::addColumn<QString>("box");
        for (const char* name :
             {"ChecksOverrideChk", "ShowPreviewChk", "WarningsOverrideChk", "Warning1MessageChk", "Warning4SoundChk",
              "AutoOpenChk", "AutoHookChk", "AutoExitChk", "ShutdownChk", "TrayIconChk"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void EachBoxChangesItsRow() {
        QFETCH(QString, box);
        testsupport::TempDir dir;
        cParameters params = RichBatch();
        const std::string before = uitest::Written(params, dir, "vorher.tvb");
        ui::TBatchOptionsDlg dialog(params, {}, {}, nullptr);
        auto* check = dialog.findChild<QCheckBox*>(box);
        QVERIFY(check);
        check->setChecked(!check->isChecked());
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(uitest::DifferentLines(before, uitest::Written(params, dir, "nachher.tvb")), 1);
    }

    // The override boxes enable what they override; the action after the batch follows its box; a damaged
    // action number stays as it is unless the user changes the choice; Cancel stores nothing.
    void EnablingAndTheActionAfterTheBatch() {
        cParameters params = RichBatch();
        ui::TBatchOptionsDlg dialog(params, {}, {}, nullptr);
        auto* checks = dialog.findChild<QCheckBox*>("ChecksOverrideChk");
        auto* warnings = dialog.findChild<QCheckBox*>("WarningsOverrideChk");
        QVERIFY(dialog.findChild<QCheckBox*>("ShowPreviewChk")->isEnabled());
        checks->setChecked(false);
        QVERIFY(!dialog.findChild<QCheckBox*>("ShowPreviewChk")->isEnabled());
        warnings->setChecked(false);
        QVERIFY(!dialog.findChild<QCheckBox*>("Warning3SoundChk")->isEnabled());
        QCOMPARE(dialog.findChild<QComboBox*>("ShutdownCbo")->currentIndex(), 2);
        dialog.findChild<QComboBox*>("ShutdownCbo")->setCurrentIndex(3);
        dialog.findChild<QPushButton*>("CancelBtn")->click();
        QVERIFY(params.Batch == RichBatch().Batch);

        ui::TBatchOptionsDlg restart(params, {}, {}, nullptr);
        restart.findChild<QComboBox*>("ShutdownCbo")->setCurrentIndex(3);
        restart.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(params.Batch.AutoShutdown, 4);

        params.Batch.AutoShutdown = 7;
        ui::TBatchOptionsDlg damaged(params, {}, {}, nullptr);
        damaged.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(params.Batch.AutoShutdown, 7);
    }
};

QTEST_MAIN(BatchOptionsDialogTest)
#include "BatchOptionsDialogTest.moc"
