// An ordered list of texts, each with an int tag: the profile's directory, mask, server and command lists.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct cTextItem {
    std::string Text;
    int Tag = 0;

    bool operator==(const cTextItem&) const = default;
};

enum class TextListKind {
    // List order as added; duplicates allowed (commands, batch entries).
    Plain,
    // Case-insensitive order, ties by byte order; only exact duplicates are dropped. For names of directories
    // on disk: Linux file systems are case-sensitive, so "\Daten\" and "\daten\" are two directories.
    SortedExact,
    // Case-insensitive order; a text equal to an item but for case is dropped. For what the user types as a
    // pattern or host name (file masks, FTP servers), where case carries no meaning.
    SortedNoCase,
};

class cTextList {
public:
    explicit cTextList(TextListKind kind = TextListKind::Plain) : m_kind(kind) {}

    TextListKind Kind() const { return m_kind; }
    bool Sorted() const { return m_kind != TextListKind::Plain; }

    // Appends (plain) or inserts at its place (sorted). False when a sorted list already holds the text by
    // its duplicate rule; the list is then unchanged.
    bool Add(std::string text, int tag = 0);
    // Adds many texts (tag 0) with the same result as adding them one by one in the given order, but in
    // n log n: sorted first, so that each Add appends. Files are hostile, and entries in reverse order
    // added one by one would cost a quadratic number of moves.
    void AddAll(std::vector<std::string> texts);
    // The index of the text by the list's equality (exact, or case-insensitive for SortedNoCase); O(log n)
    // in a sorted list, a linear search for the first exact match in a plain one.
    std::optional<std::size_t> Find(std::string_view text) const;
    bool Contains(std::string_view text) const { return Find(text).has_value(); }

    void Remove(std::size_t index);
    void Clear() { m_items.clear(); }

    std::size_t Size() const { return m_items.size(); }
    bool Empty() const { return m_items.empty(); }
    const cTextItem& operator[](std::size_t index) const { return m_items[index]; }
    const std::string& Text(std::size_t index) const { return m_items[index].Text; }
    int Tag(std::size_t index) const { return m_items[index].Tag; }
    // The tag takes no part in the order, so it can change in place.
    void SetTag(std::size_t index, int tag) { m_items[index].Tag = tag; }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    bool operator==(const cTextList&) const = default;

private:
    TextListKind m_kind;
    std::vector<cTextItem> m_items;
};
