// The texts of the preview's figures: counts, the transfer volume and the free-space balance of a side.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// "%.0n": thousands separators, no decimals.
std::string PreviewCountText(int count);
// "%.3n MB Transfer" of bytes / 1048576.
std::string PreviewTransferText(std::int64_t bytes);

struct cBalanceText {
    std::string Text;     // "%.3n MB bleiben" or "%.3n MB fehlen"
    bool Missing = false; // a shortfall: drawn in red

    bool operator==(const cBalanceText&) const = default;
};

// The balance of a side; none when its free space is unknown or the root is not ready (free below 0).
std::optional<cBalanceText> PreviewBalanceText(std::int64_t balance, std::int64_t free);
