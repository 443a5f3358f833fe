#include "engine/language_registry.h"

#include "engine/pascal_grammar.h"
#include "engine/script_error.h"
#include "engine/text.h"

namespace veltran {

TfsLanguageRegistry& TfsLanguageRegistry::Instance() {
    static TfsLanguageRegistry registry;
    return registry;
}

TfsLanguageRegistry::TfsLanguageRegistry() {
    entries_.push_back({"PascalScript", std::string(PascalGrammarText()), nullptr});
}

void TfsLanguageRegistry::Register(std::string_view name, std::string grammar) {
    const std::lock_guard lock(mutex_);
    const std::size_t i = position(name);
    if (i == entries_.size()) entries_.push_back({std::string(name), {}, nullptr});
    entries_[i].text = std::move(grammar);
    entries_[i].grammar.reset();
}

std::size_t TfsLanguageRegistry::position(std::string_view name) const {
    std::size_t i = 0;
    while (i < entries_.size() && !same_text_ignoring_case(entries_[i].name, name))
        ++i;
    return i;
}

std::size_t TfsLanguageRegistry::index_of(std::string_view name) const {
    const std::size_t i = position(name);
    if (i < entries_.size()) return i;
    throw TfsError("Language '" + std::string(name) + "' not found");
}

std::string TfsLanguageRegistry::Text(std::string_view name) const {
    const std::lock_guard lock(mutex_);
    return entries_[index_of(name)].text;
}

std::shared_ptr<const TfsGrammar> TfsLanguageRegistry::Grammar(std::string_view name) {
    const std::lock_guard lock(mutex_);
    TEntry& entry = entries_[index_of(name)];
    if (!entry.grammar) entry.grammar = std::make_shared<const TfsGrammar>(entry.text);
    return entry.grammar;
}

} // namespace veltran
