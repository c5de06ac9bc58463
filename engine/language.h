// SPDX-License-Identifier: MIT
// The two languages of every user-visible text, and a text held in both.
#pragma once

#include <string>

namespace bitscope {

enum class Language : int { Romanian = 1, English = 2 };

// One text per language (entry 1 Romanian, entry 2 English).
struct BilingualText {
  std::string romanian;
  std::string english;

  const std::string& in(Language language) const {
    return language == Language::Romanian ? romanian : english;
  }
  bool operator==(const BilingualText&) const = default;
};

}  // namespace bitscope
