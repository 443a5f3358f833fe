#include "shell/card_list.h"

namespace veltran {

TCardList::TCardList(std::vector<std::string> item_captions,
                     std::vector<std::string> default_values)
    : item_captions_(std::move(item_captions)), default_values_(std::move(default_values)) {
    default_values_.resize(item_captions_.size());
}

TCard* TCardList::add(std::string caption) {
    auto card = std::make_unique<TCard>();
    card->caption = std::move(caption);
    card->items = default_values_;
    cards_.push_back(std::move(card));
    return cards_.back().get();
}

void TCardList::remove(TCard* card) {
    std::erase_if(cards_, [card](const auto& c) { return c.get() == card; });
}

} // namespace veltran
