// Until start-up is merged.
#include "platform/DesktopEntry.h"
#include "ui/MainWnd.h"
namespace platform {
int CreateShortcut(const std::string&, const std::string&, const std::string&, const std::string&, const std::string&) {
    return 0;
}
} // namespace platform
namespace ui {
void TMainWnd::OpenStartFile() {}
} // namespace ui
