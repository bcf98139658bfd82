// The directories of a run's directory list as a tree of path components, which the preview and the zip
// destination walk.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

// One path component. Index is the position of the node's full path in the directory list, or -1 for a
// component on the way that is no entry of its own.
struct cDirNode {
    std::string Name; // the component as found on disk; "\" for the root
    int Index = -1;
    cDirNode* Parent = nullptr;
    std::map<std::string, std::unique_ptr<cDirNode>> Children; // by exact name
};

class cDirectoryTree {
public:
    cDirectoryTree();

    // Replaces the tree with the directories of list (relative, "\" at both ends; "\" is the root). Names
    // compare exactly, as on disk. Each entry gets its node, each node the index of its entry.
    void Build(const std::vector<std::string>& list);

    const cDirNode& Root() const { return *m_root; }
    // The node of list entry i (nullptr for an index outside the list).
    const cDirNode* NodeOf(int index) const;
    // The full relative path of a node ("\A\B\"; "\" for the root).
    static std::string PathOf(const cDirNode& node);

private:
    std::unique_ptr<cDirNode> m_root;
    std::vector<cDirNode*> m_entryNodes;
};
