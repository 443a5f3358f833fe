#pragma once
// One element of the engine's restricted XML: a tag, its attributes kept as
// raw text (name="value" pairs separated by blanks, values escaped as in
// xml_text.h) and searched on demand, and ordered children. No text content.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

class TfsXMLItem {
    using TChildren = std::vector<std::unique_ptr<TfsXMLItem>>;

public:
    TfsXMLItem() = default;
    explicit TfsXMLItem(std::string name, std::string text = {});
    // Frees the subtree without recursion, so any depth is safe.
    ~TfsXMLItem();
    TfsXMLItem(const TfsXMLItem&) = delete;
    TfsXMLItem& operator=(const TfsXMLItem&) = delete;

    std::string Name;
    std::string Text;
    void* Data = nullptr;

    TfsXMLItem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TfsXMLItem& Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    TfsXMLItem& operator[](int index) const { return Items(index); }

    // Range over the children: for (TfsXMLItem& child : item).
    class iterator {
    public:
        explicit iterator(TChildren::const_iterator it) : it_(it) {}
        TfsXMLItem& operator*() const { return **it_; }
        TfsXMLItem* operator->() const { return it_->get(); }
        iterator& operator++() {
            ++it_;
            return *this;
        }
        bool operator==(const iterator&) const = default;

    private:
        TChildren::const_iterator it_;
    };
    iterator begin() const { return iterator(items_.begin()); }
    iterator end() const { return iterator(items_.end()); }

    TfsXMLItem& Add();
    // Appends or inserts an item, which becomes this item's child.
    TfsXMLItem& AddItem(std::unique_ptr<TfsXMLItem> item);
    TfsXMLItem& InsertItem(int index, std::unique_ptr<TfsXMLItem> item);
    // Appends every item of the range, leaving null pointers behind.
    void AddItems(std::unique_ptr<TfsXMLItem>* first, std::unique_ptr<TfsXMLItem>* last);
    void Clear();
    // Deep copy of name, text, data and children.
    void Assign(const TfsXMLItem& source);

    // Index of the first child of that name (case-insensitive), or -1.
    int Find(std::string_view name) const;
    // That child, or a new empty child of that name when there is none.
    TfsXMLItem& FindItem(std::string_view name);
    int IndexOf(const TfsXMLItem* item) const;
    TfsXMLItem& Root();

    // Attribute values, decoded; an absent attribute reads as empty.
    std::string Prop(std::string_view name) const;
    void SetProp(std::string_view name, std::string_view value);
    bool PropExists(std::string_view name) const;

private:
    // Start of the value of attribute `name` in Text, or npos.
    std::size_t find_value(std::string_view name) const;

    TfsXMLItem* parent_ = nullptr;
    TChildren items_;
};

} // namespace veltran
