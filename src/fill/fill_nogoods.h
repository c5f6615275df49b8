// What the fill search learns from its failures: nogoods, sets of choices
// "slot v holds word w" that no fill can make all together. A run of the
// search that ends in a restart leaves one for each word it had refuted on
// its current branch (the choices above that refutation, plus the word
// refuted), so that the next runs never explore those parts again whatever
// order they take the slots in. They are watched as clauses are in a SAT
// solver: two choices of each nogood not yet made are watched, and when all
// but one are made the last one is forbidden.
//
// A store belongs to one search, on one thread; it is never shared.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orv {

struct FillChoice {
    int var = 0;
    std::uint32_t word = 0;
    bool operator==(const FillChoice&) const = default;
};

// The restart schedule of Luby, Sinclair and Zuckerman: 1 1 2 1 1 2 4 1 1
// 2 1 1 2 4 8..., for i from 1; within a constant factor of the best
// schedule for any distribution of run lengths, which suits heavy tails.
std::uint64_t lubyTerm(std::uint64_t i);

class NogoodStore {
public:
    // At most `maxNogoods` are kept, each of at most `maxChoices` choices;
    // others are dropped (which never makes the search wrong, only forgetful).
    explicit NogoodStore(std::size_t maxNogoods = 100000, std::size_t maxChoices = 64)
        : maxNogoods_(maxNogoods), maxChoices_(maxChoices) {}

    // Adds a nogood of two choices or more, over distinct slots, none made
    // yet where the search stands; false when it is dropped.
    bool add(std::vector<FillChoice> choices);
    std::size_t size() const { return nogoods_.size(); }
    bool empty() const { return nogoods_.empty(); }

    // Choice c has just been made. Each nogood watching it watches another
    // choice not made, or, when every other choice but one is made
    // (`made(choice)`), `forbid(last)` is called: it removes that word from
    // that slot, or returns false when the choice is already made (the
    // search has failed). Returns false on such a failure.
    template <class Made, class Forbid> bool onMade(FillChoice c, Made made, Forbid forbid);

private:
    static std::uint64_t key(FillChoice c) {
        return std::uint64_t(std::uint32_t(c.var)) << 32 | c.word;
    }

    std::size_t maxNogoods_;
    std::size_t maxChoices_;
    std::vector<std::vector<FillChoice>> nogoods_;
    // Per choice, the nogoods watching it (their first two choices are the
    // watched ones).
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> watches_;
};

template <class Made, class Forbid>
bool NogoodStore::onMade(FillChoice c, Made made, Forbid forbid) {
    const auto found = watches_.find(key(c));
    if (found == watches_.end())
        return true;
    // A reference to a mapped value stays valid while other keys are added.
    std::vector<std::uint32_t>& list = found->second;
    std::size_t kept = 0;
    bool ok = true;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::uint32_t id = list[i];
        if (!ok) {
            list[kept++] = id;
            continue;
        }
        std::vector<FillChoice>& g = nogoods_[id];
        if (g[0] == c)
            std::swap(g[0], g[1]);
        bool moved = false;
        for (std::size_t k = 2; k < g.size(); ++k)
            if (!made(g[k])) {
                std::swap(g[1], g[k]);
                watches_[key(g[1])].push_back(id);
                moved = true;
                break;
            }
        if (moved)
            continue;
        list[kept++] = id;
        ok = forbid(g[0]);
    }
    list.resize(kept);
    return ok;
}

} // namespace orv
