#include "matching/OutcomeIndex.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace qdx {

namespace {

using IdIndex = std::unordered_map<std::string_view, std::vector<std::uint32_t>>;

template <typename Get> IdIndex indexById(std::size_t n, Get get) {
    IdIndex index;
    for (std::size_t i = 0; i < n; ++i)
        index[std::string_view(get(i))].push_back(static_cast<std::uint32_t>(i));
    return index;
}

const std::vector<std::uint32_t>* lookUp(const IdIndex& index, std::string_view id) {
    const auto found = index.find(id);
    return found == index.end() ? nullptr : &found->second;
}

} // namespace

std::vector<EntryOutcomes> resolvePairOutcomes(const PairOutcomeMap& map,
                                               const std::vector<const DentalRecord*>& searching,
                                               const std::vector<DentalRecord>& candidates,
                                               int direction, CandidateCatalog& catalog) {
    std::vector<EntryOutcomes> result(searching.size());
    if (map.empty() || searching.empty() || candidates.empty())
        return result;
    const IdIndex entryIds = indexById(searching.size(), [&](std::size_t i) -> const std::string& {
        return searching[i]->Dental_ID;
    });
    const IdIndex candidateIds =
        indexById(candidates.size(),
                  [&](std::size_t i) -> const std::string& { return candidates[i].Dental_ID; });

    // A key is post-mortem ID, "-", ante-mortem ID; IDs are whatever text the records hold,
    // so every hyphen is tried as the separator.
    for (const auto& [key, kind] : map) {
        const std::string_view text(key);
        for (std::size_t p = text.find('-'); p != std::string_view::npos;
             p = text.find('-', p + 1)) {
            const std::string_view postMortem = text.substr(0, p);
            const std::string_view anteMortem = text.substr(p + 1);
            const auto* entries = lookUp(entryIds, direction == 0 ? anteMortem : postMortem);
            const auto* cands = lookUp(candidateIds, direction == 0 ? postMortem : anteMortem);
            if (entries == nullptr || cands == nullptr)
                continue;
            const std::uint16_t code = catalog.outcomeCode(kind);
            for (const std::uint32_t e : *entries)
                for (const std::uint32_t c : *cands)
                    result[e].emplace_back(c, code);
        }
    }
    for (auto& outcomes : result)
        std::sort(outcomes.begin(), outcomes.end());
    return result;
}

} // namespace qdx
