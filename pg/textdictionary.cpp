#include "textdictionary.h"

#include <cstring>
#include <functional>

namespace pg {

TextDictionary::TextDictionary() : offsets_{0, 0} {}

std::uint32_t TextDictionary::intern(std::string_view text) {
    const std::hash<std::string_view> hasher;
    const std::uint32_t newId = idCount();
    // Id 0 is NULL, never the empty text.
    const std::uint32_t id = index_.idOf(
        hasher(text), newId,
        [&](std::uint32_t known) { return known != 0 && this->text(known) == text; },
        [&](std::uint32_t known) { return hasher(this->text(known)); });
    if (id == newId) {
        arena_.insert(arena_.end(), text.begin(), text.end());
        offsets_.push_back(arena_.size());
    }
    return id;
}

std::size_t TextDictionary::memoryBytes() const {
    return arena_.capacity() + offsets_.capacity() * sizeof(std::size_t) + index_.memoryBytes();
}

void TextDictionary::squeeze() {
    index_.drop();
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
