// The connection password is carried enciphered: no plain copy in the client.
#include <gtest/gtest.h>

#include <QFile>

namespace {

TEST(ClientBinary, HoldsNoPlainCopyOfTheConnectionPassword) {
    const QString password = QStringLiteral(WTALVOR_PASSWORD);
    ASSERT_FALSE(password.isEmpty());
    QFile executable(QStringLiteral(WTALVOR_EXECUTABLE));
    ASSERT_TRUE(executable.open(QIODevice::ReadOnly)) << WTALVOR_EXECUTABLE;
    const QByteArray content = executable.readAll();
    const QByteArray utf16(reinterpret_cast<const char*>(password.utf16()), password.size() * 2);
    EXPECT_FALSE(content.contains(password.toUtf8()));
    EXPECT_FALSE(content.contains(utf16));
}

}  // namespace
