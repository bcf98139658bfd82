// The bar of the progress window: a lowered panel in dark grey, filled in amber from the left as far as the
// copy has come.
#pragma once

#include <QFrame>

namespace ui {

class cCopyBar : public QFrame {
    Q_OBJECT

public:
    explicit cCopyBar(QWidget* parent = nullptr);

    // The part done, 0..1 (values outside are taken as the nearest end).
    void SetFraction(double fraction);
    double Fraction() const { return m_fraction; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_fraction = 0;
};

} // namespace ui
