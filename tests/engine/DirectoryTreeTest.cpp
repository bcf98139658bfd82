// The directory lists of a run as trees: one node per component, entries and nodes linked both ways.
#include "engine/DirectoryTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "Name:index" of every node below node, depth first in name order.
void Describe(const cDirNode& node, std::vector<std::string>& out) {
    out.push_back(cDirectoryTree::PathOf(node) + ":" + std::to_string(node.Index));
    for (const auto& [name, child] : node.Children)
        Describe(*child, out);
}

TEST(DirectoryTree, EntriesAndTheComponentsOnTheirWayBecomeNodes) {
    const std::vector<std::string> list = {"\\", "\\Daten\\", "\\Daten\\A\\B\\", "\\daten\\", "\\Zeit\\"};
    cDirectoryTree tree;
    tree.Build(list);
    std::vector<std::string> nodes;
    Describe(tree.Root(), nodes);
    // Names differing in case are two directories; \Daten\A\ is on the way only.
    EXPECT_EQ(nodes, (std::vector<std::string>{"\\:0", "\\Daten\\:1", "\\Daten\\A\\:-1", "\\Daten\\A\\B\\:2",
                                               "\\Zeit\\:4", "\\daten\\:3"}));
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        ASSERT_NE(tree.NodeOf(i), nullptr);
        EXPECT_EQ(cDirectoryTree::PathOf(*tree.NodeOf(i)), list[static_cast<std::size_t>(i)]);
        EXPECT_EQ(tree.NodeOf(i)->Index, i);
    }
    EXPECT_EQ(tree.NodeOf(5), nullptr);
    EXPECT_EQ(tree.NodeOf(-1), nullptr);
}

TEST(DirectoryTree, ABuildReplacesTheOldTree) {
    cDirectoryTree tree;
    tree.Build({"\\Alt\\"});
    tree.Build({"\\Neu\\"});
    std::vector<std::string> nodes;
    Describe(tree.Root(), nodes);
    EXPECT_EQ(nodes, (std::vector<std::string>{"\\:-1", "\\Neu\\:0"}));
}

} // namespace
