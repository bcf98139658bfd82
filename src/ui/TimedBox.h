// The error box that closes itself: three lines (what failed, the file, why) and one "OK" button that counts
// down the seconds left.
#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class QTimer;

namespace ui {

class TTimedBox : public QDialog {
    Q_OBJECT

public:
    TTimedBox(QWidget* parent, const QString& caption, const QString& line1, const QString& fileName,
              const QString& line3, int seconds);

    int SecondsLeft() const { return m_secondsLeft; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Tick();
    void ShowSecondsLeft();

    QPushButton* m_ok;
    QTimer* m_timer;
    int m_secondsLeft;
};

// Shows the box modally over parent; returns when the user pressed OK or Esc, or after seconds.
void ShowTimedBox(QWidget* parent, const QString& caption, const QString& line1, const QString& fileName,
                  const QString& line3, int seconds = 30);

} // namespace ui
