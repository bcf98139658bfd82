// How the preview list looks: open folders, line mode, filter flags, colours and font of a profile.
#pragma once

#include <cstdint>
#include <string>

// Colours are Windows COLORREF values, 0x00BBGGRR (red in the lowest byte), as profile files store them.
struct cPreviewParameters {
    bool OpenFolders = true;
    bool OneLine = false;
    bool DoubleFilter = false;
    bool SizesFilter = false;
    bool PropertiesFilter = false;
    bool ForwardFilter = false;
    bool SkipFilter = false;
    bool DeleteFilter = false;
    bool BackwardFilter = false;
    // Per block: use the system colour instead of the own colour below.
    bool Block1System = false;
    bool Block2System = false;
    bool ForwardSystem = false;
    bool SkipSystem = false;
    bool DeleteSystem = false;
    bool BackwardSystem = false;
    std::uint32_t Block1Color = 0xFFFFFF;
    std::uint32_t Block2Color = 0xF0F0F0;
    std::uint32_t ForwardColor = 0x008000;
    std::uint32_t SkipColor = 0x008080;
    std::uint32_t DeleteColor = 0x0000FF;
    std::uint32_t BackwardColor = 0x800000;
    bool ForcePaths = true;
    std::string FontName = "MS Sans Serif";
    int FontSize = 8;

    bool operator==(const cPreviewParameters&) const = default;
};
