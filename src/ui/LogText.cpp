#include "ui/LogText.h"

#include "platform/ReadRegularFile.h"
#include "platform/Text.h"

namespace ui {

namespace {

// Logs of a few hundred megabytes are read whole; anything larger is no log of this program.
constexpr std::size_t kMaxLogBytes = std::size_t{256} << 20;

} // namespace

cLogText ReadLogText(const std::string& nativePath) {
    platform::FileBytes file = platform::ReadRegularFile(nativePath, kMaxLogBytes);
    if (!file) return {file.error, {}, {}};
    // One decoding and one hand-over of the whole text: a log of many megabytes opens in about a second.
    cLogText log{0, QString::fromStdString(platform::DecodeFileText(file.bytes)), file.version};
    log.Text.remove(QLatin1Char('\r'));
    return log;
}

} // namespace ui
