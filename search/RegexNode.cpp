#include "search/RegexNode.h"

#include <utility>
#include <vector>

namespace search {

RegexNode::~RegexNode() {
    // Rotating every left child up turns the tree into a right-leaning chain, which is then
    // freed link by link; each node reaches its destructor with no children left.
    for (RegexNodePtr* side : {&left, &right}) {
        RegexNodePtr node = std::move(*side);
        while (node) {
            if (node->left) {
                RegexNodePtr up = std::move(node->left);
                node->left = std::move(up->right);
                up->right = std::move(node);
                node = std::move(up);
            } else {
                RegexNodePtr rest = std::move(node->right);
                node = std::move(rest);
            }
        }
    }
}

RegexNodePtr makeRegexNode(RegexNodeKind kind, RegexNodePtr left, RegexNodePtr right) {
    auto node = std::make_unique<RegexNode>();
    node->kind = kind;
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
}

bool copyRegexTree(const RegexNode* source, RegexNodePtr& copy, std::size_t& nodeBudget) {
    copy.reset();
    std::vector<std::pair<const RegexNode*, RegexNodePtr*>> pending;
    pending.emplace_back(source, &copy);
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        if (from == nullptr) {
            continue;
        }
        if (nodeBudget == 0) {
            return false;
        }
        --nodeBudget;
        auto node = std::make_unique<RegexNode>();
        node->kind = from->kind;
        node->ch = from->ch;
        node->classText = from->classText;
        node->group = from->group;
        *to = std::move(node);
        pending.emplace_back(from->left.get(), &(*to)->left);
        pending.emplace_back(from->right.get(), &(*to)->right);
    }
    return true;
}

} // namespace search
