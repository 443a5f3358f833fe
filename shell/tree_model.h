#pragma once
// The hardware tree as a model: nodes with a text and image indices. The
// window only draws it; the managers add, change and delete nodes.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

class TTreeNode {
public:
    TTreeNode(TTreeNode* parent, std::string text, int image);

    std::string text;
    int image;
    int selected_image;
    bool expanded = false;

    TTreeNode* parent() const { return parent_; }
    const std::vector<std::unique_ptr<TTreeNode>>& children() const { return children_; }
    std::size_t index_in_parent() const;

    TTreeNode* add_child(std::string text, int image);
    TTreeNode* insert_child(std::size_t index, std::string text, int image);
    TTreeNode* find_child(std::string_view text) const;
    // Frees the child with everything below it; pointers to them become invalid.
    void delete_child(TTreeNode* child);
    void delete_children();

private:
    TTreeNode* parent_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
};

class THardwareTree {
public:
    THardwareTree();

    // Top-level nodes hang below an invisible root.
    TTreeNode& root() { return root_; }
    const TTreeNode& root() const { return root_; }
    TTreeNode* add_first(std::string text, int image) {
        return root_.insert_child(0, std::move(text), image);
    }
    TTreeNode* add(std::string text, int image) { return root_.add_child(std::move(text), image); }
    // Deletes a node anywhere in the tree.
    void delete_node(TTreeNode* node);

private:
    TTreeNode root_;
};

// Image indices of the tree's node kinds.
namespace tree_image {
inline constexpr int hardware = 5;
inline constexpr int software_codes = 6;
inline constexpr int communications = 7;
inline constexpr int module = 8;
inline constexpr int connection = 9;
inline constexpr int project = 10;
inline constexpr int request_base = 11; // + request type
inline constexpr int global = 20;
inline constexpr int global_value = 21;
} // namespace tree_image

} // namespace veltran
