// Answers the modal dialogs that a command opens, one step per dialog, in the order they appear.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>
#include <utility>

namespace uitest {

class cModalScript {
public:
    using Step = std::function<void(QWidget* modal)>;

    cModalScript() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    // Clicks the button of that object name in the next dialog, after look has seen the dialog.
    cModalScript& Click(const char* button, std::function<void(QWidget*)> look = {}) {
        return Then([this, button, look](QWidget* modal) {
            if (look) look(modal);
            Press(modal, modal->findChild<QAbstractButton*>(QString::fromLatin1(button)));
        });
    }
    // Clicks the button captioned so ("Ja" finds "&Ja" as well) in the next dialog.
    cModalScript& ClickText(const QString& caption) {
        return Then([this, caption](QWidget* modal) {
            QAbstractButton* found = nullptr;
            for (QAbstractButton* button : modal->findChildren<QAbstractButton*>())
                if (button->text().remove(QLatin1Char('&')) == caption) found = button;
            Press(modal, found);
        });
    }
    // Closes the next dialog as Esc would.
    cModalScript& Reject(std::function<void(QWidget*)> look = {}) {
        return Then([look](QWidget* modal) {
            if (look) look(modal);
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        });
    }
    // Chooses a file in the next file dialog (after look has seen it), or cancels it with an empty path.
    cModalScript& ChooseFile(QString path, std::function<void(QFileDialog*)> look = {}) {
        return Then([path, look](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) return;
            if (look) look(dialog);
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(path);
            // selectFile leaves the name field alone while it has the focus, as it has once the dialog is shown.
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(QFileInfo(path).fileName());
            QMetaObject::invokeMethod(dialog, "accept");
        });
    }
    cModalScript& Then(Step step) {
        m_steps.push_back(std::move(step));
        return *this;
    }

    // Dialogs answered so far, and whether every step was used.
    int Answered() const { return m_answered; }
    bool Done() const { return m_steps.empty(); }
    int Unexpected() const { return m_unexpected; }

private:
    // A button that is not there counts as an unexpected dialog, which is closed so that the test goes on.
    void Press(QWidget* modal, QAbstractButton* button) {
        if (button) {
            button->click();
            return;
        }
        ++m_unexpected;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    }

    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || modal->property("uitestAnswered").toBool()) return;
        modal->setProperty("uitestAnswered", true);
        if (m_steps.empty()) {
            // A dialog nobody expected: closed, so the test fails on its count instead of hanging.
            ++m_unexpected;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            return;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        ++m_answered;
        // Run outside the timer's handler: a step may open the next dialog, and a timer does not fire again
        // while its own handler is still running.
        QPointer<QWidget> target(modal);
        QMetaObject::invokeMethod(
            &m_timer,
            [step = std::move(step), target] {
                if (target) step(target);
            },
            Qt::QueuedConnection);
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    int m_answered = 0;
    int m_unexpected = 0;
};

// The text of a message box, the program's or Qt's (empty for another dialog).
inline QString BoxText(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) return box->text();
    auto* label = modal ? modal->findChild<QLabel*>(QStringLiteral("MessageLbl")) : nullptr;
    return label ? label->text() : QString();
}

} // namespace uitest
