// "Übersicht": the dialog shows a profile's preview settings and writes back exactly what the user changed.
#include "ui/PreviewDialog.h"
#include "ModalScript.h"
#include "profile/Parameters.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <utility>
#include <vector>

namespace {

// Settings that differ from the defaults in every field, so that a field the dialog drops shows.
cPreviewParameters Unusual() {
    cPreviewParameters p;
    p.OpenFolders = false;
    p.OneLine = true;
    p.DoubleFilter = true;
    p.SizesFilter = false;
    p.PropertiesFilter = true;
    p.ForwardFilter = true;
    p.SkipFilter = false;
    p.DeleteFilter = true;
    p.BackwardFilter = false;
    p.Block1System = true;
    p.Block2System = false;
    p.ForwardSystem = true;
    p.SkipSystem = false;
    p.DeleteSystem = true;
    p.BackwardSystem = false;
    p.Block1Color = 0x123456;
    p.Block2Color = 0x654321;
    p.ForwardColor = 0x0A0B0C;
    p.SkipColor = 0x00FF00;
    p.DeleteColor = 0x112233;
    p.BackwardColor = 0xABCDEF;
    p.ForcePaths = false;
    p.FontName = "DejaVu Sans";
    p.FontSize = 11;
    return p;
}

struct cEdited {
    bool Changed = false;
    bool AsPlanned = false; // the dialog appeared once and the button was there
};

// Runs EditPreviewOptions on params while edit works on the open dialog and then presses button.
cEdited Edit(cParameters& params, std::function<void(QWidget*)> edit, const char* button) {
    uitest::cModalScript script;
    script.Click(button, std::move(edit));
    cEdited result;
    result.Changed = ui::EditPreviewOptions(nullptr, params);
    result.AsPlanned = script.Done() && script.Answered() == 1 && script.Unexpected() == 0;
    return result;
}

template <typename T> void Click(QWidget* dialog, const char* name) {
    auto* widget = dialog->findChild<T*>(QString::fromLatin1(name));
    QVERIFY2(widget, name);
    widget->click();
}

} // namespace

class PreviewDialogTest : public QObject {
    Q_OBJECT

private slots:
    void ShowsAndKeepsEverySetting() {
        for (const cPreviewParameters& start : {cPreviewParameters{}, Unusual()}) {
            cParameters params;
            params.Preview = start;
            const cEdited edited = Edit(params, {}, "OkBtn");
            QVERIFY(edited.AsPlanned && edited.Changed);
            QVERIFY(params.Preview == start);
        }
    }

    void CancelDiscardsChanges() {
        cParameters params;
        params.Preview = Unusual();
        const cEdited edited = Edit(
            params,
            [](QWidget* dialog) {
                Click<QRadioButton>(dialog, "OpenRbt");
                Click<QCheckBox>(dialog, "SkipFilterChk");
            },
            "CancelBtn");
        QVERIFY(edited.AsPlanned && !edited.Changed);
        QVERIFY(params.Preview == Unusual());
    }

    // Each control writes its own field and no other.
    void EachControlChangesItsField_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("field");
        for (int i = 0; i < static_cast<int>(Cases().size()); ++i)
            QTest::newRow(Cases()[i].first) << QString::fromLatin1(Cases()[i].first) << i;
    }
    void EachControlChangesItsField() {
        QFETCH(QString, control);
        QFETCH(int, field);
        cParameters params;
        params.Preview = Unusual();
        const cEdited edited = Edit(
            params,
            [control](QWidget* dialog) {
                auto* button = dialog->findChild<QAbstractButton*>(control);
                QVERIFY(button);
                button->click();
            },
            "OkBtn");
        QVERIFY(edited.AsPlanned && edited.Changed);
        cPreviewParameters expected = Unusual();
        Cases()[field].second(expected);
        QVERIFY(params.Preview == expected);
    }

    void ColourFromTheColourDialog() {
        cParameters params;
        params.Preview = Unusual();
        uitest::cModalScript script;
        script.Then([](QWidget* dialog) { dialog->findChild<QPushButton*>("SkipColorBtn")->click(); })
            .Then([](QWidget* modal) {
                auto* colours = qobject_cast<QColorDialog*>(modal);
                QVERIFY(colours);
                QCOMPARE(colours->currentColor(), QColor(0, 0xFF, 0));
                colours->setCurrentColor(QColor(0x10, 0x20, 0x30));
                QWidget* preview = colours->parentWidget();
                colours->accept();
                QTimer::singleShot(0, preview, [preview] { preview->findChild<QPushButton*>("OkBtn")->click(); });
            });
        QVERIFY(ui::EditPreviewOptions(nullptr, params));
        QVERIFY(script.Done());
        cPreviewParameters expected = Unusual();
        expected.SkipColor = 0x302010;
        QVERIFY(params.Preview == expected);
    }

    void SystemColourDisablesThePicker() {
        ui::TPreviewDlg dialog(Unusual());
        auto* system = dialog.findChild<QCheckBox*>("Block1SystemChk");
        auto* picker = dialog.findChild<QPushButton*>("Block1ColorBtn");
        QVERIFY(system && picker);
        QVERIFY(system->isChecked());
        QVERIFY(!picker->isEnabled());
        system->click();
        QVERIFY(picker->isEnabled());
        // The own colour survives a round through "System".
        QCOMPARE(dialog.Values().Block1Color, 0x123456u);
    }

private:
    using cCase = std::pair<const char*, std::function<void(cPreviewParameters&)>>;
    static const std::vector<cCase>& Cases() {
        static const std::vector<cCase> cases = {
            {"OpenRbt", [](cPreviewParameters& p) { p.OpenFolders = true; }},
            {"TwoLinesRbt", [](cPreviewParameters& p) { p.OneLine = false; }},
            {"DoubleFilterChk", [](cPreviewParameters& p) { p.DoubleFilter = false; }},
            {"SizesFilterChk", [](cPreviewParameters& p) { p.SizesFilter = true; }},
            {"PropertiesFilterChk", [](cPreviewParameters& p) { p.PropertiesFilter = false; }},
            {"ForwardFilterChk", [](cPreviewParameters& p) { p.ForwardFilter = false; }},
            {"SkipFilterChk", [](cPreviewParameters& p) { p.SkipFilter = true; }},
            {"DeleteFilterChk", [](cPreviewParameters& p) { p.DeleteFilter = false; }},
            {"BackwardFilterChk", [](cPreviewParameters& p) { p.BackwardFilter = true; }},
            {"Block2SystemChk", [](cPreviewParameters& p) { p.Block2System = true; }},
            {"DeleteSystemChk", [](cPreviewParameters& p) { p.DeleteSystem = false; }},
            {"ForcePathsChk", [](cPreviewParameters& p) { p.ForcePaths = true; }},
        };
        return cases;
    }
};

QTEST_MAIN(PreviewDialogTest)
#include "PreviewDialogTest.moc"
