// Building the preview's groups and their German captions from the sorted candidate list.
#include "engine/Folders.h"

#include "engine/CandidateSort.h"
#include "platform/Collation.h"
#include "platform/GermanFormat.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace {

// The first UTF-8 character (a lone byte when the text is no valid UTF-8 there).
std::string_view FirstCharacter(std::string_view text) {
    if (text.empty()) return text;
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    length = std::min(length, text.size());
    const std::string_view first = text.substr(0, length);
    return platform::IsValidUtf8(first) ? first : text.substr(0, 1);
}

int DecimalDigits(std::int64_t size) {
    int digits = 0;
    for (; size > 0; size /= 10)
        ++digits;
    return digits;
}

std::string SizeCaption(int digits) {
    if (digits == 0) return platform::FormatNumber(0, 0) + " Bytes";
    if (digits >= 10) return "Größer als " + platform::FormatNumber(1'000'000'000, 0) + " Bytes";
    double low = 1;
    for (int i = 1; i < digits; ++i)
        low *= 10;
    return platform::FormatNumber(low, 0) + "..." + platform::FormatNumber(low * 10 - 1, 0) + " Bytes";
}

// Directories are shown in their native form after the common leading part.
std::string DirectoryCaption(const cFolderOptions& options, int dirIndex) {
    std::string_view directory;
    if (options.SourceDirList != nullptr && dirIndex >= 0 &&
        static_cast<std::size_t>(dirIndex) < options.SourceDirList->size())
        directory = (*options.SourceDirList)[static_cast<std::size_t>(dirIndex)];
    const std::string_view cut = options.CutPath;
    if (!cut.empty() && directory.size() >= cut.size() &&
        platform::LowerCase(directory.substr(0, cut.size())) == platform::LowerCase(cut))
        directory.remove_prefix(cut.size());
    std::string caption = "..." + std::string(directory);
    std::replace(caption.begin(), caption.end(), '\\', '/');
    return caption;
}

// The group key of a candidate; two candidates belong to one group when their keys are equal.
std::string GroupKey(const cCandidate& c, int sortMode) {
    switch (sortMode) {
    case kSortByPath:
        return std::to_string(c.DirIndex);
    case kSortByName: // "Apfel", "Äpfel" and "Axt" stand together under "A...", as they sort
        return platform::PrimaryCollationKey(FirstCharacter(c.BaseName));
    case kSortByType:
        return platform::FoldCase(c.Extension);
    case kSortBySize:
        return std::to_string(DecimalDigits(c.SortSize));
    case kSortByDateTime:
        return std::to_string(platform::DayNumberFromFileTime(c.SortTime));
    case kSortByCategory:
        return std::to_string(c.Action());
    default:
        return {};
    }
}

std::string GroupCaption(const cCandidate& c, const cFolderOptions& options) {
    switch (options.SortMode) {
    case kSortByPath:
        return DirectoryCaption(options, c.DirIndex);
    case kSortByName:
        return platform::UpperCase(FirstCharacter(c.BaseName)) + "...";
    case kSortByType:
        return c.Extension.empty() ? "<ohne Typ>" : platform::LowerCase(c.Extension);
    case kSortBySize:
        return SizeCaption(DecimalDigits(c.SortSize));
    case kSortByDateTime:
        return platform::FormatDateTime("dddd ddddd",
                                        platform::FileTimeFromDayNumber(platform::DayNumberFromFileTime(c.SortTime)));
    case kSortByCategory:
        return ActionCaption(c.Action());
    default:
        return {};
    }
}

} // namespace

std::string ActionCaption(ActionFlags action) {
    switch (action) {
    case kActionForward:
        return "Vorwärts";
    case kActionSkip:
        return "Überspringen";
    case kActionDelete:
        return "Löschen";
    case kActionBackward:
        return "Rückwärts";
    default:
        return {};
    }
}

std::vector<std::unique_ptr<cFolder>> BuildFolders(const std::vector<std::unique_ptr<cCandidate>>& candidates,
                                                   const cFolderOptions& options) {
    std::vector<std::unique_ptr<cFolder>> folders;
    std::string previousKey;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        std::string key = GroupKey(*candidates[i], options.SortMode);
        if (i > 0 && key == previousKey) continue;
        auto folder = std::make_unique<cFolder>();
        folder->Caption = GroupCaption(*candidates[i], options);
        folder->FirstIndex = static_cast<int>(i);
        folder->Expanded = options.OpenFolders;
        if (!folders.empty()) folders.back()->LastIndex = folder->FirstIndex - 1;
        folders.push_back(std::move(folder));
        previousKey = std::move(key);
    }
    if (!folders.empty()) folders.back()->LastIndex = static_cast<int>(candidates.size()) - 1;
    return folders;
}
