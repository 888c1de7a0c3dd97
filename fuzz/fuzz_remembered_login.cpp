// The remembered-login file loader on arbitrary file content: it refuses
// with a StorageError or gives a table that saves and loads back unchanged.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "login/remembered_login.h"

namespace {

QString scratchPath(const char* what) {
    return QDir::temp().filePath(
        QStringLiteral("wt-fuzz-login-%1-%2.json").arg(::getpid()).arg(what));
}

void writeFile(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString input = scratchPath("input");
    static const QString saved = scratchPath("saved");
    writeFile(input, data, size);
    try {
        const std::optional<login::LoginTable> loaded = login::loadLoginTable(input);
        if (!loaded) std::abort();
        login::saveLoginTable(*loaded, saved);
        if (login::loadLoginTable(saved)->row() != loaded->row()) std::abort();
    } catch (const login::StorageError&) {
    }
    return 0;
}
