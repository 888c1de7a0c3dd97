#pragma once
// A hash index over ids whose values their owner keeps (a column's distinct
// texts or numbers): finding a value's id hashes it once and compares only
// the values on its probe run. Open addressing; slots hold id + 1, 0 is
// free. It stays at most half full, so probes stay short, and it may be
// dropped at any time: the next look-up rebuilds it.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pg {

class IdIndex {
  public:
    // The id whose value valueIs(id) accepts, or else newId, which the
    // caller then keeps the value under; newId is the count of ids so far,
    // and hashOf(id) hashes their values again when the index grows.
    template <typename ValueIs, typename HashOf>
    std::uint32_t idOf(std::size_t hash, std::uint32_t newId, ValueIs valueIs, HashOf hashOf) {
        if (slots_.size() < 2 * std::size_t(newId) + 2) rebuild(newId, hashOf);
        std::uint32_t& slot = slotOf(hash, valueIs);
        if (slot == 0) slot = newId + 1;
        return slot - 1;
    }
    std::size_t memoryBytes() const { return slots_.capacity() * sizeof(std::uint32_t); }
    void drop() { slots_ = {}; }

  private:
    template <typename ValueIs>
    std::uint32_t& slotOf(std::size_t hash, ValueIs valueIs) {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            std::uint32_t& slot = slots_[i];
            if (slot == 0 || valueIs(slot - 1)) return slot;
        }
    }
    template <typename HashOf>
    void rebuild(std::uint32_t ids, HashOf hashOf) {
        slots_.assign(std::max<std::size_t>(64, std::bit_ceil(4 * std::size_t(ids))), 0);
        const auto isNew = [](std::uint32_t) { return false; };  // the ids are distinct
        for (std::uint32_t id = 0; id < ids; ++id) slotOf(hashOf(id), isNew) = id + 1;
    }

    std::vector<std::uint32_t> slots_;
};

}  // namespace pg
