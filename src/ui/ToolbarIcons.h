// The pictures of the main window's image buttons and the program's icon, drawn rather than shipped.
#pragma once

#include <QIcon>
#include <QImage>

namespace ui {

enum class eToolbarIcon { Exit, ExpressSetup, Profiles, Source, Destination, Options, Go };

QIcon ToolbarIcon(eToolbarIcon icon);
// The program's icon; lit while a run of the mute mode works, dark otherwise.
QIcon ProgramIcon(bool lit);
// The program's icon as an image of size x size pixels (the installed icon theme's PNG sizes).
QImage ProgramIconImage(bool lit, int size);

} // namespace ui
