// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "engine/bitfields.h"
#include "engine/views.h"
#include "patterns.h"

namespace bitscope {

void PrintTo(const ViewText& view, std::ostream* out) {
  *out << "{\"" << view.value << "\", \"" << view.caption << "\"}";
}

namespace {

// The seven views of the value held in the slot of formatBytes, as the window computes them
// after decoding the bit boxes.
std::array<ViewText, 7> allViews(int formatBytes, const FormatValues& values, Language language) {
  const BitFields fields = encodeBits(formatBytes, values);
  const Classification flags = classifyBits(*findFormat(formatBytes), fields);
  std::array<ViewText, 7> views;
  for (int item = 1; item <= 7; ++item)
    views[static_cast<std::size_t>(item - 1)] =
        parameterView(item, formatBytes, values, fields, flags, language, false);
  return views;
}

struct ViewsRow {
  int formatBytes;
  FormatValues values;
  Language language;
  std::array<ViewText, 7> want;
};

TEST(ParameterViews, ValuesAndCaptionsOfNamedCases) {
  using enum Language;
  const ViewText ulp32{"1.1920929E-07", "        ULP(X)"};
  const ViewText up32{"1.0000001E+00", "      Nearest, > X"};
  const ViewText down32{"9.9999994E-01", "      Nearest, < X"};
  const ViewText min32{"1.4012985E-45", "        ULP(X)"};
  const ViewsRow rows[] = {
      {4,
       {1.0f, 0, 0},
       English,
       {{{"0", "Representation Exponent (E)"},
         {"1.0000000E+00", "     Significand"},
         ulp32,
         up32,
         down32,
         {"5.9604652E-08", "Delta (Smallest): X + Delta > X"},
         {"1.0000001E+00", "X + Delta"}}}},
      {4,
       {1.0f, 0, 0},
       Romanian,
       {{{"0", "Exponentul reprezentarii (E)"},
         {"1.0000000E+00", "     Semnificand"},
         ulp32,
         up32,
         down32,
         {"5.9604652E-08", "Delta (minim):  X + Delta > X"},
         {"1.0000001E+00", "X + Delta"}}}},
      {4,
       {-1.0f, 0, 0},
       English,
       {{{"0", "Representation Exponent (E)"},
         {"1.0000000E+00", "     Significand"},
         ulp32,
         {"-9.9999994E-01", "      Nearest, > X"},
         {"-1.0000001E+00", "      Nearest, < X"},
         {"5.9604652E-08", "Delta (Smallest): |X| + Delta > |X|"},
         {"-9.9999994E-01", "|X| + Delta"}}}},
      {4,
       {0.0f, 0, 0},
       Romanian,
       {{{"-126", "Exponentul reprezentarii (Emin)"},
         {"0.0000000E+00", "     Semnificand"},
         min32,
         {"1.4012985E-45", "      Nearest, > X"},
         {"-1.4012985E-45", "      Nearest, < X"},
         {"1.4012985E-45", "Delta (minim): |X| + Delta > |X|"},
         {"1.4012985E-45", "|X| + Delta"}}}},
      {4,
       {std::numeric_limits<float>::max(), 0, 0},
       English,
       {{{"127", "Representation Exponent (Emax)"},
         {"1.9999999E+00", "     Significand"},
         {"2.0282410E+31", "        ULP(X)"},
         {"Infinity", "      Nearest, > X"},
         {"3.4028233E+38", "      Nearest, < X"},
         {"1.0141205E+31", "Delta (Smallest): X + Delta > X"},
         {"Infinity", "X + Delta"}}}},
      {8,
       {0, 0x1p-1022, 0},
       English,
       {{{"-1022", "Representation Exponent (Emin)"},
         {"1.000000000000000E+00", "     Significand"},
         {"4.9406564584124654D-324", "        ULP(X)"},
         {"2.2250738585072019D-308", "      Nearest, > X"},
         {"2.2250738585072009D-308", "      Nearest, < X"},
         {"4.940656458412465E-324", "Delta (Smallest): X + Delta > X"},
         {"2.225073858507202E-308", "X + Delta"}}}},
  };
  for (const ViewsRow& row : rows) {
    const auto got = allViews(row.formatBytes, row.values, row.language);
    for (std::size_t i = 0; i < 7; ++i) {
      EXPECT_EQ(got[i].value, row.want[i].value) << "format " << row.formatBytes << " item " << i + 1;
      EXPECT_EQ(got[i].caption, row.want[i].caption) << "format " << row.formatBytes << " item " << i + 1;
    }
  }
}

// The significand and exponent come from the boxes as they stand.
TEST(ParameterViews, ReadTheBitBoxes) {
  using enum Language;
  // Binary128 typed in two parts, the first bit of the second (the 49th of T) set: it
  // counts as 2^-49.
  const BitFields boxes128{"0", "011111111111111", std::string(48, '0') + "1" + std::string(63, '0'), 48};
  const Classification normal128 = classifyBits(binary128Spec, boxes128);
  EXPECT_EQ(significandView(16, boxes128, normal128, English).value,
            "1.000000000000001776356839400250465E+00");
  // Every bit of both boxes set, subnormal: (2^112 - 1) * 2^-112.
  const BitFields ones128{"0", std::string(15, '0'), std::string(112, '1'), 48};
  EXPECT_EQ(significandView(16, ones128, classifyBits(binary128Spec, ones128), English).value,
            "9.999999999999999999999999999999998E-01");
  // A blank-padded exponent box reads right-aligned: "1111111 " is 127, e = 0; its first
  // seven characters are all "1".
  const BitFields shortE{"0", "1111111 ", std::string(23, '0')};
  const Classification flags = classifyBits(binary32Spec, shortE);
  EXPECT_EQ(exponentView(4, shortE, flags, English), (ViewText{"0", "Representation Exponent (Emax)"}));
  // Exponent code 1 is Emin too; a non-finite datum has no significand to show.
  const BitFields code1{"0", "00000001", std::string(23, '1')};
  EXPECT_EQ(exponentView(4, code1, classifyBits(binary32Spec, code1), English).value, "-126");
  const BitFields nan{"0", "11111111", std::string(23, '1')};
  EXPECT_EQ(significandView(4, nan, classifyBits(binary32Spec, nan), Romanian),
            (ViewText{"", "     Semnificand"}));
  // Items outside 1 to 7 and formats other than 4, 8, 16 show nothing.
  const FormatValues v{1.0f, 1.0, 1};
  EXPECT_EQ(parameterView(0, 4, v, code1, flags, English, false), ViewText{});
  EXPECT_EQ(parameterView(8, 4, v, code1, flags, English, false), ViewText{});
  EXPECT_EQ(parameterView(3, 5, v, code1, flags, English, false), ViewText{});
  EXPECT_EQ(parameterView(4, 4, v, code1, flags, English, true).value, "0_01111111_00000000000000000000001");
}

TEST(ParameterViews, ListItemsInBothLanguages) {
  const auto ro = parameterListItems(Language::Romanian);
  const auto en = parameterListItems(Language::English);
  EXPECT_EQ(ro[1], "Semnificand");
  EXPECT_EQ(en[1], "Significand");
  EXPECT_EQ(en[0], "Exponent");
  EXPECT_EQ(en[3], "X+ = Nearest(x,+1.0)");
  EXPECT_EQ(en[6], "X +Delta(X)");
}

}  // namespace
}  // namespace bitscope
