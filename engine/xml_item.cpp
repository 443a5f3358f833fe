#include "engine/xml_item.h"

#include "engine/text.h"
#include "engine/xml_text.h"

#include <algorithm>
#include <utility>

namespace veltran {
namespace {

bool is_blank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

TfsXMLItem::TfsXMLItem(std::string name, std::string text)
    : Name(std::move(name)), Text(std::move(text)) {}

TfsXMLItem::~TfsXMLItem() {
    Clear();
}

TfsXMLItem& TfsXMLItem::Add() {
    return AddItem(std::make_unique<TfsXMLItem>());
}

TfsXMLItem& TfsXMLItem::AddItem(std::unique_ptr<TfsXMLItem> item) {
    return InsertItem(Count(), std::move(item));
}

TfsXMLItem& TfsXMLItem::InsertItem(int index, std::unique_ptr<TfsXMLItem> item) {
    item->parent_ = this;
    const auto at = items_.begin() + std::clamp(index, 0, Count());
    return **items_.insert(at, std::move(item));
}

void TfsXMLItem::AddItems(std::unique_ptr<TfsXMLItem>* first, std::unique_ptr<TfsXMLItem>* last) {
    items_.reserve(items_.size() + static_cast<std::size_t>(last - first));
    for (; first != last; ++first) {
        (*first)->parent_ = this;
        items_.push_back(std::move(*first));
    }
}

void TfsXMLItem::Clear() {
    // Hoist every grandchild into this item's own list before its parent
    // dies, so that no destructor ever has children left to recurse into.
    while (!items_.empty()) {
        std::unique_ptr<TfsXMLItem> last = std::move(items_.back());
        items_.pop_back();
        for (auto& grandchild : last->items_)
            items_.push_back(std::move(grandchild));
        last->items_.clear();
    }
}

void TfsXMLItem::Assign(const TfsXMLItem& source) {
    if (&source == this) return;
    Clear();
    Name = source.Name;
    Text = source.Text;
    Data = source.Data;
    // Iterative copy: pairs of (copy, original) whose children are still to copy.
    std::vector<std::pair<TfsXMLItem*, const TfsXMLItem*>> pending{{this, &source}};
    while (!pending.empty()) {
        auto [copy, original] = pending.back();
        pending.pop_back();
        for (const TfsXMLItem& child : *original) {
            TfsXMLItem& c = copy->AddItem(std::make_unique<TfsXMLItem>(child.Name, child.Text));
            c.Data = child.Data;
            if (child.Count()) pending.emplace_back(&c, &child);
        }
    }
}

int TfsXMLItem::Find(std::string_view name) const {
    for (int i = 0; i < Count(); ++i)
        if (same_text_ignoring_case(items_[static_cast<std::size_t>(i)]->Name, name)) return i;
    return -1;
}

TfsXMLItem& TfsXMLItem::FindItem(std::string_view name) {
    const int i = Find(name);
    if (i >= 0) return Items(i);
    TfsXMLItem& item = Add();
    item.Name = name;
    return item;
}

int TfsXMLItem::IndexOf(const TfsXMLItem* item) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<std::size_t>(i)].get() == item) return i;
    return -1;
}

TfsXMLItem& TfsXMLItem::Root() {
    TfsXMLItem* item = this;
    while (item->parent_)
        item = item->parent_;
    return *item;
}

std::size_t TfsXMLItem::find_value(std::string_view name) const {
    const std::string_view text = Text;
    // name="value" counts only at the start of the text or after a blank.
    for (std::size_t i = 0; i + name.size() + 2 <= text.size(); ++i) {
        if (i > 0 && !is_blank(text[i - 1])) continue;
        if (!same_text_ignoring_case(text.substr(i, name.size()), name)) continue;
        if (text.substr(i + name.size(), 2) == "=\"") return i + name.size() + 2;
    }
    return std::string::npos;
}

std::string TfsXMLItem::Prop(std::string_view name) const {
    const std::size_t start = find_value(name);
    if (start == std::string::npos) return {};
    const std::size_t end = Text.find('"', start);
    return xml_unescape(std::string_view(Text).substr(start, end - start));
}

bool TfsXMLItem::PropExists(std::string_view name) const {
    return find_value(name) != std::string::npos;
}

void TfsXMLItem::SetProp(std::string_view name, std::string_view value) {
    const std::string escaped = xml_escape(value);
    const std::size_t start = find_value(name);
    if (start != std::string::npos) {
        const std::size_t end = Text.find('"', start);
        if (end == std::string::npos)
            Text.replace(start, end, escaped + '"');
        else
            Text.replace(start, end - start, escaped);
        return;
    }
    if (!Text.empty()) Text += ' ';
    Text.append(name).append("=\"").append(escaped) += '"';
}

} // namespace veltran
