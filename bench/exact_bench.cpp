// SPDX-License-Identifier: MIT
// Benchmarks of the exact views of a value: its every-digit decimal expansion, its rounding
// interval and the error of the decimal read that produced it; and the decimal read of the
// 16-bit formats, which is decided by the same exact comparisons. Typical values (texts of up
// to 17 digits near 1) beside the worst case of each, the extremes of Binary128: the
// smallest subnormal 2^-16494 has the longest expansion, 11,529 significant digits.
//   ./exact_bench --benchmark_filter=Worst
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "engine/decimal_scanner.h"
#include "engine/decimal_text.h"
#include "engine/exact_value.h"

namespace {

using namespace bitscope;

// A value read from a text, with the text's exact digits.
struct ReadValue {
  EncodingBits bits = 0;
  ExactDecimal typed;
};

template <IeeeBinary T>
ReadValue readValue(const std::string& text) {
  DecimalScanner scanner;
  scanner.feed(text);
  T value{};
  scanner.read(value);
  const DecimalScanner::Digits d = scanner.digits();
  return {encodingBitsOf(value), exactFromDigits(d.negative, d.digits, d.lastDigitExponent)};
}

// Texts of 1 to 17 digits between 10^-10 and 10^10 (10^-4 and 10^4 for the 16-bit
// formats): what a student types.
template <IeeeBinary T>
const std::vector<std::string>& typicalTexts() {
  static const std::vector<std::string> texts = [] {
    const int span = SmallIeeeBinary<T> ? 4 : 10;
    std::mt19937_64 rng(1);
    std::vector<std::string> out;
    for (int i = 0; i < 256; ++i) {
      std::string text = std::to_string(1 + rng() % 9) + ".";
      for (int d = static_cast<int>(rng() % 17); d > 0; --d) text += static_cast<char>('0' + rng() % 10);
      text += "e" + std::to_string(static_cast<int>(rng() % (2 * span + 1)) - span);
      out.push_back(text);
    }
    return out;
  }();
  return texts;
}

template <IeeeBinary T>
const std::vector<ReadValue>& typicalValues() {
  static const std::vector<ReadValue> values = [] {
    std::vector<ReadValue> out;
    for (const std::string& text : typicalTexts<T>()) out.push_back(readValue<T>(text));
    return out;
  }();
  return values;
}

template <SmallIeeeBinary T>
void ReadSixteenBits(benchmark::State& state) {
  const auto& texts = typicalTexts<T>();
  std::size_t i = 0;
  for (auto _ : state) {
    T value{};
    benchmark::DoNotOptimize(readDecimal(texts[i++ % texts.size()], value));
    benchmark::DoNotOptimize(value);
  }
}

// The smallest Binary128 subnormal as read from its first 40 digits.
const ReadValue& worstValue() {
  static const ReadValue value = readValue<Binary128>("6.475175119438025110924438958227646552500e-4966");
  return value;
}

template <IeeeBinary T>
void ExactTypical(benchmark::State& state) {
  const auto& values = typicalValues<T>();
  std::size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(exactValueText(FormatTraits<T>::format, values[i++ % values.size()].bits));
}

template <IeeeBinary T>
void IntervalTypical(benchmark::State& state) {
  const auto& values = typicalValues<T>();
  std::size_t i = 0;
  for (auto _ : state) {
    const RoundingInterval interval =
        roundingInterval(FormatTraits<T>::format, values[i++ % values.size()].bits);
    benchmark::DoNotOptimize(decimalText(interval.low));
    benchmark::DoNotOptimize(decimalText(interval.high));
  }
}

template <IeeeBinary T>
void ErrorTypical(benchmark::State& state) {
  const auto& values = typicalValues<T>();
  std::size_t i = 0;
  for (auto _ : state) {
    const ReadValue& v = values[i++ % values.size()];
    const ConversionError error = conversionError(FormatTraits<T>::format, v.bits, v.typed);
    benchmark::DoNotOptimize(errorText(error, 17));
    benchmark::DoNotOptimize(errorUlpsText(error, 17));
  }
}

void ExactWorst(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(exactValueText(binary128Spec, worstValue().bits));
}

void IntervalWorst(benchmark::State& state) {
  for (auto _ : state) {
    const RoundingInterval interval = roundingInterval(binary128Spec, worstValue().bits);
    benchmark::DoNotOptimize(decimalText(interval.low));
    benchmark::DoNotOptimize(decimalText(interval.high));
  }
}

void ErrorWorst(benchmark::State& state) {
  for (auto _ : state) {
    const ConversionError error = conversionError(binary128Spec, worstValue().bits, worstValue().typed);
    benchmark::DoNotOptimize(errorText(error, 17));
    benchmark::DoNotOptimize(errorUlpsText(error, 17));
  }
}

}  // namespace

BENCHMARK(ExactTypical<Binary32>)->Name("Binary32/Exact");
BENCHMARK(IntervalTypical<Binary32>)->Name("Binary32/Interval");
BENCHMARK(ErrorTypical<Binary32>)->Name("Binary32/Error");
BENCHMARK(ExactTypical<Binary64>)->Name("Binary64/Exact");
BENCHMARK(IntervalTypical<Binary64>)->Name("Binary64/Interval");
BENCHMARK(ErrorTypical<Binary64>)->Name("Binary64/Error");
BENCHMARK(ExactTypical<Binary128>)->Name("Binary128/Exact");
BENCHMARK(IntervalTypical<Binary128>)->Name("Binary128/Interval");
BENCHMARK(ErrorTypical<Binary128>)->Name("Binary128/Error");
BENCHMARK(ReadSixteenBits<Binary16>)->Name("Binary16/Read");
BENCHMARK(ReadSixteenBits<BFloat16>)->Name("BFloat16/Read");
BENCHMARK(ExactWorst)->Name("Worst/Exact/Binary128_smallest_subnormal")->Unit(benchmark::kMicrosecond);
BENCHMARK(IntervalWorst)->Name("Worst/Interval/Binary128_smallest_subnormal")->Unit(benchmark::kMicrosecond);
BENCHMARK(ErrorWorst)->Name("Worst/Error/Binary128_smallest_subnormal")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
