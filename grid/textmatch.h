#pragma once
// Filter-row judgement of texts: "%" stands for any run of characters (none
// included), "_" for exactly one; a value without either must be equal.
// Both sides are case folded first, so case never matters.
#include <QString>
#include <string>
#include <string_view>

namespace grid {

// The case-folded text as code points, so "_" counts characters, not UTF-16
// units.
std::u32string foldedCodePoints(const QString& text);
// The same, appended to a buffer without allocating per text.
void appendFolded(const QString& text, std::u32string& buffer);
bool isPattern(const QString& value);

class TextCondition {
  public:
    explicit TextCondition(const QString& value);
    bool isPattern() const { return isPattern_; }
    // text must already be folded (foldedCodePoints).
    bool matches(std::u32string_view foldedText) const;

  private:
    std::u32string folded_;
    bool isPattern_;
};

}  // namespace grid
