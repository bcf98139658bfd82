// The German collation through ICU's C interface; no ICU type leaves this file.
#include "platform/Collation.h"

#include "platform/Text.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <limits>
#include <vector>

namespace platform {
namespace {

// One collator per thread (a collator is not to be shared between threads), with the buffers its calls reuse.
// Without ICU's German data the texts are ordered by their case folding.
class cGermanCollator {
public:
    cGermanCollator() {
        UErrorCode status = U_ZERO_ERROR;
        m_collator = ucol_open("de", &status);
        if (U_FAILURE(status)) {
            if (m_collator) ucol_close(m_collator);
            m_collator = nullptr;
            return;
        }
        // Secondary strength: letters and accents count, case does not.
        ucol_setStrength(m_collator, UCOL_SECONDARY);
    }
    ~cGermanCollator() {
        if (m_collator) ucol_close(m_collator);
    }
    cGermanCollator(const cGermanCollator&) = delete;
    cGermanCollator& operator=(const cGermanCollator&) = delete;

    int Compare(std::string_view a, std::string_view b) {
        if (!m_collator || !Fits(a) || !Fits(b)) return Key(a).compare(Key(b));
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult result = ucol_strcollUTF8(m_collator, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                                         static_cast<int32_t>(b.size()), &status);
        if (U_FAILURE(status)) return Key(a).compare(Key(b));
        return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
    }

    std::string Key(std::string_view utf8) {
        if (!m_collator || !Fits(utf8) || !ToUtf16(utf8)) return FoldCase(utf8);
        const auto length = static_cast<int32_t>(m_utf16.size());
        int32_t size =
            ucol_getSortKey(m_collator, m_utf16.data(), length, m_key.data(), static_cast<int32_t>(m_key.size()));
        if (size > static_cast<int32_t>(m_key.size())) {
            m_key.resize(static_cast<std::size_t>(size));
            size = ucol_getSortKey(m_collator, m_utf16.data(), length, m_key.data(), size);
        }
        if (size <= 0) return FoldCase(utf8);
        // The key ends with a zero byte, which std::string's order does not need.
        return std::string(reinterpret_cast<const char*>(m_key.data()), static_cast<std::size_t>(size - 1));
    }

private:
    static bool Fits(std::string_view text) { return text.size() < std::numeric_limits<int32_t>::max() / 4; }

    // Fills m_utf16; bytes that are no valid UTF-8 become U+FFFD.
    bool ToUtf16(std::string_view utf8) {
        m_utf16.resize(utf8.size() + 1);
        int32_t length = 0;
        UErrorCode status = U_ZERO_ERROR;
        u_strFromUTF8WithSub(m_utf16.data(), static_cast<int32_t>(m_utf16.size()), &length, utf8.data(),
                             static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
        if (U_FAILURE(status)) return false;
        m_utf16.resize(static_cast<std::size_t>(length));
        return true;
    }

    UCollator* m_collator = nullptr;
    std::vector<UChar> m_utf16;
    std::vector<uint8_t> m_key = std::vector<uint8_t>(64);
};

cGermanCollator& Collator() {
    thread_local cGermanCollator collator;
    return collator;
}

} // namespace

int CompareCollated(std::string_view a, std::string_view b) {
    return Collator().Compare(a, b);
}

std::string CollationKey(std::string_view utf8) {
    return Collator().Key(utf8);
}

std::string PrimaryCollationKey(std::string_view utf8) {
    std::string key = Collator().Key(utf8);
    // In a sort key the byte 01 separates the levels; what comes before it is the primary level.
    const std::size_t separator = key.find('\x01');
    if (separator != std::string::npos) key.resize(separator);
    return key;
}

} // namespace platform
