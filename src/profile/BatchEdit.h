// Editing the entries of a batch file: the entries as one list, the canonical form of a new entry, and moving
// the selected entries one place with the wrap-round of the profiles dialog.
#pragma once

#include "profile/BatchParameters.h"

#include <algorithm>
#include <string>
#include <vector>

std::vector<BatchEntry> BatchEntries(const cBatchParameters& batch);
void SetBatchEntries(cBatchParameters& batch, const std::vector<BatchEntry>& entries);

// The next continuation code of the cycle 0 -> 1 -> 2 -> 0.
constexpr int NextContinuation(int code) {
    return code >= 0 && code < 2 ? code + 1 : 0;
}

// An entry for the profile nativeFile (an absolute path; variables such as %HOME% are kept as written): root
// "/", the folder in the "\dir\" form, the file name with ".tvp" for its extension. Empty Name when the path
// names no file.
BatchEntry BatchEntryFor(const std::string& nativeFile);
// The entry's file as a native path (variables not expanded).
std::string BatchEntryPath(const BatchEntry& entry);

// Moves every selected item one place up (or down). The selected items at the very top (bottom) wrap round to
// the other end in their order; the selection moves with the items.
template <class T> void MoveSelected(std::vector<T>& items, std::vector<bool>& selected, bool up) {
    if (!up) {
        std::reverse(items.begin(), items.end());
        std::reverse(selected.begin(), selected.end());
    }
    std::size_t block = 0;
    while (block < selected.size() && selected[block])
        ++block;
    std::rotate(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(block), items.end());
    std::rotate(selected.begin(), selected.begin() + static_cast<std::ptrdiff_t>(block), selected.end());
    const std::size_t rest = items.size() - block;
    for (std::size_t i = 1; i < rest; ++i) {
        if (selected[i] && !selected[i - 1]) {
            std::swap(items[i], items[i - 1]);
            const bool flag = selected[i];
            selected[i] = selected[i - 1];
            selected[i - 1] = flag;
        }
    }
    if (!up) {
        std::reverse(items.begin(), items.end());
        std::reverse(selected.begin(), selected.end());
    }
}

// Moves the selected items as one block, in their order, to stand before the item at index before (items.size():
// at the end), as a drag within the list does; the selection moves with them.
template <class T> void MoveSelectedBefore(std::vector<T>& items, std::vector<bool>& selected, std::size_t before) {
    std::vector<T> block;
    std::vector<T> rest;
    std::size_t at = 0; // where the block goes among the rest
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (selected[i]) {
            block.push_back(std::move(items[i]));
        } else {
            if (i < before) ++at;
            rest.push_back(std::move(items[i]));
        }
    }
    items.clear();
    selected.assign(rest.size() + block.size(), false);
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (i == at) break;
        items.push_back(std::move(rest[i]));
    }
    for (T& item : block) {
        selected[items.size()] = true;
        items.push_back(std::move(item));
    }
    for (std::size_t i = at; i < rest.size(); ++i)
        items.push_back(std::move(rest[i]));
}
