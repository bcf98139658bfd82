// The check dialogs (double modifications, size differences): what they show, the filter box that follows the
// preview box, and what OK and "Abbruch" leave in the model.
#include "ui/CheckDialog.h"
#include "engine/CheckDialogs.h"
#include "profile/Parameters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

cCheckDialogModel SizesModel() {
    cCheckDialogModel model;
    model.Kind = eCheckDialog::SizeDifferences;
    model.Heading = "Folgende Dateien unterscheiden sich in der Größe um mindestens den Faktor 2, oder sie haben "
                    "verschiedene Größen trotz identischer Datum-Zeit-Stempel:";
    model.Files = {"\\Briefe\\Brief.doc", "\\Bilder\\Urlaub.jpg"};
    model.DefaultAction = kDefaultKeepNewer;
    model.ShowPreview = true;
    model.SetFilter = true;
    return model;
}

template <class T> T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QLatin1String(name));
    if (child == nullptr) qFatal("no child %s", name);
    return child;
}

} // namespace

class CheckDialogTest : public QObject {
    Q_OBJECT

private slots:
    void ShowsTheModel() {
        cParameters params;
        params.ProfileFile = "/home/anna/Sicherung.tvp";
        cCheckDialogModel model = SizesModel();
        ui::TCheckDlg sizes(params, model);
        QCOMPARE(sizes.objectName(), QStringLiteral("SizesDlg"));
        QCOMPARE(sizes.windowTitle(), QStringLiteral("Sicherung.tvp - Tolvan 6"));
        auto* heading = Child<QLabel>(sizes, "HeadingLbl");
        QCOMPARE(heading->text(), QString::fromStdString(model.Heading));
        QVERIFY(heading->font().bold());
        auto* files = Child<QListWidget>(sizes, "FileList");
        QCOMPARE(files->count(), 2);
        // Shown as the user sees paths, with "/".
        QCOMPARE(files->item(1)->text(), QStringLiteral("/Bilder/Urlaub.jpg"));
        auto* action = Child<QComboBox>(sizes, "DefaultActionBox");
        QCOMPARE(action->count(), 5);
        QCOMPARE(action->currentText(), QStringLiteral("Neuere Version behalten"));
        QCOMPARE(action->itemText(4), QStringLiteral("Keine"));
        QVERIFY(Child<QCheckBox>(sizes, "FilterChk")->isChecked());

        model.Kind = eCheckDialog::DoubleModifications;
        model.DefaultAction = kDefaultSkip;
        ui::TCheckDlg doubles(params, model);
        QCOMPARE(doubles.objectName(), QStringLiteral("DoubleModsDlg"));
        QCOMPARE(Child<QComboBox>(doubles, "DefaultActionBox")->currentText(), QStringLiteral("Überspringen"));
    }

    // "Filter setzen" is enabled only while "Vorschau zeigen" is checked; unchecking the preview unchecks it.
    void FilterFollowsThePreview() {
        cParameters params;
        cCheckDialogModel model = SizesModel();
        model.ShowPreview = false;
        ui::TCheckDlg dialog(params, model);
        auto* preview = Child<QCheckBox>(dialog, "PreviewChk");
        auto* filter = Child<QCheckBox>(dialog, "FilterChk");
        QVERIFY(!preview->isChecked());
        QVERIFY(!filter->isEnabled());
        QVERIFY(!filter->isChecked());
        dialog.show();
        QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(4, preview->height() / 2));
        QVERIFY(preview->isChecked());
        QVERIFY(filter->isEnabled());
        filter->setChecked(true);
        QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(4, preview->height() / 2));
        QVERIFY(!filter->isEnabled());
        QVERIFY(!filter->isChecked());
    }

    void OkStoresTheChoices() {
        cParameters params;
        cCheckDialogModel model = SizesModel();
        model.SetFilter = false;
        ui::TCheckDlg dialog(params, model);
        Child<QComboBox>(dialog, "DefaultActionBox")->setCurrentIndex(kDefaultBackward);
        Child<QCheckBox>(dialog, "FilterChk")->setChecked(true);
        QCOMPARE(model.DefaultAction, kDefaultKeepNewer); // nothing is stored before OK
        QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(Child<QPushButton>(dialog, "OkBtn"), Qt::LeftButton); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(model.DefaultAction, kDefaultBackward);
        QVERIFY(model.ShowPreview);
        QVERIFY(model.SetFilter);

        ui::TCheckDlg again(params, model);
        Child<QCheckBox>(again, "PreviewChk")->setChecked(false);
        QTimer::singleShot(0, &again, [&] { QTest::keyClick(&again, Qt::Key_Return); });
        QCOMPARE(again.exec(), int(QDialog::Accepted));
        QVERIFY(!model.ShowPreview);
        QVERIFY2(!model.SetFilter, "no filter without the preview");
    }

    void CancelStoresNothing() {
        cParameters params;
        cCheckDialogModel model = SizesModel();
        ui::TCheckDlg dialog(params, model);
        QCOMPARE(Child<QPushButton>(dialog, "CancelBtn")->text(), QStringLiteral("Abbruch"));
        Child<QComboBox>(dialog, "DefaultActionBox")->setCurrentIndex(kDefaultForward);
        Child<QCheckBox>(dialog, "PreviewChk")->setChecked(false);
        QTimer::singleShot(0, &dialog,
                           [&] { QTest::mouseClick(Child<QPushButton>(dialog, "CancelBtn"), Qt::LeftButton); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(model.DefaultAction, kDefaultKeepNewer);
        QVERIFY(model.ShowPreview);
        QVERIFY(model.SetFilter);
    }
};

QTEST_MAIN(CheckDialogTest)
#include "CheckDialogTest.moc"
