#include <gtest/gtest.h>

#include <limits>

#include "platform/text/ascii.h"
#include "platform/text/letter_case.h"
#include "platform/text/numbers.h"
#include "platform/text/utf8.h"

namespace platform::text {
namespace {

TEST(AsciiTest, CaseLeavesUtf8BytesAlone) {
  EXPECT_EQ(upperAscii("città-9"), "CITTà-9");
  EXPECT_EQ(lowerAscii("CITTÀ"), "cittÀ");
  EXPECT_TRUE(equalsIgnoringCase("DbField", "DBFIELD"));
  EXPECT_FALSE(equalsIgnoringCase("à", "À"));
  EXPECT_FALSE(equalsIgnoringCase("ab", "ab "));
}

TEST(AsciiTest, Trimming) {
  struct Case {
    std::string_view text, left, right, both;
  };
  for (const Case& c : {Case{"", "", "", ""}, Case{" \t\r\n", "", "", ""}, Case{" a b\t\r\n", "a b\t\r\n", " a b", "a b"},
                        Case{"x", "x", "x", "x"}}) {
    EXPECT_EQ(trimLeft(c.text), c.left) << c.text;
    EXPECT_EQ(trimRight(c.text), c.right) << c.text;
    EXPECT_EQ(trim(c.text), c.both) << c.text;
    EXPECT_EQ(isBlank(c.text), c.both.empty()) << c.text;
  }
  EXPECT_EQ(trimRight("a\t  ", " "), "a\t");
}

TEST(NumbersTest, CountsAreGroupedAndOnlyPlainDecimalsTakeAComma) {
  EXPECT_EQ(italianCount(0), "0");
  EXPECT_EQ(italianCount(999), "999");
  EXPECT_EQ(italianCount(1000), "1.000");
  EXPECT_EQ(italianCount(-1234567), "-1.234.567");
  EXPECT_EQ(italianCount(std::numeric_limits<long long>::min()), "-9.223.372.036.854.775.808");
  struct Case {
    std::string_view plain, shown;
  };
  for (const Case& c : {Case{"0.025", "0,025"}, Case{"-12.5", "-12,5"}, Case{"1234.50", "1234,50"}, Case{"3", "3"},
                        Case{"10.9.1", "10.9.1"}, Case{"M10.9", "M10.9"}, Case{".5", ".5"}, Case{"5.", "5."},
                        Case{"2026-12-06", "2026-12-06"}, Case{"", ""}, Case{"1.5 kg", "1.5 kg"}}) {
    EXPECT_EQ(italianDecimal(c.plain), c.shown) << c.plain;
  }
}

TEST(Utf8Test, CountsAndCutsWholeCharacters) {
  const std::string_view text = "aè€😀b";  // 1, 2, 3 and 4 bytes
  EXPECT_EQ(utf8Length(text), 5u);
  const std::string_view prefixes[] = {"", "a", "aè", "aè€", "aè€😀", "aè€😀b", "aè€😀b"};
  for (std::size_t n = 0; n < std::size(prefixes); ++n) EXPECT_EQ(utf8Prefix(text, n), prefixes[n]) << n;
}

TEST(Utf8Test, DecodesAndEncodesEveryLength) {
  for (const char32_t c : {U'a', U'è', U'€', U'😀'}) {
    std::string bytes;
    appendUtf8(bytes, c);
    std::size_t i = 0;
    EXPECT_EQ(nextCodePoint(bytes, i), c);
    EXPECT_EQ(i, bytes.size());
  }
}

TEST(Utf8Test, MalformedBytesStandForThemselves) {
  // A lone continuation byte, a lead byte cut off by the end, a lead byte before ASCII.
  for (const std::string_view bytes : {"\x80", "\xE2\x82", "\xC3" "a"}) {
    std::size_t i = 0;
    EXPECT_EQ(nextCodePoint(bytes, i), static_cast<unsigned char>(bytes[0]));
    EXPECT_EQ(i, 1u);
  }
}

TEST(LetterCaseTest, UpperAndLowerOfAnyLetter) {
  struct Case {
    std::string_view text, upper, lower;
  };
  for (const Case& c : {Case{"città", "CITTÀ", "città"}, Case{"ÀÉÎÕÜ àéîõü", "ÀÉÎÕÜ ÀÉÎÕÜ", "àéîõü àéîõü"},
                        Case{"Łódź Ωmega", "ŁÓDŹ ΩMEGA", "łódź ωmega"}, Case{"ß 12-€", "ß 12-€", "ß 12-€"}}) {
    EXPECT_EQ(toUpper(c.text), c.upper);
    EXPECT_EQ(toLower(c.text), c.lower);
  }
  // A malformed byte is copied, never re-encoded as the letter its value happens to be.
  EXPECT_EQ(toUpper("a\xE0" "b"), "A\xE0" "B");
}

TEST(LetterCaseTest, FoldingIgnoresCaseButNotAccents) {
  EXPECT_EQ(foldCase(U'A'), U'a');
  EXPECT_EQ(foldCase(U'À'), U'à');
  EXPECT_EQ(foldCase(U'à'), U'à');
  EXPECT_NE(foldCase(U'À'), foldCase(U'A'));
  EXPECT_EQ(foldCase(U'Ÿ'), U'ÿ');
  EXPECT_EQ(foldCase(U'Σ'), foldCase(U'ς'));
  EXPECT_EQ(foldCase(U'×'), U'×');
  // The dotted capital I is a letter of its own, not an I with an accent dropped.
  EXPECT_NE(foldCase(U'İ'), foldCase(U'I'));
}

TEST(LetterCaseTest, CodesCompareAsTheDatabaseDoes) {
  EXPECT_TRUE(sameCode("città \t", "CITTÀ"));
  EXPECT_FALSE(sameCode("citta", "CITTÀ"));
  EXPECT_FALSE(sameCode(" a", "a"));
  EXPECT_LT(compareIgnoringCase("ab", "AC"), 0);
  EXPECT_GT(compareIgnoringCase("abc", "AB"), 0);
  EXPECT_LT(compareIgnoringCase("Z", "à"), 0);  // by code point once folded
}

}  // namespace
}  // namespace platform::text
