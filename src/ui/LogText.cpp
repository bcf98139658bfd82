#include "ui/LogText.h"

#include "log/LogFile.h"
#include "platform/ReadRegularFile.h"
#include "platform/Text.h"

namespace ui {

cLogText ReadLogText(const std::string& nativePath) {
    platform::FileBytes file = platform::ReadRegularFile(nativePath, kMaxLogReadBytes);
    if (!file) return {file.error, {}, {}};
    // One decoding and one hand-over of the whole text: a log of many megabytes opens in about a second.
    cLogText log{0, QString::fromStdString(platform::DecodeFileText(file.bytes)), file.version};
    log.Text.remove(QLatin1Char('\r'));
    return log;
}

} // namespace ui
