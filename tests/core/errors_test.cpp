#include <gtest/gtest.h>

#include "core/dialogs.h"
#include "core/errors.h"

namespace {

TEST(ErrorDisplayText, AppendsAFullStopAfterCharactersAbovePoint) {
    const std::pair<const char*, const char*> cases[] = {
        {"Companie inexistenta", "Companie inexistenta."},
        {"Done.", "Done."},
        {"Completati !", "Completati !"},
        {"Why?", "Why?."},
        {"Field:", "Field:."},
        {"1-", "1-"},
        {"(x)", "(x)"},
        {"quote\"", "quote\""},
        {"blank ", "blank "},
        {"comma,", "comma,"},
        {"digit 7", "digit 7."},
        {"", ""},
    };
    for (const auto& [message, shown] : cases)
        EXPECT_EQ(wt::errorDisplayText(wt::Error(QString::fromUtf8(message))), QString::fromUtf8(shown))
            << message;
}

TEST(ErrorDisplayText, InnermostNonEmptyInnerErrorWins) {
    auto innermost = std::make_shared<wt::Error>(QStringLiteral("disk full"));
    auto middle = std::make_shared<wt::Error>(QStringLiteral("middle"), QStringLiteral("E"), innermost);
    EXPECT_EQ(wt::errorDisplayText(wt::Error(QStringLiteral("outer"), QStringLiteral("E"), middle)),
              QStringLiteral("disk full."));
    auto empty = std::make_shared<wt::Error>(QString());
    EXPECT_EQ(wt::errorDisplayText(wt::Error(QStringLiteral("outer"), QStringLiteral("E"), empty)),
              QStringLiteral("outer."));
}

TEST(ApplicationTitle, FromExecutableFileName) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\wTalvor.exe", "wtalvor"},
        {"WTALVOR.EXE", "Wtalvor"},
        {"wTalvor.old.exe", "wtalvor"},
        {"/usr/local/bin/wTalvor", "wtalvor"},
        {"/opt/x.y/WTalVor", "Wtalvor"},
        {"W", "W"},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(wt::applicationTitleFrom(QString::fromUtf8(path)), QString::fromUtf8(title)) << path;
}

}  // namespace
