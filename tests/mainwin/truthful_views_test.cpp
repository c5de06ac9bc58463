// SPDX-License-Identifier: MIT
// After any action, the parameter list, its value box and caption and the data-type box
// describe the datum the bit boxes show, or nothing at all (the list disabled, no item
// chosen) until a field is clicked: never the classification or the value of an earlier
// datum or of another format. Each action starts from a window in each format that shows
// a decoded datum and a chosen view (the significand, or X- as bits), and afterwards every
// item is chosen and compared with the independent oracle.
#include <algorithm>
#include <functional>

#include "main_window.h"
#include "oracle.h"

namespace bitscope::test {
namespace {

Encoding lowBits(int n) { return (Encoding(1) << n) - 1; }

bool isFinite(const Format& f, Encoding x) { return ((x >> f.t()) & lowBits(f.w)) != lowBits(f.w); }

// The data-type box's text for an encoding, from its fields.
std::string expectedDataType(const Format& f, Encoding x, bool romanian) {
  const Encoding biased = (x >> f.t()) & lowBits(f.w);
  const Encoding trailing = x & lowBits(f.t());
  if (biased == 0) {
    if (trailing == 0) return romanian ? "Zero cu semn" : "Signed Zero";
    return romanian ? "Numar denormalizat" : "Denormalized Number";
  }
  if (biased == lowBits(f.w)) {
    if (trailing == 0) return romanian ? "Infinit cu semn" : "Signed Infinity";
    return romanian ? "Non-Numar" : "Not-a-Number";
  }
  return std::string(romanian ? "Numar normalizat: Real(" : "Normalized Number: Real(") +
         std::to_string(f.bytes) + ")";
}

// Where each action starts: a decoded X in a format, with an item chosen.
struct Start {
  int bytes;
  const char* x;
  int item;
  bool neighbourBits;
};

const Start starts[] = {{4, "3.0", 2, false}, {4, "-0.1", 5, true},  {8, "3.0", 2, false},
                        {8, "-0.1", 5, true}, {16, "3.0", 2, false}, {16, "-0.1", 5, true}};

class TruthfulViews : public MainWindowTest {
 protected:
  struct Action {
    const char* name;
    std::function<void()> act;
  };

  int formatShown() const { return checked(R32) ? 4 : checked(R64) ? 8 : 16; }
  bool romanian() const { return checked(RO); }

  static std::vector<int> boxesOf(int bytes) {
    if (bytes == 4) return {S32, E32, T32};
    if (bytes == 8) return {S64, E64, T64};
    return {S128, E128, T128a, T128b};
  }
  int exponentBox() const { return boxesOf(formatShown())[1]; }
  int significandBox() const { return boxesOf(formatShown()).back(); }

  // The datum the boxes of the current format show: their digits read as one binary
  // number (a deleted bit leaves fewer digits, which move down).
  Encoding shownEncoding() const {
    Encoding x = 0;
    for (const int id : boxesOf(formatShown()))
      for (const char c : text(id)) {
        EXPECT_NE(std::string("01 ").find(c), std::string::npos)
            << "box " << id << " shows \"" << text(id) << '"';
        if (c != ' ') x = (x << 1) | (c == '1' ? 1 : 0);
      }
    return x;
  }

  int selectedItem() const {
    const std::vector<bool>& selected = simControl(window, List)->selected;
    for (std::size_t i = 0; i < selected.size(); ++i)
      if (selected[i]) return static_cast<int>(i) + 1;
    return 0;
  }

  void prepare(const Start& start) {
    click(start.bytes == 4 ? R32 : start.bytes == 8 ? R64 : R128);
    replaceText(X, start.x);
    focus(exponentBox());
    ASSERT_TRUE(enabled(List));
    selectItem(start.item);
    if (start.neighbourBits) {
      click(NeighbourBits);
      selectItem(start.item == 4 ? 5 : 4);  // the check box counts from the next selection
      selectItem(start.item);
    }
    const Format& f = formatOf(start.bytes);
    ASSERT_EQ(text(Value), expectedView(f, shownEncoding(), start.item, true, start.neighbourBits).value);
  }

  // The views after an action: the data type, if shown, is that of the boxes; a disabled
  // list shows nothing and waits for a field to be clicked; an enabled one shows nothing
  // or the chosen item's view of the boxes, and every item it offers matches the oracle.
  void expectTruthfulViews() {
    const Format& f = formatOf(formatShown());
    const Encoding x = shownEncoding();
    const bool ro = romanian();
    if (!text(DataType).empty()) {
      EXPECT_EQ(text(DataType), expectedDataType(f, x, ro)) << "stale data type";
    }
    if (!enabled(List)) {
      EXPECT_FALSE(enabled(ListLabel));
      EXPECT_EQ(text(Value), "");
      EXPECT_EQ(text(Caption), "");
      EXPECT_EQ(selectedItem(), 0);
      EXPECT_FALSE(enabled(NeighbourBits));
      if (isFinite(f, x)) {
        EXPECT_EQ(text(DataType), "") << "a finite datum was decoded, yet the list is off";
      }
      focus(X);
      focus(exponentBox());
      EXPECT_EQ(text(DataType), expectedDataType(f, x, ro));
      EXPECT_EQ(enabled(List), isFinite(f, x));
      EXPECT_EQ(enabled(ListLabel), isFinite(f, x));
      if (!enabled(List)) return;
    }
    ASSERT_TRUE(isFinite(f, x)) << "the list is offered for a datum that is not finite";
    EXPECT_TRUE(enabled(ListLabel));
    EXPECT_EQ(text(DataType), expectedDataType(f, x, ro));
    EXPECT_EQ(text(X), expectedXDisplay(f, x));

    const int chosen = selectedItem();
    if (chosen == 0) {
      EXPECT_EQ(text(Value), "");
      EXPECT_EQ(text(Caption), "");
      EXPECT_FALSE(enabled(NeighbourBits));
    } else {
      // Still this datum's view, though perhaps not as the items show it afresh: the
      // check box counts from the next selection, so X+ or X- may show in the other
      // style, and a language switch re-labels the significand's caption only (without
      // its indent), so another caption may stay in the other language.
      std::vector<View> accepted;
      for (const bool language : {ro, !ro})
        for (const bool bits : {false, true})
          if (!bits || chosen == 4 || chosen == 5)
            accepted.push_back(expectedView(f, x, chosen, language, bits));
      const auto unindented = [](const std::string& s) {
        return s.substr(std::min(s.size(), s.find_first_not_of(' ')));
      };
      const auto shows = [&](const View& v) {
        return text(Value) == v.value && unindented(text(Caption)) == unindented(v.caption);
      };
      EXPECT_TRUE(std::any_of(accepted.begin(), accepted.end(), shows))
          << "item " << chosen << " shows \"" << text(Value) << "\" captioned \"" << text(Caption)
          << "\", expected \"" << accepted[0].value << "\" captioned \"" << accepted[0].caption << '"';
    }
    for (int item = 1; item <= 7; ++item) {
      selectItem(item);
      const View expected = expectedView(f, x, item, ro, (item == 4 || item == 5) && checked(NeighbourBits));
      EXPECT_EQ(text(Value), expected.value) << "item " << item;
      EXPECT_EQ(text(Caption), expected.caption) << "item " << item;
    }
  }

  void expectEachActionTruthful(const std::vector<Action>& actions) {
    for (const Start& start : starts) {
      for (const Action& action : actions) {
        SCOPED_TRACE(std::string(action.name) + ", from " + start.x + " in " + std::to_string(start.bytes) +
                     " bytes with item " + std::to_string(start.item) + " chosen");
        TearDown();
        SetUp();
        prepare(start);
        if (HasFatalFailure()) return;
        action.act();
        expectTruthfulViews();
      }
    }
  }
};

TEST_F(TruthfulViews, AfterAFormatSwitch) {
  expectEachActionTruthful({
      {"Binary32 chosen", [&] { click(R32); }},
      {"Binary64 chosen", [&] { click(R64); }},
      {"Binary128 chosen", [&] { click(R128); }},
      {"another format, then the language",
       [&] {
         click(formatShown() == 8 ? R32 : R64);
         click(EN);
       }},
      {"another format, then fill",
       [&] {
         click(formatShown() == 8 ? R32 : R64);
         click(Ones);
       }},
      {"another format and back",
       [&] {
         const int own = formatShown() == 4 ? R32 : formatShown() == 8 ? R64 : R128;
         click(R128);
         click(own);
       }},
  });
}

TEST_F(TruthfulViews, AfterAnXEntry) {
  expectEachActionTruthful({
      {"a number pasted", [&] { replaceText(X, "5.5"); }},
      {"a number typed", [&] { overwrite(X, 0, static_cast<int>(text(X).size()), "-2.25"); }},
      {"a text too short to read", [&] { replaceText(X, "7"); }},
      {"Inf typed", [&] { overwrite(X, 0, static_cast<int>(text(X).size()), "Inf"); }},
      {"-NaN typed", [&] { replaceText(X, "-NaN"); }},
      {"an invalid text", [&] { replaceText(X, "abc"); }},
      {"a text that names no number", [&] { replaceText(X, ",5x"); }},
      {"a value beyond the format", [&] { replaceText(X, "1e99999"); }},
      {"Inf typed, then the language",
       [&] {
         replaceText(X, "inf");
         click(EN);
       }},
      {"a number, then the language",
       [&] {
         replaceText(X, "0.75");
         click(EN);
       }},
  });
}

TEST_F(TruthfulViews, AfterAFillOrInvert) {
  expectEachActionTruthful({
      {"all fields 0's",
       [&] {
         click(AllFields);
         click(Zeros);
       }},
      {"all fields 1's",
       [&] {
         click(AllFields);
         click(Ones);
       }},
      {"all fields inverted",
       [&] {
         click(AllFields);
         click(Invert);
       }},
      {"the exponent 0's", [&] { click(Zeros); }},  // the exponent box is the current field
      {"the exponent 1's", [&] { click(Ones); }},
      {"the exponent inverted", [&] { click(Invert); }},
      {"the significand inverted",
       [&] {
         focus(significandBox());
         click(Invert);
       }},
  });
}

TEST_F(TruthfulViews, AfterABitBoxEdit) {
  expectEachActionTruthful({
      {"a significand bit typed over", [&] { overwrite(significandBox(), 0, 1, "1"); }},
      {"an exponent bit typed over", [&] { overwrite(exponentBox(), 1, 2, "0"); }},
      {"a 2 typed into the exponent (repaired)", [&] { overwrite(exponentBox(), 2, 3, "2"); }},
      {"letters pasted into the exponent (repaired)",
       [&] {
         const auto width = static_cast<std::size_t>(formatOf(formatShown()).w);
         replaceText(exponentBox(), "1x" + std::string(width - 2, '0'));
       }},
      {"a significand too long pasted (cut)", [&] { replaceText(significandBox(), std::string(70, '1')); }},
      {"an exponent bit deleted",
       [&] {
         ASSERT_TRUE(simSelectText(window, exponentBox(), 0, 1));
         ASSERT_TRUE(simPressKey(window, SimKey::Delete));
       }},
      {"the sign typed over, then the language",
       [&] {
         replaceText(boxesOf(formatShown())[0], "1");
         click(EN);
       }},
      {"a field clicked", [&] { focus(significandBox()); }},
  });
}

TEST_F(TruthfulViews, AfterALanguageSwitch) {
  expectEachActionTruthful({
      {"EN", [&] { click(EN); }},
      {"EN, then RO",
       [&] {
         click(EN);
         click(RO);
       }},
      {"RO again", [&] { click(RO); }},
  });
}

TEST_F(TruthfulViews, AfterOtherWindowsAndTheNeighbourCheckBox) {
  expectEachActionTruthful({
      {"the summary shown and closed",
       [&] {
         click(1034);
         ASSERT_TRUE(simCloseWindow(simFindWindow(111)));
       }},
      {"the About box shown and closed",
       [&] {
         simQueueKey(SimKey::Escape);
         click(1041);
       }},
      {"the help document not found",
       [&] {
         simAnswerSearchPath("");
         click(1042);
       }},
      {"the neighbour check box toggled",
       [&] {
         selectItem(4);
         click(NeighbourBits);
       }},
  });
}

}  // namespace
}  // namespace bitscope::test
