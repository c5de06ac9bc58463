// SPDX-License-Identifier: MIT
#include "engine/quad.h"

#include <locale.h>
#include <clocale>
#include <cstring>
#include <string>
#if BITSCOPE_BINARY128_IS_LONG_DOUBLE
#include <cstdio>
#include <cstdlib>
#else
#include <quadmath.h>
#endif

namespace bitscope::detail {

namespace {

#ifdef _WIN32
// The Windows C runtime has no uselocale. A thread can have a locale of its own, though, and
// is switched to the C locale for the call only when its locale writes another decimal point:
// the rest of the program, which may run under a locale with a decimal comma, sees nothing.
class CLocaleScope {
 public:
  CLocaleScope() {
    if (std::strcmp(std::localeconv()->decimal_point, ".") == 0) return;
    previousMode_ = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    previous_ = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "C");
  }
  ~CLocaleScope() {
    if (previousMode_ == 0) return;
    std::setlocale(LC_NUMERIC, previous_.c_str());
    _configthreadlocale(previousMode_);
  }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  int previousMode_ = 0;
  std::string previous_;
};
#else
// Both libraries follow the thread's locale for the decimal separator. Each call switches
// the calling thread to the C locale and back: a thread-local switch, cheap, and invisible
// to the rest of the program, which may run under a locale that writes a decimal comma.
class CLocaleScope {
 public:
  CLocaleScope() : previous_(uselocale(cLocale())) {}
  ~CLocaleScope() { uselocale(previous_); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  static locale_t cLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
  }
  locale_t previous_;
};
#endif

#if BITSCOPE_BINARY128_IS_LONG_DOUBLE
Binary128 readText(const char* text, char** stop) { return std::strtold(text, stop); }

int writeText(char* buffer, std::size_t size, bool scientific, int digits, Binary128 value) {
  return std::snprintf(buffer, size, scientific ? "%.*Le" : "%.*Lf", digits, value);
}
#else
Binary128 readText(const char* text, char** stop) { return strtoflt128(text, stop); }

int writeText(char* buffer, std::size_t size, bool scientific, int digits, Binary128 value) {
  return quadmath_snprintf(buffer, size, scientific ? "%.*Qe" : "%.*Qf", digits, value);
}
#endif

}  // namespace

Binary128 parseBinary128(const char* text, const char** end) {
  const CLocaleScope cLocale;
  char* stop = nullptr;
  const Binary128 value = readText(text, &stop);
  *end = stop;
  return value;
}

int printBinary128(char* buffer, std::size_t size, bool scientific, int digits, Binary128 value) {
  const CLocaleScope cLocale;
  return writeText(buffer, size, scientific, digits, value);
}

}  // namespace bitscope::detail
