// Stored positions of the main and secondary windows, with their settings sections and defaults.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The window's normal-position rectangle in screen pixels (Right and Bottom are edges, not sizes).
struct cWindowPos {
    std::int16_t Left = 0;
    std::int16_t Top = 0;
    std::int16_t Right = 0;
    std::int16_t Bottom = 0;
    bool Maximized = false;

    bool operator==(const cWindowPos&) const = default;
};

inline constexpr std::size_t kWindowPosCount = 12;
// Settings group of the first window position; position i (0-based) is group kFirstWindowPosGroup + i.
inline constexpr int kFirstWindowPosGroup = 6;

struct cWindowPosGroup {
    std::string_view Section;
    // The section has the keys "Right", "Bottom" and "Maximized" besides "Left" and "Top".
    bool HasSize;
    cWindowPos Default;
    // Non-zero: the default Left and Top centre a window of this size on the screen instead.
    int CentredWidth;
    int CentredHeight;
};

inline constexpr std::array<cWindowPosGroup, kWindowPosCount> kWindowPosGroups = {{
    {"Main Window", false, {100, 10, 0, 0, false}, 0, 0},
    {"NetBrowser Dialog", true, {160, 60, 480, 420, false}, 0, 0},
    {"View Log Dialog", true, {0, 0, 800, 600, false}, 0, 0},
    {"Express Setup Dialog", true, {0, 0, 800, 600, false}, 0, 0},
    {"View Window", true, {160, 60, 480, 420, false}, 0, 0},
    {"Info Window", false, {}, 408, 121},
    {"List Dialog", true, {0, 0, 480, 640, false}, 0, 0},
    {"Hardcopy Dialog", true, {0, 0, 480, 640, false}, 0, 0},
    {"Copy Window", false, {}, 640, 258},
    {"FTP Communications Window", true, {0, 0, 480, 640, false}, 0, 0},
    {"Run Started Window", true, {0, 0, 300, 300, false}, 0, 0},
    {"Run Finished Window", true, {0, 0, 300, 100, false}, 0, 0},
}};

// The default of window position index (0..11) on a primary screen of the given size in pixels.
constexpr cWindowPos DefaultWindowPos(std::size_t index, int screenWidth, int screenHeight) {
    const cWindowPosGroup& group = kWindowPosGroups[index];
    cWindowPos pos = group.Default;
    if (group.CentredWidth != 0) {
        // Integer division truncates toward zero, also for a screen smaller than the window.
        pos.Left = static_cast<std::int16_t>((screenWidth - group.CentredWidth) / 2);
        pos.Top = static_cast<std::int16_t>((screenHeight - group.CentredHeight) / 2);
    }
    return pos;
}
