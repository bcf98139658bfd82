// The biorhythm chart of the main display: the three curves from fifteen days before today to fifteen after.
#pragma once

#include <QString>
#include <QWidget>

namespace ui {

class cBiorhythmChart : public QWidget {
public:
    // birthDate in days since 30 December 1899 (the program option BirthDate); "today" comes from the program's
    // clock each time the chart is drawn.
    cBiorhythmChart(double birthDate, QWidget* parent);

    QString Title() const;    // "Biorhythmus"
    QString Subtitle() const; // "für das Geburtsdatum 09.12.1990"
    // Day numbers (days since 30 December 1899) of the first and the last point: today - 15 and today + 15.
    int FirstDay() const;
    int LastDay() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_birthDay;
};

} // namespace ui
