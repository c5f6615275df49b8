#include "fill/fill_nogoods.h"

namespace orv {

std::uint64_t lubyTerm(std::uint64_t i) {
    // i = 2^k - 1 gives 2^(k-1); otherwise the term of i - (2^(k-1) - 1)
    // for the k with 2^(k-1) <= i < 2^k - 1.
    for (;;) {
        std::uint64_t k = 1;
        while ((std::uint64_t(1) << k) - 1 < i)
            ++k;
        if ((std::uint64_t(1) << k) - 1 == i)
            return std::uint64_t(1) << (k - 1);
        i -= (std::uint64_t(1) << (k - 1)) - 1;
    }
}

bool NogoodStore::add(std::vector<FillChoice> choices) {
    if (choices.size() < 2 || choices.size() > maxChoices_ || nogoods_.size() >= maxNogoods_)
        return false;
    const auto id = std::uint32_t(nogoods_.size());
    watches_[key(choices[0])].push_back(id);
    watches_[key(choices[1])].push_back(id);
    nogoods_.push_back(std::move(choices));
    return true;
}

} // namespace orv
