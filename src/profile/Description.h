// The readable overview of a document: a tree of German text lines, one top-level node per section, a line
// per setting that is switched on. The view window shows it; `tolvan --describe` prints it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class cParameters;

enum class DescriptionStyle : std::uint8_t {
    Normal,
    Bold,       // a top-level node (a section)
    Underlined, // an option group ("Bereich", "Waisen", the age line, ...)
};

struct cDescriptionNode {
    std::string Text; // UTF-8
    DescriptionStyle Style = DescriptionStyle::Normal;
    // Set on top-level nodes that the view shows opened together with all their descendants: "Quelle" and
    // "Ziel" of a profile, every section of a batch file.
    bool Expanded = false;
    std::vector<cDescriptionNode> Children;

    // Appends a child and returns it. The reference lasts until the next child is added to this node.
    cDescriptionNode& Add(std::string text, DescriptionStyle style = DescriptionStyle::Normal);
    // Appends a child only when condition is true.
    void AddIf(bool condition, std::string text);
};

// The tree of the current document (DocumentKind 1 profile, 2 batch file); for any other kind the single
// node "Unbekanntes Dateiformat!". Dates relative to today come from the program's clock.
std::vector<cDescriptionNode> DescribeDocument(const cParameters& params);

// The tree as text: one node per line ending in "\n", indented by two blanks per level.
std::string DescriptionText(const std::vector<cDescriptionNode>& nodes);
