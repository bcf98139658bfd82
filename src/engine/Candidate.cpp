// Building a candidate: the sort keys of its action and the display values of both time stamps.
#include "engine/Candidate.h"

#include "platform/GermanFormat.h"
#include "platform/Roots.h"

#include <cmath>
#include <utility>

namespace {

struct DisplayValue {
    double Value = 0;
    std::optional<cStampCorrection> Correction;
};

// A negative FileTime has no calendar fields at all; every other splits.
platform::DateTime CalendarFields(platform::FileTime t) {
    if (t < 0) return platform::DateTime{0, 0, 0, 0, 0, 0, 0, 0};
    return platform::SplitFileTime(t);
}

platform::DateTime CorrectFields(platform::DateTime f) {
    if (f.year < 1980 || f.year > 9999) f.year = 1980;
    if (f.month <= 0 || f.month > 12) f.month = 1;
    if (f.day <= 0 || f.day > 31) f.day = 1;
    if (f.hour < 0 || f.hour > 23) f.hour = 0;
    if (f.minute < 0 || f.minute > 59) f.minute = 0;
    if (f.second < 0 || f.second > 59) f.second = 0;
    if (f.millisecond < 0 || f.millisecond > 999) f.millisecond = 0;
    // A day that the month lacks (31 April) would leave the value unencodable; it becomes the month's last day.
    if (f.day > platform::DaysInMonth(f.year, f.month)) f.day = platform::DaysInMonth(f.year, f.month);
    return f;
}

DisplayValue ToDisplayValue(platform::FileTime t) {
    const platform::DateTime fields = CalendarFields(t);
    if (const std::optional<double> value = EncodeDateTimeValue(fields)) return {*value, std::nullopt};
    const platform::DateTime corrected = CorrectFields(fields);
    const platform::FileTime correctedTime =
        platform::JoinFileTime(corrected.year, corrected.month, corrected.day, corrected.hour, corrected.minute,
                               corrected.second, corrected.millisecond);
    return {EncodeDateTimeValue(corrected).value_or(0),
            cStampCorrection{fields, corrected, platform::FormatDateTime("ddddd tt", correctedTime)}};
}

} // namespace

std::optional<double> EncodeDateTimeValue(const platform::DateTime& f) {
    if (f.year < 1 || f.year > 9999 || f.month < 1 || f.month > 12 || f.day < 1 ||
        f.day > platform::DaysInMonth(f.year, f.month) || f.hour < 0 || f.hour > 23 || f.minute < 0 || f.minute > 59 ||
        f.second < 0 || f.second > 59 || f.millisecond < 0 || f.millisecond > 999)
        return std::nullopt;
    const double day = platform::DayNumberFromFileTime(platform::JoinFileTime(f.year, f.month, f.day));
    const double fraction = ((f.hour * 60.0 + f.minute) * 60.0 + f.second + f.millisecond / 1000.0) / 86'400.0;
    return day < 0 ? day - fraction : day + fraction;
}

platform::FileTime DecodeDateTimeValue(double value) {
    const double day = value < 0 ? std::ceil(value) : std::floor(value);
    const double fraction = value < 0 ? day - value : value - day;
    const auto milliseconds = static_cast<platform::FileTime>(std::llround(fraction * 86'400'000.0));
    return platform::FileTimeFromDayNumber(static_cast<int>(day)) + milliseconds * 10'000;
}

cSideTexts SideTexts(const cCandidate& candidate, bool fromSource, const std::string& nativeRoot,
                     const std::vector<std::string>& dirList) {
    cSideTexts texts;
    const auto index = static_cast<std::size_t>(candidate.DirIndex);
    const std::string directory = index < dirList.size() ? dirList[index] : std::string("\\");
    texts.Path = platform::NativePath(nativeRoot, directory + candidate.BaseName + candidate.Extension);
    const platform::FileTime time = fromSource ? candidate.SourceTime : candidate.DestTime;
    if (time == 0) return texts;
    const platform::FileTime shown =
        DecodeDateTimeValue(fromSource ? candidate.SourceDateTime : candidate.DestDateTime);
    texts.Size = platform::FormatNumber(static_cast<double>(fromSource ? candidate.SourceSize : candidate.DestSize), 0);
    texts.Date = platform::FormatDateTime("ddddd", shown);
    texts.Time = platform::FormatDateTime("tt", shown);
    return texts;
}

cCreatedCandidate CreateCandidate(int dirIndex, ActionFlags flags, const cSideRecord& source, const cSideRecord& dest,
                                  std::string baseName, std::string extension) {
    auto candidate = std::make_unique<cCandidate>();
    candidate->DirIndex = dirIndex;
    candidate->BaseName = std::move(baseName);
    candidate->Extension = std::move(extension);
    candidate->SourceAttributes = source.Attributes;
    candidate->SourceTime = source.Time;
    candidate->SourceSize = source.Size;
    candidate->DestAttributes = dest.Attributes;
    candidate->DestTime = dest.Time;
    candidate->DestSize = dest.Size;
    candidate->Flags = flags;

    const ActionFlags action = flags & kActionMask;
    const cSideRecord* sortSide = nullptr;
    if (action == kActionForward)
        sortSide = &source;
    else if (action == kActionBackward)
        sortSide = &dest;
    else if (action == kActionSkip || action == kActionDelete)
        sortSide = source.Exists() ? &source : &dest;
    if (sortSide != nullptr) {
        candidate->SortSize = sortSide->Size;
        candidate->SortTime = sortSide->Time;
    }

    DisplayValue sourceValue = ToDisplayValue(source.Time);
    DisplayValue destValue = ToDisplayValue(dest.Time);
    candidate->SourceDateTime = sourceValue.Value;
    candidate->DestDateTime = destValue.Value;
    cCreatedCandidate result{std::move(candidate), std::move(sourceValue.Correction), std::move(destValue.Correction)};
    if (result.Corrected())
        result.Candidate->Flags = static_cast<ActionFlags>((result.Candidate->Flags & ~kActionMask) | kActionSkip);
    return result;
}
