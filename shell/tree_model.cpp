#include "shell/tree_model.h"

#include <algorithm>

namespace veltran {

TTreeNode::TTreeNode(TTreeNode* parent, std::string text, int image)
    : text(std::move(text)), image(image), selected_image(image), parent_(parent) {}

std::size_t TTreeNode::index_in_parent() const {
    const auto& siblings = parent_->children_;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [this](const auto& node) { return node.get() == this; });
    return static_cast<std::size_t>(it - siblings.begin());
}

TTreeNode* TTreeNode::add_child(std::string text, int image) {
    return insert_child(children_.size(), std::move(text), image);
}

TTreeNode* TTreeNode::insert_child(std::size_t index, std::string text, int image) {
    index = std::min(index, children_.size());
    auto node = std::make_unique<TTreeNode>(this, std::move(text), image);
    TTreeNode* raw = node.get();
    children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index), std::move(node));
    return raw;
}

TTreeNode* TTreeNode::find_child(std::string_view text) const {
    for (const auto& child : children_)
        if (child->text == text) return child.get();
    return nullptr;
}

void TTreeNode::delete_child(TTreeNode* child) {
    std::erase_if(children_, [child](const auto& node) { return node.get() == child; });
}

void TTreeNode::delete_children() {
    children_.clear();
}

THardwareTree::THardwareTree() : root_(nullptr, std::string(), -1) {}

void THardwareTree::delete_node(TTreeNode* node) {
    if (node && node->parent()) node->parent()->delete_child(node);
}

} // namespace veltran
