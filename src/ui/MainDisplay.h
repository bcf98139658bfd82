// The main window's display area: task panel, message, picture, biorhythm chart or nothing, as the program
// option MainDisplay says.
#pragma once

#include <QWidget>

#include <cstdint>
#include <string>

struct cProgrammParameters;

namespace ui {

class cMainDisplay : public QWidget {
    Q_OBJECT

public:
    explicit cMainDisplay(QWidget* parent);
    // Replaces the content with the one the options ask for; reads the message or picture file again.
    void Rebuild(const cProgrammParameters& options);

signals:
    void TaskClicked(int task); // 1 backup wizard, 2 synchronisation wizard, 3 profile wizard

private:
    QWidget* TaskPanel();
    QWidget* MessagePanel(const std::string& messagePath);
    QWidget* PicturePanel(const std::string& picturePath, bool fitSize, std::uint32_t frameColor);

    QWidget* m_content = nullptr;
};

} // namespace ui
