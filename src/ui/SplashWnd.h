// The splash window at start: the program's name while the program gets ready.
#pragma once

#include <QWidget>

namespace ui {

class TSplashWnd : public QWidget {
    Q_OBJECT

public:
    explicit TSplashWnd(QWidget* parent = nullptr);
};

// Shows the splash window, centred on the primary screen, for milliseconds while the windows keep being
// served, then closes it.
void ShowSplash(int milliseconds);

} // namespace ui
