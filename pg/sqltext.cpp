#include "sqltext.h"

namespace pg {
namespace {

bool isIdentStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool isIdentChar(char c) { return isIdentStart(c) || (c >= '0' && c <= '9') || c == '$'; }

class Scanner {
  public:
    explicit Scanner(QByteArray text) : in_(std::move(text)) {}

    PlaceholderText run() {
        while (pos_ < in_.size()) step();
        return {out_, names_};
    }

  private:
    char at(qsizetype i) const { return i >= 0 && i < in_.size() ? in_[i] : '\0'; }

    void step() {
        const char c = in_[pos_];
        if (c == '\'') return copyQuoted('\'', isEscapeString());
        if (c == '"') return copyQuoted('"', false);
        if (c == '-' && at(pos_ + 1) == '-') return copyLineComment();
        if (c == '/' && at(pos_ + 1) == '*') return copyBlockComment();
        if (c == '$' && !isIdentChar(at(pos_ - 1))) return copyDollarQuoted();
        if (c == ':' && at(pos_ + 1) == ':') return copy(2);
        if (c == ':' && isIdentStart(at(pos_ + 1)) && at(pos_ - 1) != ':')
            return replaceParameter();
        if (isIdentStart(c)) return copyWord();
        copy(1);
    }

    void copy(qsizetype n) {
        out_.append(in_.constData() + pos_, n);
        pos_ += n;
    }

    // A word is copied whole, so that "a:b" inside no word and E'...' are told
    // apart from the letters before them.
    void copyWord() {
        qsizetype end = pos_;
        while (end < in_.size() && isIdentChar(in_[end])) ++end;
        copy(end - pos_);
    }

    bool isEscapeString() const {
        const char before = at(pos_ - 1);
        return (before == 'e' || before == 'E') && !isIdentChar(at(pos_ - 2));
    }

    void copyQuoted(char quote, bool backslashEscapes) {
        qsizetype end = pos_ + 1;
        while (end < in_.size()) {
            if (backslashEscapes && in_[end] == '\\') {
                end += 2;
                continue;
            }
            if (in_[end] == quote) {
                if (at(end + 1) != quote) break;
                ++end;  // a doubled quote stands for itself
            }
            ++end;
        }
        copy(std::min(end + 1, in_.size()) - pos_);
    }

    void copyLineComment() {
        qsizetype end = in_.indexOf('\n', pos_);
        copy((end < 0 ? in_.size() : end) - pos_);
    }

    void copyBlockComment() {
        qsizetype end = pos_ + 2;
        int depth = 1;
        while (end < in_.size() && depth > 0) {
            if (in_[end] == '/' && at(end + 1) == '*') {
                ++depth;
                end += 2;
            } else if (in_[end] == '*' && at(end + 1) == '/') {
                --depth;
                end += 2;
            } else {
                ++end;
            }
        }
        copy(end - pos_);
    }

    void copyDollarQuoted() {
        qsizetype tagEnd = pos_ + 1;
        while (tagEnd < in_.size() && isIdentChar(in_[tagEnd]) && in_[tagEnd] != '$') ++tagEnd;
        if (at(tagEnd) != '$' ||
            (tagEnd > pos_ + 1 && in_[pos_ + 1] >= '0' && in_[pos_ + 1] <= '9'))
            return copy(1);  // $1 or a lone $: not a quote
        const QByteArray tag = in_.mid(pos_, tagEnd - pos_ + 1);
        const qsizetype close = in_.indexOf(tag, tagEnd + 1);
        copy((close < 0 ? in_.size() : close + tag.size()) - pos_);
    }

    void replaceParameter() {
        qsizetype end = pos_ + 1;
        while (end < in_.size() && isIdentChar(in_[end]) && in_[end] != '$') ++end;
        const QString name = QString::fromUtf8(in_.mid(pos_ + 1, end - pos_ - 1));
        out_.append('$').append(QByteArray::number(numberOf(name)));
        pos_ = end;
    }

    // Parameter names are not case sensitive.
    qsizetype numberOf(const QString& name) {
        for (qsizetype i = 0; i < names_.size(); ++i)
            if (names_[i].compare(name, Qt::CaseInsensitive) == 0) return i + 1;
        names_.append(name);
        return names_.size();
    }

    QByteArray in_;
    qsizetype pos_ = 0;
    QByteArray out_;
    QStringList names_;
};

}  // namespace

PlaceholderText numberPlaceholders(const QString& text) { return Scanner(text.toUtf8()).run(); }

}  // namespace pg
