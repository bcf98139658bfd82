#include "profile/TextList.h"

#include "platform/Text.h"

#include <algorithm>

namespace {

// The order of a sorted list: case-insensitive first, then by bytes so that the order is total.
bool ListLess(std::string_view a, std::string_view b) {
    int noCase = platform::CompareNoCase(a, b);
    return noCase != 0 ? noCase < 0 : a < b;
}

bool NoCaseLess(std::string_view a, std::string_view b) {
    return platform::CompareNoCase(a, b) < 0;
}

} // namespace

bool cTextList::Add(std::string text, int tag) {
    if (!Sorted()) {
        m_items.push_back({std::move(text), tag});
        return true;
    }
    auto place = std::lower_bound(m_items.begin(), m_items.end(), text,
                                  [](const cTextItem& item, const std::string& t) { return ListLess(item.Text, t); });
    if (m_kind == TextListKind::SortedExact) {
        if (place != m_items.end() && place->Text == text) return false;
    } else if (Find(text)) {
        return false;
    }
    m_items.insert(place, {std::move(text), tag});
    return true;
}

std::optional<std::size_t> cTextList::Find(std::string_view text) const {
    auto index = [this](auto it) { return static_cast<std::size_t>(it - m_items.begin()); };
    switch (m_kind) {
    case TextListKind::Plain: {
        auto it =
            std::find_if(m_items.begin(), m_items.end(), [&](const cTextItem& item) { return item.Text == text; });
        if (it != m_items.end()) return index(it);
        return std::nullopt;
    }
    case TextListKind::SortedExact: {
        auto it = std::lower_bound(m_items.begin(), m_items.end(), text,
                                   [](const cTextItem& item, std::string_view t) { return ListLess(item.Text, t); });
        if (it != m_items.end() && it->Text == text) return index(it);
        return std::nullopt;
    }
    case TextListKind::SortedNoCase: {
        // The list is sorted case-insensitively first, so the no-case order alone finds the one equal item.
        auto it = std::lower_bound(m_items.begin(), m_items.end(), text,
                                   [](const cTextItem& item, std::string_view t) { return NoCaseLess(item.Text, t); });
        if (it != m_items.end() && platform::EqualNoCase(it->Text, text)) return index(it);
        return std::nullopt;
    }
    }
    return std::nullopt;
}

void cTextList::Remove(std::size_t index) {
    if (index < m_items.size()) m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
}

void cTextList::AddAll(std::vector<std::string> texts) {
    if (m_kind == TextListKind::SortedExact) {
        std::sort(texts.begin(), texts.end(), ListLess);
    } else if (m_kind == TextListKind::SortedNoCase) {
        // Stable: of several texts that differ only in case the first stays, as with single Adds.
        std::stable_sort(texts.begin(), texts.end(),
                         [](const std::string& a, const std::string& b) { return platform::CompareNoCase(a, b) < 0; });
    }
    for (std::string& text : texts)
        Add(std::move(text));
}
