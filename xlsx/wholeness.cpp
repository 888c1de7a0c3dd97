#include "xlsx/wholeness.h"

#include <zlib.h>

#include <QFile>
#include <vector>

#include "core/errors.h"

namespace xlsx {
namespace {

constexpr quint32 endOfDirectorySignature = 0x06054b50;
constexpr quint32 directoryEntrySignature = 0x02014b50;
constexpr quint32 localHeaderSignature = 0x04034b50;
constexpr int endOfDirectorySize = 22;
constexpr int directoryEntrySize = 46;
constexpr int localHeaderSize = 30;
constexpr int maxCommentSize = 0xFFFF;

quint16 le16(const char* p) { return quint16(quint8(p[0]) | quint8(p[1]) << 8); }
quint32 le32(const char* p) { return quint32(le16(p)) | quint32(le16(p + 2)) << 16; }

[[noreturn]] void defect(const QString& what) {
    throw wt::Error(QStringLiteral("The workbook came out incomplete (%1)").arg(what));
}

struct Part {
    QString name;
    quint16 method = 0;
    quint32 crc = 0;
    quint32 packedSize = 0;
    quint32 size = 0;
    quint32 headerOffset = 0;
};

QByteArray readAt(QFile& file, qint64 offset, qint64 size) {
    if (!file.seek(offset)) defect(QStringLiteral("cannot read it back"));
    QByteArray bytes = file.read(size);
    if (bytes.size() != size) defect(QStringLiteral("shorter than its directory says"));
    return bytes;
}

// The end-of-directory record: the last signature within the comment's reach.
QByteArray endOfDirectory(QFile& file) {
    const qint64 tail = std::min<qint64>(file.size(), endOfDirectorySize + maxCommentSize);
    const QByteArray bytes = readAt(file, file.size() - tail, tail);
    for (qsizetype at = bytes.size() - endOfDirectorySize; at >= 0; --at) {
        if (le32(bytes.constData() + at) == endOfDirectorySignature) {
            return bytes.mid(at, endOfDirectorySize);
        }
    }
    defect(QStringLiteral("no zip directory"));
}

std::vector<Part> directory(QFile& file) {
    const QByteArray end = endOfDirectory(file);
    const quint16 count = le16(end.constData() + 10);
    const QByteArray entries = readAt(file, le32(end.constData() + 16), le32(end.constData() + 12));
    std::vector<Part> parts;
    qsizetype at = 0;
    for (int i = 0; i < count; ++i) {
        if (at + directoryEntrySize > entries.size() ||
            le32(entries.constData() + at) != directoryEntrySignature) {
            defect(QStringLiteral("a damaged zip directory"));
        }
        const char* entry = entries.constData() + at;
        const quint16 nameSize = le16(entry + 28);
        parts.push_back({QString::fromUtf8(entries.mid(at + directoryEntrySize, nameSize)),
                         le16(entry + 10), le32(entry + 16), le32(entry + 20), le32(entry + 24),
                         le32(entry + 42)});
        at += directoryEntrySize + nameSize + le16(entry + 30) + le16(entry + 32);
    }
    return parts;
}

// What a part inflates to: its size, checksum, and its first and last bytes,
// enough to see the root element open and close.
struct Inflated {
    quint64 size = 0;
    quint32 crc = 0;
    QByteArray head;
    QByteArray tail;
};

void take(Inflated& out, const char* data, qsizetype size) {
    constexpr qsizetype kept = 512;
    out.size += quint64(size);
    out.crc = quint32(crc32(out.crc, reinterpret_cast<const Bytef*>(data), uInt(size)));
    if (out.head.size() < kept) out.head.append(data, std::min(size, kept - out.head.size()));
    out.tail.append(data, size);
    if (out.tail.size() > kept) out.tail.remove(0, out.tail.size() - kept);
}

constexpr qint64 chunkSize = 1 << 16;

// Feeds the packed bytes of a part to consume, a chunk at a time, so that
// memory stays flat for any size of part.
template <typename Consume>
void readPacked(QFile& file, const Part& part, Consume consume) {
    const QByteArray header = readAt(file, part.headerOffset, localHeaderSize);
    if (le32(header.constData()) != localHeaderSignature)
        defect(part.name + QStringLiteral(": no local header"));
    const qint64 dataOffset = qint64(part.headerOffset) + localHeaderSize +
                              le16(header.constData() + 26) + le16(header.constData() + 28);
    if (!file.seek(dataOffset)) defect(QStringLiteral("cannot read it back"));
    for (qint64 left = part.packedSize; left > 0;) {
        const QByteArray chunk = file.read(std::min(left, chunkSize));
        if (chunk.isEmpty()) defect(QStringLiteral("shorter than its directory says"));
        left -= chunk.size();
        consume(chunk);
    }
}

class Inflater {
  public:
    explicit Inflater(const QString& part) : buffer_(chunkSize) {
        if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK)
            defect(part + QStringLiteral(": cannot inflate"));
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    void feed(const QByteArray& packed, Inflated& out) {
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
        stream_.avail_in = uInt(packed.size());
        do {
            stream_.next_out = reinterpret_cast<Bytef*>(buffer_.data());
            stream_.avail_out = uInt(buffer_.size());
            result_ = inflate(&stream_, Z_NO_FLUSH);
            take(out, buffer_.data(), qsizetype(buffer_.size() - stream_.avail_out));
        } while (result_ == Z_OK && (stream_.avail_in > 0 || stream_.avail_out == 0));
        // No progress without more input: the next chunk brings it.
        if (result_ == Z_BUF_ERROR) result_ = Z_OK;
    }
    bool finished() const { return result_ == Z_STREAM_END; }

  private:
    z_stream stream_{};
    std::vector<char> buffer_;
    int result_ = Z_OK;
};

Inflated inflatePart(QFile& file, const Part& part) {
    Inflated out;
    if (part.method != Z_DEFLATED) defect(part.name + QStringLiteral(": unknown compression"));
    Inflater inflater(part.name);
    readPacked(file, part, [&](const QByteArray& chunk) { inflater.feed(chunk, out); });
    if (!inflater.finished()) defect(part.name + QStringLiteral(": damaged compressed data"));
    return out;
}

// "<?xml ...?><worksheet ...>...</worksheet>": the root's name after the
// declaration, and the closing tag at the very end.
bool closesItsRoot(const Inflated& part) {
    const QByteArray head = part.head;
    qsizetype open = head.indexOf('<');
    while (open >= 0 && open + 1 < head.size() &&
           (head[open + 1] == '?' || head[open + 1] == '!')) {
        open = head.indexOf('<', open + 1);
    }
    if (open < 0) return false;
    qsizetype nameEnd = open + 1;
    while (nameEnd < head.size() && !QByteArrayView(" \t\r\n/>").contains(head[nameEnd])) {
        ++nameEnd;
    }
    const QByteArray root = head.mid(open + 1, nameEnd - open - 1);
    const QByteArray tail = part.tail.trimmed();
    return tail.endsWith("</" + root + '>');
}

bool isXml(const QString& name) { return name.endsWith(u".xml") || name.endsWith(u".rels"); }

void checkPart(QFile& file, const Part& part) {
    const Inflated inflated = inflatePart(file, part);
    if (inflated.size != part.size || inflated.crc != part.crc) {
        defect(part.name + QStringLiteral(": size or checksum differs"));
    }
    if (isXml(part.name) && !closesItsRoot(inflated))
        defect(part.name + QStringLiteral(" is cut short"));
}

}  // namespace

void checkWorkbookWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) defect(QStringLiteral("cannot read it back"));
    const std::vector<Part> parts = directory(file);
    if (parts.empty()) defect(QStringLiteral("no parts"));
    for (const Part& part : parts) checkPart(file, part);
}

}  // namespace xlsx
