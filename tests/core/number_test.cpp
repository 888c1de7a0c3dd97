#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/number.h"

namespace {

struct NumberCase {
    const char* text;
    QLocale::Language language;
    QLocale::Territory territory;
    std::optional<double> expected;
};

const QLocale::Language en = QLocale::English;
const QLocale::Territory us = QLocale::UnitedStates;
const QLocale::Language ro = QLocale::Romanian;
const QLocale::Territory romania = QLocale::Romania;

class ReadFloat : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadFloat, ReadsOnlyTheStrictForm) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(wt::tryReadFloat(QString::fromUtf8(c.text), QLocale(c.language, c.territory)),
              c.expected)
        << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadFloat,
    ::testing::Values(NumberCase{"1", en, us, 1.0}, NumberCase{" 2 ", en, us, 2.0},
                      NumberCase{"1.5", en, us, 1.5}, NumberCase{"1,5", en, us, std::nullopt},
                      NumberCase{"1,5", ro, romania, 1.5}, NumberCase{"1.5", ro, romania, std::nullopt},
                      NumberCase{"-2", en, us, -2.0}, NumberCase{"+3", en, us, 3.0},
                      NumberCase{".5", en, us, 0.5}, NumberCase{"5.", en, us, 5.0},
                      NumberCase{".", en, us, std::nullopt}, NumberCase{"", en, us, std::nullopt},
                      NumberCase{"   ", en, us, std::nullopt}, NumberCase{"abc", en, us, std::nullopt},
                      NumberCase{"1e3", en, us, 1000.0}, NumberCase{"2.5E-1", en, us, 0.25},
                      NumberCase{"1e", en, us, std::nullopt}, NumberCase{"1,000", en, us, std::nullopt},
                      NumberCase{"1.2.3", en, us, std::nullopt}, NumberCase{"- 1", en, us, std::nullopt},
                      NumberCase{"$1", en, us, std::nullopt}, NumberCase{"1e999", en, us, std::nullopt},
                      NumberCase{"4.9735", en, us, 4.9735}, NumberCase{"\t1", en, us, std::nullopt},
                      NumberCase{"\xd9\xa1", en, us, std::nullopt}));

TEST(ReadFloat, ConversionErrorQuotesTheTextAsTyped) {
    try {
        wt::readFloat(QStringLiteral(" abc"), QLocale(en, us));
        FAIL();
    } catch (const wt::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("' abc' is not a valid floating point value"));
    }
}

}  // namespace
