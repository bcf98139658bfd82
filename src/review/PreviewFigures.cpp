// Formatting the preview's figures.
#include "review/PreviewFigures.h"

#include "platform/GermanFormat.h"

namespace {

double Megabytes(std::int64_t bytes) {
    return static_cast<double>(bytes) / 1048576.0;
}

} // namespace

std::string PreviewCountText(int count) {
    return platform::FormatNumber(count, 0);
}

std::string PreviewTransferText(std::int64_t bytes) {
    return platform::FormatNumber(Megabytes(bytes), 3) + " MB Transfer";
}

std::optional<cBalanceText> PreviewBalanceText(std::int64_t balance, std::int64_t free) {
    if (free < 0) return std::nullopt;
    if (balance >= 0) return cBalanceText{platform::FormatNumber(Megabytes(balance), 3) + " MB bleiben", false};
    return cBalanceText{platform::FormatNumber(Megabytes(-balance), 3) + " MB fehlen", true};
}
