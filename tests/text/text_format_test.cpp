#include "text/text_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace kx {

TEST(TextFormat, Count64GroupsEveryThreeDigits) {
  EXPECT_EQ(FormatCount64(0), "0");
  EXPECT_EQ(FormatCount64(999), "999");
  EXPECT_EQ(FormatCount64(1000), "1.000");
  EXPECT_EQ(FormatCount64(1014516), "1.014.516");
  EXPECT_EQ(FormatCount64(std::numeric_limits<uint64_t>::max()), "18.446.744.073.709.551.615");
}

TEST(TextFormat, GroupedDecimalHandlesSignAndExtremes) {
  std::string out = "x";
  AppendGroupedDecimal(out, 562);
  EXPECT_EQ(out, "x562");
  out.clear();
  AppendGroupedDecimal(out, -1234567);
  EXPECT_EQ(out, "-1.234.567");
  out.clear();
  AppendGroupedDecimal(out, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(out, "-2.147.483.648");
}

TEST(TextFormat, DecimalPadsToWidth) {
  std::string out;
  AppendDecimal(out, 7, 2);
  AppendDecimal(out, 2026, 4);
  AppendDecimal(out, 5, 1);
  EXPECT_EQ(out, "0720265");
}

}  // namespace kx
