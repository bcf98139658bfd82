#include "engine/DirectoryTree.h"

#include <string_view>

cDirectoryTree::cDirectoryTree() : m_root(std::make_unique<cDirNode>()) {
    m_root->Name = "\\";
}

void cDirectoryTree::Build(const std::vector<std::string>& list) {
    m_root = std::make_unique<cDirNode>();
    m_root->Name = "\\";
    m_entryNodes.assign(list.size(), nullptr);
    for (std::size_t i = 0; i < list.size(); ++i) {
        cDirNode* node = m_root.get();
        std::string_view rest = list[i];
        while (!rest.empty()) {
            const std::size_t end = rest.find('\\');
            const std::string_view component = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
            if (component.empty()) continue;
            auto [child, created] = node->Children.try_emplace(std::string(component));
            if (created) {
                child->second = std::make_unique<cDirNode>();
                child->second->Name = component;
                child->second->Parent = node;
            }
            node = child->second.get();
        }
        // Of two equal entries the first keeps the node.
        if (node->Index < 0) node->Index = static_cast<int>(i);
        m_entryNodes[i] = node;
    }
}

const cDirNode* cDirectoryTree::NodeOf(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_entryNodes.size()) return nullptr;
    return m_entryNodes[static_cast<std::size_t>(index)];
}

std::string cDirectoryTree::PathOf(const cDirNode& node) {
    if (!node.Parent) return "\\";
    return PathOf(*node.Parent) + node.Name + "\\";
}
