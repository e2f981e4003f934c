// Conversions of Variant values as the host's utility object makes them.
#include "platform/variant/variant.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct TextCase {
  const char* label;
  Variant value;
  const char* text;
};

TEST(Variant, ConvertsToTextAsTheHostDoes) {
  const TextCase cases[] = {
      {"empty", Variant(), ""},
      {"null", Variant::null(), ""},
      {"integer", Variant(20), "20"},
      {"negative integer", Variant(-7LL), "-7"},
      {"decimal keeps its scale", Variant(Decimal{150, 2}), "1.50"},
      {"small decimal", Variant(Decimal{-5, 2}), "-0.05"},
      {"whole double", Variant(20.0), "20"},
      {"fractional double", Variant(0.1), "0.1"},
      {"boolean", Variant(true), "True"},
      {"text", Variant("Vite M6"), "Vite M6"},
      {"date", Variant(Date::fromParts(2026, 12, 6, 10, 5, 3)), "2026-12-06 10:05:03"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.label);
    EXPECT_EQ(test.value.toText(), test.text);
  }
}

TEST(Variant, ConvertsToNumbersAndBooleansAndRefusesWhatIsNeither) {
  EXPECT_EQ(Variant("  42 ").toDouble(), 42);
  EXPECT_EQ(Variant("").toDouble(), 0);
  EXPECT_EQ(Variant::null().toInteger(), 0);
  EXPECT_EQ(Variant("2.5").toInteger(), 3);
  EXPECT_EQ(Variant(true).toInteger(), -1);
  EXPECT_EQ(Variant("1.50").toDecimal(), (Decimal{15, 1}));
  EXPECT_THROW(Variant("abc").toDouble(), ConversionError);
  EXPECT_THROW(Variant("12abc").toInteger(), ConversionError);
  EXPECT_THROW(Variant(Variant::Array{Variant(1)}).toText(), ConversionError);
  EXPECT_THROW(Variant(Date{}).toDouble(), ConversionError);
  // Booleans as the host writes them in text.
  EXPECT_TRUE(Variant("True").toBool());
  EXPECT_TRUE(Variant("-1").toBool());
  EXPECT_FALSE(Variant("0").toBool());
  EXPECT_THROW(Variant("forse").toBool(), ConversionError);
}

TEST(Variant, NumbersAreEqualByValueAcrossTypesButNotToText) {
  EXPECT_EQ(Variant(20), Variant(Decimal{200, 1}));
  EXPECT_EQ(Variant(20), Variant(20.0));
  EXPECT_EQ(Variant(Decimal{1, 0}), Variant(Decimal{100, 2}));
  EXPECT_NE(Variant(20), Variant("20"));
  EXPECT_NE(Variant(), Variant::null());
  EXPECT_EQ(Variant::null(), Variant::null());
  EXPECT_NE(Variant(true), Variant(-1));
  EXPECT_EQ(Variant(Variant::Array{Variant(10), Variant(20)}), Variant(Variant::Array{Variant(10), Variant(20.0)}));
  // A value too large to rescale cannot equal a small one, and must not overflow trying.
  EXPECT_NE(Variant(Decimal{900000000000000000, 0}), Variant(Decimal{1, 18}));
}

TEST(Variant, DecimalsAndDatesRoundTripThroughText) {
  for (const char* text : {"0", "20", "-3", "1.50", "0.05", "-12.345", "999999999999999999"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Decimal::parse(text).toString(), text);
  }
  EXPECT_THROW(Decimal::parse("1.2.3"), ConversionError);
  EXPECT_THROW(Decimal::parse("-"), ConversionError);
  for (const char* text : {"2024-02-29 00:00:00", "1900-01-01 12:00:00.250", "1969-12-31 23:59:59.999"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Date::parse(text).toString(), text);
  }
  EXPECT_EQ(Date::parse(" 2026-12-06 ").toString(), "2026-12-06 00:00:00");
  EXPECT_EQ(Date::parse("2026-12-06T08:09:10.5").toString(), "2026-12-06 08:09:10.500");
  EXPECT_EQ(Date::parse("1970-01-02").millisSinceEpoch, 86400000);
}

TEST(Variant, ImpossibleDatesAreRefusedNotMovedOn) {
  for (const char* text : {"2024-02-30", "2023-02-29", "1900-02-29", "2026-13-01", "2026-00-10", "2026-04-31",
                           "2026-01-00", "2026-01-01 24:00:00", "2026-01-01 10:60:00", "2026-01-01 10:00:60",
                           "2026-1-01", "2026-01-01 10:00", "2026-01-01 10:00:00.", "2026-01-01 10:00:00.1234",
                           "2026-01-01X10:00:00", "2026-01-01 -1:00:00", ""}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(Date::parse(text), ConversionError);
  }
  EXPECT_THROW(Date::fromParts(2023, 2, 29), ConversionError);
  EXPECT_EQ(Date::fromParts(2024, 2, 29), Date::parse("2024-02-29"));
}

}  // namespace
}  // namespace platform
