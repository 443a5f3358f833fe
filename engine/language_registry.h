#pragma once
// The process-wide list of script languages: a name and its grammar text.
// "PascalScript" is registered from the start. Each grammar is read and
// prepared once, on first use, and shared by every compile after that.

#include "engine/grammar.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

class TfsLanguageRegistry {
public:
    static TfsLanguageRegistry& Instance();

    // Replaces the grammar of a registered name (any case), else appends it.
    void Register(std::string_view name, std::string grammar);
    // Raise "Language '<name>' not found"; Grammar also "Invalid file format".
    std::string Text(std::string_view name) const;
    std::shared_ptr<const TfsGrammar> Grammar(std::string_view name);

private:
    TfsLanguageRegistry();

    struct TEntry {
        std::string name;
        std::string text;
        std::shared_ptr<const TfsGrammar> grammar; // prepared on first use
    };
    // Index of the entry, or the entry count when there is none.
    std::size_t position(std::string_view name) const;
    // Index of the entry; raises when there is none.
    std::size_t index_of(std::string_view name) const;

    mutable std::mutex mutex_;
    std::vector<TEntry> entries_;
};

} // namespace veltran
