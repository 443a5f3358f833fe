#pragma once
// A card list as a model: each card has a caption, an image index and a row
// of item values whose captions come from the list's template.

#include <memory>
#include <string>
#include <vector>

namespace veltran {

struct TCard {
    std::string caption;
    int image = 0;
    std::vector<std::string> items;
};

class TCardList {
public:
    // item_captions is the template; new cards get one item per caption.
    explicit TCardList(std::vector<std::string> item_captions,
                       std::vector<std::string> default_values = {});

    const std::vector<std::string>& item_captions() const { return item_captions_; }
    const std::vector<std::unique_ptr<TCard>>& cards() const { return cards_; }

    TCard* add(std::string caption);
    // Frees the card; pointers to it become invalid.
    void remove(TCard* card);
    void clear() { cards_.clear(); }

private:
    std::vector<std::string> item_captions_;
    std::vector<std::string> default_values_;
    std::vector<std::unique_ptr<TCard>> cards_;
};

} // namespace veltran
