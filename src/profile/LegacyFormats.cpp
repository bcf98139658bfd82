// Recognises the earlier profile and batch formats by their first line and hands the file to the reader of
// its layout.
#include "profile/LegacyFormats.h"

#include "profile/LegacyReaders.h"
#include "profile/LineReader.h"
#include "profile/Parameters.h"

#include <array>
#include <cstdint>
#include <optional>

namespace {

enum class LegacyLayout { Profile4, Workfile3, OldestProfile, Batch4, Batch3 };

struct cLegacyFirstLine {
    std::string_view Text;
    LegacyLayout Layout;
};

// Compared exactly and case-sensitively, as the earlier versions wrote them.
constexpr std::array<cLegacyFirstLine, 11> kFirstLines{{
    {"Tolvan 4.00 Workfile", LegacyLayout::Profile4},
    {"Tolvan 4.1 Profile", LegacyLayout::Profile4},
    {"Tolvan 4.2 Profile", LegacyLayout::Profile4},
    {"Tolvan 5.0 Profile", LegacyLayout::Profile4},
    {"Tolvan 3.00 Workfile", LegacyLayout::Workfile3},
    {"0", LegacyLayout::OldestProfile},
    {"1", LegacyLayout::OldestProfile},
    {"11", LegacyLayout::OldestProfile},
    {"Tolvan 4.00 Batch File", LegacyLayout::Batch4},
    {"Tolvan 5.00 Batch File", LegacyLayout::Batch4},
    {"Tolvan 3.00 Batch File", LegacyLayout::Batch3},
}};

std::optional<LegacyLayout> LayoutOf(std::string_view firstLine) {
    for (const cLegacyFirstLine& known : kFirstLines)
        if (known.Text == firstLine) return known.Layout;
    return std::nullopt;
}

} // namespace

bool IsLegacyFormat(std::string_view firstLine) {
    return LayoutOf(firstLine).has_value();
}

bool ReadLegacyDocument(std::string_view firstLine, cLineReader& reader, cParameters& params) {
    auto layout = LayoutOf(firstLine);
    if (!layout) return false;
    std::uint8_t kind = kProfileDocument;
    switch (*layout) {
    case LegacyLayout::Profile4:
        params.ResetProfile();
        legacy::ReadProfile4(reader, params);
        break;
    case LegacyLayout::Workfile3:
        params.ResetProfile();
        legacy::ReadWorkfile3(reader, params);
        break;
    case LegacyLayout::OldestProfile:
        params.ResetProfile();
        legacy::ReadOldestProfile(reader, params);
        break;
    case LegacyLayout::Batch4:
        params.ResetBatch();
        legacy::ReadBatch4(reader, params.Batch);
        kind = kBatchDocument;
        break;
    case LegacyLayout::Batch3:
        params.ResetBatch();
        legacy::ReadBatch3(reader, params.Batch);
        kind = kBatchDocument;
        break;
    }
    if (reader.Error() != 0) return false;
    params.DocumentKind = kind;
    params.LegacyFormat = true;
    return true;
}
