// SPDX-License-Identifier: MIT
// Benchmarks of the engine's decimal read and print styles per format, each next to its
// baseline: the correctly rounded conversion it is built on, called bare.
//   ./engine_bench --benchmark_filter=Binary64
#include <benchmark/benchmark.h>

#include <quadmath.h>
#include <array>
#include <charconv>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "engine/bitfields.h"
#include "engine/decimal_text.h"
#include "engine/views.h"

namespace {

using namespace bitscope;

constexpr std::size_t sampleCount = 1024;

// Decimal texts both readers accept ("-d.ddde-XX", up to 40 digits), spread over the range
// of T.
template <IeeeBinary T>
const std::vector<std::string>& sampleTexts() {
  static const std::vector<std::string> texts = [] {
    constexpr int span = std::same_as<T, Binary32> ? 37 : std::same_as<T, Binary64> ? 307 : 4931;
    std::mt19937_64 rng(1);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < sampleCount; ++i) {
      std::string text(rng() % 2, '-');
      const int digits = 1 + static_cast<int>(rng() % (std::same_as<T, Binary128> ? 36 : 20));
      text += static_cast<char>('1' + rng() % 9);
      text += '.';
      for (int d = 1; d < digits; ++d) text += static_cast<char>('0' + rng() % 10);
      text += 'e';
      text += std::to_string(static_cast<int>(rng() % (2 * span + 1)) - span);
      out.push_back(text);
    }
    return out;
  }();
  return texts;
}

// Values of T to print: the texts above, read.
template <IeeeBinary T>
const std::vector<T>& sampleValues() {
  static const std::vector<T> values = [] {
    std::vector<T> out;
    for (const std::string& text : sampleTexts<T>()) {
      T v{};
      readDecimal(text, v);
      out.push_back(v);
    }
    return out;
  }();
  return values;
}

template <IeeeBinary T>
void ReadDecimal(benchmark::State& state) {
  const auto& texts = sampleTexts<T>();
  std::size_t i = 0;
  for (auto _ : state) {
    T v{};
    benchmark::DoNotOptimize(readDecimal(texts[i++ % sampleCount], v));
    benchmark::DoNotOptimize(v);
  }
}

template <IeeeBinary T>
void ReadBaseline(benchmark::State& state) {
  const auto& texts = sampleTexts<T>();
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& text = texts[i++ % sampleCount];
    T v{};
    if constexpr (std::same_as<T, Binary128>) {
      v = strtoflt128(text.c_str(), nullptr);
    } else {
      std::from_chars(text.data(), text.data() + text.size(), v);
    }
    benchmark::DoNotOptimize(v);
  }
}

template <IeeeBinary T, PrintStyle style>
void Print(benchmark::State& state) {
  const auto& values = sampleValues<T>();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(formatValue(values[i++ % sampleCount], style));
}

// The bare conversion with the digits the style prints (fixed with 0 digits for integers).
template <IeeeBinary T>
void PrintBaseline(benchmark::State& state) {
  const auto& values = sampleValues<T>();
  const int digits = static_cast<int>(state.range(0));
  const bool fixed = state.range(1) != 0;
  std::array<char, 5000> buffer{};
  std::size_t i = 0;
  for (auto _ : state) {
    const T v = values[i++ % sampleCount];
    if constexpr (std::same_as<T, Binary128>) {
      benchmark::DoNotOptimize(
          quadmath_snprintf(buffer.data(), buffer.size(), fixed ? "%.*Qf" : "%.*Qe", digits, v));
    } else {
      benchmark::DoNotOptimize(std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                             fixed ? std::chars_format::fixed : std::chars_format::scientific,
                                             digits));
    }
    benchmark::ClobberMemory();
  }
}

// Encoding into one reused record, as a report of value after value does.
template <IeeeBinary T>
void EncodeBits(benchmark::State& state) {
  const auto& values = sampleValues<T>();
  BitFields fields;
  std::size_t i = 0;
  for (auto _ : state) {
    encodeBits(values[i++ % sampleCount], fields);
    benchmark::DoNotOptimize(fields.T.data());
    benchmark::ClobberMemory();
  }
}

template <IeeeBinary T>
void DecodeBits(benchmark::State& state) {
  std::vector<BitFields> encodings;
  for (const T v : sampleValues<T>()) encodings.push_back(encodeBits(v));
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(decodeBits<T>(encodings[i++ % sampleCount]));
}

// Every parameter view of a value into one reused record: the bulk of a report.
template <IeeeBinary T>
void AllViews(benchmark::State& state) {
  constexpr int formatBytes = FormatTraits<T>::format.formatBytes;
  struct Input {
    FormatValues values;
    BitFields fields;
    Classification flags;
  };
  std::vector<Input> inputs;
  for (const T v : sampleValues<T>()) {
    Input input;
    input.values.template slot<T>() = v;
    input.fields = encodeBits(v);
    input.flags = classifyBits(FormatTraits<T>::format, input.fields);
    inputs.push_back(input);
  }
  ParameterViews views;
  std::size_t i = 0;
  for (auto _ : state) {
    const Input& input = inputs[i++ % sampleCount];
    parameterViews(formatBytes, input.values, input.fields, input.flags, Language::English, views);
    benchmark::ClobberMemory();
  }
}

using enum PrintStyle;

BENCHMARK(EncodeBits<Binary32>)->Name("Binary32/EncodeBits");
BENCHMARK(DecodeBits<Binary32>)->Name("Binary32/DecodeBits");
BENCHMARK(AllViews<Binary32>)->Name("Binary32/ParameterViews");
BENCHMARK(EncodeBits<Binary64>)->Name("Binary64/EncodeBits");
BENCHMARK(DecodeBits<Binary64>)->Name("Binary64/DecodeBits");
BENCHMARK(AllViews<Binary64>)->Name("Binary64/ParameterViews");
BENCHMARK(EncodeBits<Binary128>)->Name("Binary128/EncodeBits");
BENCHMARK(DecodeBits<Binary128>)->Name("Binary128/DecodeBits");
BENCHMARK(AllViews<Binary128>)->Name("Binary128/ParameterViews");

BENCHMARK(ReadDecimal<Binary32>)->Name("Binary32/Read");
BENCHMARK(ReadBaseline<Binary32>)->Name("Binary32/Read/baseline_from_chars");
BENCHMARK(Print<Binary32, XDisplay>)->Name("Binary32/XDisplay");
BENCHMARK(Print<Binary32, NeighbourDecimal>)->Name("Binary32/NeighbourDecimal");
BENCHMARK(Print<Binary32, DeltaStyle>)->Name("Binary32/DeltaStyle");
BENCHMARK(Print<Binary32, Significand>)->Name("Binary32/Significand");
BENCHMARK(PrintBaseline<Binary32>)->Name("Binary32/Print/baseline_to_chars_7")->Args({7, 0});
BENCHMARK(Print<Binary32, ExponentInteger>)->Name("Binary32/ExponentInteger");
BENCHMARK(PrintBaseline<Binary32>)->Name("Binary32/Integer/baseline_to_chars_fixed")->Args({0, 1});

BENCHMARK(ReadDecimal<Binary64>)->Name("Binary64/Read");
BENCHMARK(ReadBaseline<Binary64>)->Name("Binary64/Read/baseline_from_chars");
BENCHMARK(Print<Binary64, XDisplay>)->Name("Binary64/XDisplay");
BENCHMARK(Print<Binary64, NeighbourDecimal>)->Name("Binary64/NeighbourDecimal");
BENCHMARK(PrintBaseline<Binary64>)->Name("Binary64/Print/baseline_to_chars_16")->Args({16, 0});
BENCHMARK(Print<Binary64, DeltaStyle>)->Name("Binary64/DeltaStyle");
BENCHMARK(Print<Binary64, Significand>)->Name("Binary64/Significand");
BENCHMARK(PrintBaseline<Binary64>)->Name("Binary64/Print/baseline_to_chars_15")->Args({15, 0});
BENCHMARK(Print<Binary64, ExponentInteger>)->Name("Binary64/ExponentInteger");
BENCHMARK(PrintBaseline<Binary64>)->Name("Binary64/Integer/baseline_to_chars_fixed")->Args({0, 1});

BENCHMARK(ReadDecimal<Binary128>)->Name("Binary128/Read");
BENCHMARK(ReadBaseline<Binary128>)->Name("Binary128/Read/baseline_strtoflt128");
BENCHMARK(Print<Binary128, XDisplay>)->Name("Binary128/XDisplay");
BENCHMARK(Print<Binary128, NeighbourDecimal>)->Name("Binary128/NeighbourDecimal");
BENCHMARK(Print<Binary128, DeltaStyle>)->Name("Binary128/DeltaStyle");
BENCHMARK(Print<Binary128, Significand>)->Name("Binary128/Significand");
BENCHMARK(PrintBaseline<Binary128>)->Name("Binary128/Print/baseline_quadmath_snprintf_33")->Args({33, 0});
BENCHMARK(Print<Binary128, ExponentInteger>)->Name("Binary128/ExponentInteger");
BENCHMARK(PrintBaseline<Binary128>)->Name("Binary128/Integer/baseline_quadmath_snprintf_fixed")->Args({0, 1});

}  // namespace

BENCHMARK_MAIN();
