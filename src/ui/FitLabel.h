// A one-line label that shows its text shortened in the middle (FitText) to the width the layout gives it,
// so that a long path never widens or clips its window.
#pragma once

#include <QLabel>

namespace ui {

class cFitLabel : public QLabel {
    Q_OBJECT

public:
    explicit cFitLabel(QWidget* parent = nullptr);

    // The whole text; the label shows as much of it as fits.
    void SetFullText(const QString& text);
    const QString& FullText() const { return m_fullText; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Refit();

    QString m_fullText;
};

} // namespace ui
