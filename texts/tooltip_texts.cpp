// SPDX-License-Identifier: MIT
#include "texts/tooltip_texts.h"

namespace bitscope {

namespace {

const BilingualText storedExactly{"Valoarea memorata exact: ", "Stored exactly: "};
const BilingualText conversionError{"Eroarea conversiei: ", "Conversion error: "};
const BilingualText copyExact{"Copiaza valoarea exacta", "Copy exact value"};
const BilingualText signBit{"Bitul 1 al campului semn S: semnul", "Bit 1 of the sign field S: the sign"};
const BilingualText exponentBit{"Bitul %1 al campului exponent E, ponderea 2^%2 (in exponentul deplasat)",
                                "Bit %1 of the exponent field E, weight 2^%2 (in the biased exponent)"};
const BilingualText significandBit{"Bitul %1 al campului semnificand T, ponderea 2^-%1",
                                   "Bit %1 of the significand field T, weight 2^-%1"};

// Every "%1" and "%2" of pattern replaced.
std::string filled(std::string pattern, int first, int second = 0) {
  for (std::size_t at = pattern.find('%'); at != std::string::npos; at = pattern.find('%', at)) {
    const std::string number = std::to_string(pattern[at + 1] == '1' ? first : second);
    pattern.replace(at, 2, number);
    at += number.size();
  }
  return pattern;
}

// A long expansion keeps its leading digits and its exponent: the size of the
// number stays readable where its last digits would not be.
std::string shortened(std::string_view exact) {
  const std::size_t exponent = std::min(exact.find('e'), exact.size());
  if (exponent <= exactTipLength) return std::string(exact);
  return std::string(exact.substr(0, exactTipLength)) + "..." + std::string(exact.substr(exponent));
}

}  // namespace

std::string exactValueTip(std::string_view exact, Language language) {
  return storedExactly.in(language) + shortened(exact);
}

std::string conversionErrorTip(std::string_view ulps, Language language) {
  return conversionError.in(language) + std::string(ulps);
}

const std::string& copyExactLabel(Language language) { return copyExact.in(language); }

std::string signBitTip(Language language) { return signBit.in(language); }

std::string exponentBitTip(int index, int weightExponent, Language language) {
  return filled(exponentBit.in(language), index, weightExponent);
}

std::string significandBitTip(int index, Language language) {
  return filled(significandBit.in(language), index);
}

}  // namespace bitscope
