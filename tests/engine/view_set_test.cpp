// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/bitfields.h"
#include "engine/views.h"
#include "patterns.h"

namespace bitscope {
namespace {

struct Member {
  ViewText ParameterViews::*view;
  const char* name;
};

constexpr std::array<Member, 9> members{{
    {&ParameterViews::exponent, "exponent"},
    {&ParameterViews::significand, "significand"},
    {&ParameterViews::ulp, "ulp"},
    {&ParameterViews::nextUp, "nextUp"},
    {&ParameterViews::nextDown, "nextDown"},
    {&ParameterViews::nextUpBits, "nextUpBits"},
    {&ParameterViews::nextDownBits, "nextDownBits"},
    {&ParameterViews::delta, "delta"},
    {&ParameterViews::xPlusDelta, "xPlusDelta"},
}};

// The record made of the single-view functions, one call per view.
ParameterViews singleViews(int formatBytes, const FormatValues& values, const BitFields& fields,
                           const Classification& flags, Language language) {
  constexpr int up = static_cast<int>(ParameterItem::NextUp);
  constexpr int down = static_cast<int>(ParameterItem::NextDown);
  return {exponentView(formatBytes, fields, flags, language),
          significandView(formatBytes, fields, flags, language),
          ulpView(formatBytes, values),
          neighbourItemView(formatBytes, values, up, false, language),
          neighbourItemView(formatBytes, values, down, false, language),
          neighbourItemView(formatBytes, values, up, true, language),
          neighbourItemView(formatBytes, values, down, true, language),
          deltaView(formatBytes, values, language),
          xPlusDeltaView(formatBytes, values)};
}

// One record filled value after value, format after format and in both languages, holds
// exactly the texts of the single views each time: nothing is left over from the value
// before, and each view gets its own quantity (X+ and X-, Delta and X + Delta). Some fields
// are typed with a blank in them, as the boxes may hold.
TEST(AllParameterViews, MatchTheSingleViewsInOneReusedRecord) {
  std::mt19937_64 rng(1234);
  ParameterViews views;
  constexpr std::array<int, 3> formats{4, 8, 16};
  for (int i = 0; i < 6000 / test::sweepScale; ++i) {
    const int formatBytes = formats[static_cast<std::size_t>(i) % formats.size()];
    FormatValues values;
    std::string shown;
    withFormat(formatBytes, [&]<class T>(FormatTag<T>) {
      values.slot<T>() = test::randomPattern<T>(rng, true);
      shown = test::showBits(values.slot<T>());
    });
    BitFields fields = encodeBits(formatBytes, values);
    if (i % 5 == 0) fields.T[rng() % fields.T.size()] = ' ';
    const Classification flags = classifyBits(*findFormat(formatBytes), fields);
    const Language language = i % 2 == 0 ? Language::English : Language::Romanian;

    parameterViews(formatBytes, values, fields, flags, language, views);
    const ParameterViews want = singleViews(formatBytes, values, fields, flags, language);
    for (const Member& m : members) {
      ASSERT_EQ((views.*m.view).value, (want.*m.view).value) << m.name << " of " << shown;
      ASSERT_EQ((views.*m.view).caption, (want.*m.view).caption) << m.name << " of " << shown;
    }
  }
  const FormatValues one{1.0f, 1.0, 1};
  const BitFields fields = encodeBits(4, one);
  parameterViews(7, one, fields, classifyBits(binary32Spec, fields), Language::English, views);
  EXPECT_TRUE(views == ParameterViews{}) << "a bad format leaves every text empty";
}

// The unpadded data-type text is the padded one without its blanks, for every kind, format
// and language.
TEST(AllParameterViews, DataTypeNameIsTheDescriptionUnpadded) {
  const std::array<Classification, 5> kinds{
      Classification{.isZero = true}, Classification{.isSubnormal = true}, Classification{.isInfinite = true},
      Classification{.isNaN = true}, Classification{.isFinite = true}};
  for (const FormatSpec* format : {&binary32Spec, &binary64Spec, &binary128Spec}) {
    for (const Classification& flags : kinds) {
      const BilingualText padded = describeDataType(format->formatBytes, flags);
      for (const Language language : {Language::Romanian, Language::English}) {
        std::string want = padded.in(language);
        want.erase(want.find_last_not_of(' ') + 1);
        EXPECT_EQ(dataTypeName(*format, flags, language), want);
      }
    }
  }
  EXPECT_EQ(dataTypeName(binary128Spec, Classification{}, Language::English), "Normalized Number: Real(16)");
}

}  // namespace
}  // namespace bitscope
