#pragma once
// Texts of one column, each distinct text stored once as UTF-8 and known by
// a small id; id 0 stands for NULL. Looking a text up hashes its raw bytes,
// so a fetch never builds a QString per cell.
#include <cstdint>
#include <string_view>
#include <vector>

#include "idindex.h"

namespace pg {

class TextDictionary {
  public:
    TextDictionary();
    std::uint32_t intern(std::string_view text);
    std::string_view text(std::uint32_t id) const {
        return {arena_.data() + offsets_[id], offsets_[id + 1] - offsets_[id]};
    }
    std::uint32_t idCount() const { return std::uint32_t(offsets_.size() - 1); }
    std::size_t memoryBytes() const;
    // Drops the look-up index (rebuilt on the next intern) and spare capacity.
    void squeeze();

  private:
    std::vector<char> arena_;
    std::vector<std::size_t> offsets_;  // text of id i: [offsets_[i], offsets_[i + 1])
    IdIndex index_;
};

// Row ids of a text column in the narrowest width that holds them: one byte
// while a column has fewer than 256 distinct texts, then two, then four.
class IdVector {
  public:
    std::uint32_t get(std::size_t row) const;
    void set(std::size_t row, std::uint32_t id);
    void push_back(std::uint32_t id);
    void insert(std::size_t row, std::uint32_t id);
    void erase(std::size_t row);
    std::size_t size() const { return bytes_.size() / width_; }
    std::size_t memoryBytes() const { return bytes_.capacity(); }
    void squeeze() { bytes_.shrink_to_fit(); }

  private:
    void widenFor(std::uint32_t id);
    std::vector<std::uint8_t> bytes_;
    unsigned width_ = 1;
};

}  // namespace pg
