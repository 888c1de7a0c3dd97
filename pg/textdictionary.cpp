#include "textdictionary.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>

namespace pg {

TextDictionary::TextDictionary() : offsets_{0, 0} {}

std::uint32_t* TextDictionary::findSlot(std::string_view text, std::size_t hash) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        std::uint32_t& slot = slots_[i];
        if (slot == 0 || this->text(slot) == text) return &slot;
    }
}

void TextDictionary::rebuildIndex(std::size_t slotCount) {
    slots_.assign(slotCount, 0);
    std::hash<std::string_view> hasher;
    for (std::uint32_t id = 1; id < idCount(); ++id) *findSlot(text(id), hasher(text(id))) = id;
}

std::uint32_t TextDictionary::intern(std::string_view text) {
    // The index stays at most half full, so probes stay short.
    if (slots_.size() < 2 * std::size_t(idCount()) + 2)
        rebuildIndex(std::max<std::size_t>(64, std::bit_ceil(4 * std::size_t(idCount()))));
    std::uint32_t* slot = findSlot(text, std::hash<std::string_view>()(text));
    if (*slot != 0) return *slot;
    const std::uint32_t id = idCount();
    arena_.insert(arena_.end(), text.begin(), text.end());
    offsets_.push_back(arena_.size());
    *slot = id;
    return id;
}

std::size_t TextDictionary::memoryBytes() const {
    return arena_.capacity() + offsets_.capacity() * sizeof(std::size_t) +
           slots_.capacity() * sizeof(std::uint32_t);
}

void TextDictionary::squeeze() {
    slots_ = {};
    arena_.shrink_to_fit();
    offsets_.shrink_to_fit();
}

std::uint32_t IdVector::get(std::size_t row) const {
    const std::uint8_t* at = bytes_.data() + row * width_;
    if (width_ == 1) return *at;
    if (width_ == 2) {
        std::uint16_t value;
        std::memcpy(&value, at, 2);
        return value;
    }
    std::uint32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

void IdVector::set(std::size_t row, std::uint32_t id) {
    widenFor(id);
    std::uint8_t* at = bytes_.data() + row * width_;
    if (width_ == 1) {
        *at = std::uint8_t(id);
    } else if (width_ == 2) {
        const std::uint16_t value = std::uint16_t(id);
        std::memcpy(at, &value, 2);
    } else {
        std::memcpy(at, &id, 4);
    }
}

void IdVector::push_back(std::uint32_t id) {
    widenFor(id);
    bytes_.resize(bytes_.size() + width_);
    set(size() - 1, id);
}

void IdVector::insert(std::size_t row, std::uint32_t id) {
    widenFor(id);
    bytes_.insert(bytes_.begin() + std::ptrdiff_t(row * width_), width_, 0);
    set(row, id);
}

void IdVector::erase(std::size_t row) {
    const auto at = bytes_.begin() + std::ptrdiff_t(row * width_);
    bytes_.erase(at, at + width_);
}

void IdVector::widenFor(std::uint32_t id) {
    const unsigned needed = id <= 0xFF ? 1 : id <= 0xFFFF ? 2 : 4;
    if (needed <= width_) return;
    IdVector wider;
    wider.width_ = needed;
    wider.bytes_.resize(size() * needed);
    for (std::size_t row = 0; row < size(); ++row) wider.set(row, get(row));
    *this = std::move(wider);
}

}  // namespace pg
