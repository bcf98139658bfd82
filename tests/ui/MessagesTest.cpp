// The message box, the self-closing error box, the error report and the help window.
#include "ui/HelpWindow.h"
#include "ui/MessageDialog.h"
#include "ui/ReportError.h"
#include "ui/TimedBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>
#include <vector>

namespace {

// Runs action on the modal dialog as soon as one is open (the code under test opens it and waits in its own
// loop). A dialog still open seconds later is rejected, so that a wrong action fails the test instead of
// hanging it.
void WhenModal(std::function<void(QWidget*)> action) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        poll->stop();
        poll->deleteLater();
        QPointer<QWidget> dialog(modal);
        action(modal);
        QTimer::singleShot(3000, [dialog] {
            if (dialog && dialog->isVisible()) qobject_cast<QDialog*>(dialog.data())->reject();
        });
    });
    poll->start();
}

QPushButton* Button(QWidget* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
}

// The object names of the dialog's push buttons from left to right.
QStringList ButtonNames(QWidget* dialog) {
    QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList names;
    for (QPushButton* button : buttons)
        names << button->objectName();
    return names;
}

void CloseHelpWindow() {
    if (ui::THelpWnd* help = ui::OpenHelpWindow()) {
        help->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

class MessagesTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { CloseHelpWindow(); }

    // Per button set: the buttons from left to right with their German texts, what each answers, what Enter
    // (the first button) and Esc answer.
    void ButtonsAndAnswersPerSet() {
        struct Case {
            eMessageButtons buttons;
            QStringList names;
            QStringList texts;
            std::vector<eAnswer> answers; // of the buttons before Help
            eAnswer escape;
        };
        const Case cases[] = {
            {eMessageButtons::Ok, {"OkBtn"}, {"OK"}, {eAnswer::Ok}, eAnswer::Ok},
            {eMessageButtons::OkHelp, {"OkBtn", "HelpBtn"}, {"OK", "Hilfe"}, {eAnswer::Ok}, eAnswer::Ok},
            {eMessageButtons::OkCancelHelp,
             {"OkBtn", "CancelBtn", "HelpBtn"},
             {"OK", "Abbrechen", "Hilfe"},
             {eAnswer::Ok, eAnswer::Cancel},
             eAnswer::Cancel},
            {eMessageButtons::YesNo, {"YesBtn", "NoBtn"}, {"Ja", "Nein"}, {eAnswer::Yes, eAnswer::No}, eAnswer::No},
            {eMessageButtons::YesNoHelp,
             {"YesBtn", "NoBtn", "HelpBtn"},
             {"Ja", "Nein", "Hilfe"},
             {eAnswer::Yes, eAnswer::No},
             eAnswer::No},
        };
        for (const Case& c : cases) {
            const QByteArray label = c.names.join(u' ').toLatin1();
            for (std::size_t i = 0; i < c.answers.size(); ++i) {
                QStringList names;
                QStringList texts;
                WhenModal([&, i](QWidget* dialog) {
                    names = ButtonNames(dialog);
                    for (const QString& name : names)
                        texts << Button(dialog, name.toLatin1().constData())->text();
                    Button(dialog, c.names[static_cast<qsizetype>(i)].toLatin1().constData())->click();
                });
                const eAnswer answer = ui::ShowMessageDialog(nullptr, QStringLiteral("Profil.tvp - Tolvan 6"), 30101,
                                                             eMessageKind::Error, c.buttons, QStringLiteral("Text"));
                QVERIFY2(answer == c.answers[i], label.constData());
                QCOMPARE(names, c.names);
                QCOMPARE(texts, c.texts);
            }
            WhenModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
            QVERIFY2(ui::ShowMessageDialog(nullptr, {}, 0, eMessageKind::Confirmation, c.buttons,
                                           QStringLiteral("T")) == c.answers.front(),
                     label.constData());
            WhenModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
            QVERIFY2(ui::ShowMessageDialog(nullptr, {}, 0, eMessageKind::Warning, c.buttons, QStringLiteral("T")) ==
                         c.escape,
                     label.constData());
        }
    }

    void BoxShowsCaptionTextAndKind() {
        QString caption;
        QString text;
        WhenModal([&](QWidget* dialog) {
            caption = dialog->windowTitle();
            text = dialog->findChild<QLabel*>(QStringLiteral("MessageLbl"))->text();
            QVERIFY(!dialog->findChild<QLabel*>(QStringLiteral("KindImg"))->pixmap().isNull());
            QCOMPARE(dialog->objectName(), QStringLiteral("MessageDlg"));
            Button(dialog, "OkBtn")->click();
        });
        ui::ShowMessageDialog(nullptr, {}, 0, eMessageKind::Information, eMessageButtons::Ok,
                              QStringLiteral("Zeile 1\n\n<b>Zeile 3</b>"));
        QCOMPARE(caption, QStringLiteral("Information"));
        QCOMPARE(text, QStringLiteral("Zeile 1\n\n<b>Zeile 3</b>"));
    }

    // Help opens the message's page and leaves the box open; the help window stays usable above the modal box
    // and stays open after the box is gone.
    void HelpKeepsTheBoxOpen() {
        bool stillOpen = false;
        QUrl page;
        bool helpAboveBox = false;
        WhenModal([&](QWidget* dialog) {
            Button(dialog, "HelpBtn")->click();
            QCoreApplication::processEvents();
            stillOpen = dialog->isVisible() && QApplication::activeModalWidget() == dialog;
            ui::THelpWnd* help = ui::OpenHelpWindow();
            if (help) {
                page = help->Page();
                helpAboveBox = help->isVisible() && help->parentWidget() == dialog;
            }
            Button(dialog, "YesBtn")->click();
        });
        const eAnswer answer = ui::ShowMessageDialog(nullptr, {}, 30123, eMessageKind::Warning,
                                                     eMessageButtons::YesNoHelp, QStringLiteral("Fortfahren?"));
        QVERIFY(stillOpen);
        QVERIFY(helpAboveBox);
        QCOMPARE(answer, eAnswer::Yes);
        QCOMPARE(page.fileName(), QStringLiteral("30100.html"));
        QCOMPARE(page.fragment(), QStringLiteral("c30123"));
        QVERIFY(ui::OpenHelpWindow());
        QVERIFY(ui::OpenHelpWindow()->isVisible());
        QVERIFY(!ui::OpenHelpWindow()->parentWidget());
    }

    void CheckBoxStateGoesInAndOut() {
        for (bool before : {false, true}) {
            bool shownChecked = !before;
            WhenModal([&](QWidget* dialog) {
                auto* check = dialog->findChild<QCheckBox*>(QStringLiteral("OptionChk"));
                shownChecked = check->isChecked();
                check->click();
                Button(dialog, "NoBtn")->click();
            });
            bool checked = before;
            const eAnswer answer =
                ui::ShowMessageDialog(nullptr, QStringLiteral("Neuling?"), 0, eMessageKind::Confirmation,
                                      eMessageButtons::YesNo, QStringLiteral("Möchten Sie fortfahren?"),
                                      QStringLiteral("Diese Warnung künftig nicht mehr zeigen"), checked);
            QCOMPARE(answer, eAnswer::No);
            QCOMPARE(shownChecked, before);
            QCOMPARE(checked, !before);
        }
    }

    void TimedBoxClosesItself() {
        QString buttonText;
        QStringList lines;
        auto* poll = new QTimer(this);
        poll->setInterval(10);
        connect(poll, &QTimer::timeout, [&, poll] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            poll->stop();
            buttonText = Button(modal, "OkBtn")->text();
            for (const char* name : {"Line1Lbl", "FileNameLbl", "Line3Lbl"})
                lines << modal->findChild<QLabel*>(QString::fromLatin1(name))->text();
        });
        poll->start();
        QElapsedTimer clock;
        clock.start();
        ui::ShowTimedBox(nullptr, QStringLiteral("Tolvan 6"), QStringLiteral("Fehler beim Lesen von"),
                         QStringLiteral("/home/anna/Brief.odt"), QStringLiteral("Zugriff verweigert"), 1);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 900 && elapsed < 5000, QByteArray::number(elapsed).constData());
        QCOMPARE(buttonText, QStringLiteral("OK (1)"));
        QCOMPARE(lines, QStringList({QStringLiteral("Fehler beim Lesen von"), QStringLiteral("/home/anna/Brief.odt"),
                                     QStringLiteral("Zugriff verweigert")}));
    }

    void TimedBoxCountsDownAndClosesOnOk() {
        ui::TTimedBox box(nullptr, QStringLiteral("Tolvan 6"), QStringLiteral("a"), QStringLiteral("b"),
                          QStringLiteral("c"), 30);
        box.show();
        auto* ok = Button(&box, "OkBtn");
        QCOMPARE(ok->text(), QStringLiteral("OK (30)"));
        QTRY_COMPARE_WITH_TIMEOUT(ok->text(), QStringLiteral("OK (29)"), 3000);
        ok->click();
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }

    void ReportErrorNamesErrorAndRoutineAndHelpsWithContact() {
        QString text;
        QStringList names;
        QUrl page;
        WhenModal([&](QWidget* dialog) {
            text = dialog->findChild<QLabel*>(QStringLiteral("MessageLbl"))->text();
            names = ButtonNames(dialog);
            Button(dialog, "HelpBtn")->click();
            if (ui::OpenHelpWindow()) page = ui::OpenHelpWindow()->Page();
            Button(dialog, "OkBtn")->click();
        });
        ui::ReportError(nullptr, QStringLiteral("Zugriffsverletzung"), QStringLiteral("SOURCE"));
        QCOMPARE(text, QStringLiteral("Fehler \"Zugriffsverletzung\" aufgetreten in Routine SOURCE!\n"
                                      "Bitte setzen Sie sich mit dem Hersteller in Verbindung.\n"
                                      "Kontaktinformation erhalten Sie über den Hilfe-Knopf."));
        QCOMPARE(names, QStringList({QStringLiteral("OkBtn"), QStringLiteral("HelpBtn")}));
        QCOMPARE(page.fileName(), QStringLiteral("10010.html"));
    }

    // Every help context of the main window has a page of its own; a message code shows its group's page at its
    // place; anything else shows the contents.
    void HelpShowsThePageOfTheContext() {
        for (int context : {1010, 1020, 4110, 4120, 4130, 4210, 4220, 4230, 4240, 4270, 4280, 4290, 4310, 4320, 4330,
                            4910, 4920, 10010}) {
            ui::ShowHelp(nullptr, context);
            QCOMPARE(ui::OpenHelpWindow()->Page().fileName(), QString::number(context) + QStringLiteral(".html"));
        }
        struct Case {
            int context;
            const char* page;
            const char* fragment;
        };
        const Case cases[] = {
            {30002, "30000.html", "c30002"}, {30101, "30100.html", "c30101"}, {30125, "30100.html", "c30125"},
            {30302, "30200.html", "c30302"}, {30998, "30900.html", "c30998"}, {0, "1020.html", ""},
            {4711, "1020.html", ""},         {-5, "1020.html", ""},
        };
        for (const Case& c : cases) {
            ui::ShowHelp(nullptr, c.context);
            QCOMPARE(ui::OpenHelpWindow()->Page().fileName(), QString::fromLatin1(c.page));
            QCOMPARE(ui::OpenHelpWindow()->Page().fragment(), QString::fromLatin1(c.fragment));
        }
    }

    void HelpIsOneWindowWithBackForwardAndContents() {
        ui::ShowHelp(nullptr, 4910);
        ui::THelpWnd* help = ui::OpenHelpWindow();
        QCOMPARE(help->objectName(), QStringLiteral("HelpWnd"));
        auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
        QCOMPARE(browser->documentTitle(), QStringLiteral("Los"));
        QVERIFY(help->windowTitle().contains(QStringLiteral("Los")));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("startet einen Lauf")));

        ui::ShowHelp(nullptr, 4220);
        QCOMPARE(ui::OpenHelpWindow(), help);
        Button(help, "BackBtn")->click();
        QCOMPARE(help->Page().fileName(), QStringLiteral("4910.html"));
        Button(help, "ForwardBtn")->click();
        QCOMPARE(help->Page().fileName(), QStringLiteral("4220.html"));
        Button(help, "ContentsBtn")->click();
        QCOMPARE(help->Page().fileName(), QStringLiteral("1020.html"));
    }
};

QTEST_MAIN(MessagesTest)
#include "MessagesTest.moc"
