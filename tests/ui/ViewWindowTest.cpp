// The view window: the description tree of the document, opened where it says, and its saved place.
#include "ui/ViewWindow.h"
#include "profile/Parameters.h"
#include "support/DescribeFixtures.h"
#include "ui/WindowPlacement.h"

#include <QTest>
#include <QTreeWidget>

#include <utility>

namespace {

constexpr auto kPlace = static_cast<std::size_t>(ui::eWindowPlace::ViewWindow);

QStringList TopLevelTexts(const QTreeWidget& tree) {
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        texts << tree.topLevelItem(i)->text(0);
    return texts;
}

QTreeWidgetItem* TopLevel(const QTreeWidget& tree, const QString& text) {
    const QList<QTreeWidgetItem*> found = tree.findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void SmallProfile(cParameters& params) {
    params.ResetProfile();
    params.DocumentKind = kProfileDocument;
    params.DocumentFile = "/home/anna/Briefe.tvp";
    params.SourceDrive = "/home/anna";
    params.SearchDirectories.Add("\\Briefe\\*");
    params.CompareFiles.Add("*.odt");
}

} // namespace

class ViewWindowTest : public QObject {
    Q_OBJECT

private slots:
    void ShowsTheProfileWithSourceAndDestinationOpen() {
        cParameters params;
        SmallProfile(params);
        const cParameters& document = params;
        ui::TViewWnd window(document, nullptr);
        QCOMPARE(window.objectName(), QStringLiteral("ViewWnd"));
        QCOMPARE(window.windowTitle(), QStringLiteral("/home/anna/Briefe.tvp"));
        QVERIFY(window.isWindow());
        auto* tree = window.findChild<QTreeWidget*>("DescriptionTree");
        QVERIFY(tree);
        QCOMPARE(TopLevelTexts(*tree), QStringList({"Quelle", "Ziel", "Optionen", "Vorschau", "Log", "Zeitplaner..."}));

        QTreeWidgetItem* source = TopLevel(*tree, "Quelle");
        QVERIFY(source->isExpanded());
        QVERIFY(source->font(0).bold());
        QCOMPARE(source->child(0)->text(0), QStringLiteral("Laufwerk: /home/anna"));
        QTreeWidgetItem* search = source->child(1);
        QCOMPARE(search->text(0), QStringLiteral("Verzeichnisse durchsuchen..."));
        QVERIFY(search->isExpanded()); // with all descendants
        QCOMPARE(search->child(0)->text(0), QStringLiteral("\\Briefe\\*"));
        QVERIFY(TopLevel(*tree, "Ziel")->isExpanded());

        QTreeWidgetItem* options = TopLevel(*tree, "Optionen");
        QVERIFY(!options->isExpanded());
        QCOMPARE(options->child(0)->text(0), QStringLiteral("Bereich"));
        QVERIFY(options->child(0)->font(0).underline());
        QVERIFY(!options->child(0)->font(0).bold());
    }

    void RefreshShowsTheBatchFileFullyOpen() {
        cParameters params;
        SmallProfile(params);
        ui::TViewWnd window(std::as_const(params), nullptr);
        testsupport::FillBatch(params);
        params.DocumentFile = "/home/anna/Alles.tvb";
        window.Refresh(params);
        QCOMPARE(window.windowTitle(), QStringLiteral("/home/anna/Alles.tvb"));
        auto* tree = window.findChild<QTreeWidget*>("DescriptionTree");
        QCOMPARE(TopLevelTexts(*tree), QStringList({"Profile...", "Optionen", "Zeitplaner..."}));
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->childCount() > 0) QVERIFY2((*it)->isExpanded(), qPrintable((*it)->text(0)));
    }

    void PlaceIsRestoredAndStored() {
        cParameters params;
        SmallProfile(params);
        params.WindowPositions[kPlace] = {50, 40, 450, 340, false};
        {
            ui::TViewWnd window(params, nullptr);
            QCOMPARE(window.size(), QSize(400, 300));
            window.show();
            window.resize(420, 330);
            window.move(60, 50);
            const cWindowPos expected = ui::PlacementOf(window);
            window.close();
            QCOMPARE(params.WindowPositions[kPlace], expected);
        }
        // A window built from a const document leaves the settings alone.
        const cWindowPos stored = params.WindowPositions[kPlace];
        ui::TViewWnd window(std::as_const(params), nullptr);
        window.show();
        window.resize(500, 400);
        window.close();
        QCOMPARE(params.WindowPositions[kPlace], stored);
    }
};

QTEST_MAIN(ViewWindowTest)
#include "ViewWindowTest.moc"
