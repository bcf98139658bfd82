#include "destinations/Variation.h"

#include "destinations/PathNames.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/GermanFormat.h"
#include "platform/RenameNoReplace.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"
#include "profile/Utf8Prefix.h"
#include "profile/Variables.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

constexpr std::size_t kEightThreeLength = 8;
constexpr std::size_t kMaxUserName = 1024;

std::string Cut(std::string_view text, std::size_t maxChars) {
    return std::string(Utf8Prefix(text, maxChars));
}

platform::FileTime VariationDate(double dateOffset) {
    const auto shift =
        static_cast<platform::FileTime>(std::llround(dateOffset * static_cast<double>(platform::kTicksPerDay)));
    return platform::NowLocal() - shift;
}

// Linux sessions set USER and LOGNAME; USERNAME comes first for profiles that rely on it. The value is cleaned
// so that a name holding "/" or ".." cannot lead out of the destination; one that is empty afterwards counts as
// not set.
std::optional<std::string> UserName() {
    for (std::string_view name : {"USERNAME", "USER", "LOGNAME"}) {
        std::optional<std::string> value = platform::GetEnvironment(name);
        if (!value) continue;
        std::string safe = RemoveUnsafeChars(Utf8Prefix(*value, kMaxUserName));
        if (!safe.empty()) return safe;
    }
    return std::nullopt;
}

// "Backup.zip" + "Gerade" → "Backup Gerade.zip"; a name without extension gets " Gerade" at its end.
std::string ArchiveWithVariation(const std::string& archive, const std::string& variation) {
    const std::size_t dot = archive.rfind('.');
    if (dot == std::string::npos) return archive + ' ' + variation;
    return archive.substr(0, dot) + ' ' + variation + archive.substr(dot);
}

// Shifts the generations by one: Vater → Grossvater, Sohn → Vater, Enkel → Sohn, Grossvater → Enkel. A rename
// whose source is missing or whose target exists fails and the rotation goes on, so the set fills up over the
// first runs. rename(2) is complete when it returns, so no step waits for the file system.
void RotateGenerations(const std::string& base, bool eightThree) {
    const std::string passing = base + (eightThree ? "Grossvtr" : "Grossvater");
    const std::string father = base + "Vater";
    const std::string son = base + "Sohn";
    const std::string grandson = base + "Enkel";
    const std::array<std::array<const std::string*, 2>, 4> steps = {{
        {&father, &passing},
        {&son, &father},
        {&grandson, &son},
        {&passing, &grandson},
    }};
    for (const auto& [from, to] : steps)
        (void)platform::RenameNoReplace(*from, *to); // a failed step is part of the rotation's design
}

} // namespace

std::string VariationName(int variation, bool eightThree, double dateOffset) {
    switch (variation) {
    case kVariationDate: {
        const platform::FileTime date = VariationDate(dateOffset);
        return RemoveUnsafeChars(eightThree ? "A" + platform::FormatDateTime("ddmmyy", date)
                                            : platform::FormatDateTime("dddddd", date));
    }
    case kVariationWeekday: {
        std::string day = RemoveUnsafeChars(platform::FormatDateTime("dddd", VariationDate(dateOffset)));
        return eightThree ? Cut(day, kEightThreeLength) : day;
    }
    case kVariationEvenOdd:
        return platform::SplitFileTime(VariationDate(dateOffset)).day % 2 != 0 ? "Ungerade" : "Gerade";
    case kVariationGenerations:
        return "Enkel";
    case kVariationUserName: {
        std::optional<std::string> user = UserName();
        if (!user) return eightThree ? "Unbkannt" : "Unbekannter Benutzer";
        return eightThree ? Cut(*user, kEightThreeLength) : *user;
    }
    default:
        return {};
    }
}

void ResolveVariation(cParameters& params, const std::string& destRoot, bool rotate) {
    std::string dir = ExpandVariables(params.DestDirectory, params.DateOffset);
    const std::string archive = ExpandVariables(params.DestArchive, params.DateOffset);
    params.ResolvedDestDirectory = dir;
    params.ResolvedArchiveName = archive;

    std::string variation = VariationName(params.Variation, params.EightThree, params.DateOffset);
    if (variation.empty()) return;
    // A directory whose variables expanded to a text without the closing "\" must not merge with the name.
    if (dir.empty() || dir.back() != '\\') dir += '\\';
    // The generations are directories of the local file system; an FTP destination works in "Enkel" as it is.
    if (params.Variation == kVariationGenerations && params.DestType != eDestType::Ftp) {
        if (rotate)
            RotateGenerations(platform::NativePath(destRoot, dir), params.EightThree);
        else if (params.DestType != eDestType::Zip || !params.ZipAddVariation)
            variation = "Vater"; // the directory the rotation would make the grandson
    }

    if (params.DestType == eDestType::Zip && params.ZipAddVariation)
        params.ResolvedArchiveName = ArchiveWithVariation(archive, variation);
    else
        params.ResolvedDestDirectory = dir + variation + "\\";
}
