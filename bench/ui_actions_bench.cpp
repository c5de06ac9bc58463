// SPDX-License-Identifier: MIT
// The cost of each user action on the main window, per format: the program started on the
// simulated window system (as the main window's scenario tests start it), then one action
// per iteration through the real handlers, the dialog layer's write-out included. Only the
// window system is simulated (in memory), so the figures are the program's own work.
//   ./ui_actions_bench --benchmark_filter=Binary128
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "mainwin/startup.h"
#include "state/appstate.h"
#include "state/control_ids.h"
#include "tests/sim/dlglow_sim.h"

namespace {

using namespace bitscope;

struct Format {
  int bytes;
  int radio;
  int exponentBox;
  int significandBox;  // Binary128: the box of bits 49 to 112
  const char* x;       // a value with every digit the format holds
};

constexpr std::array<Format, 3> formats{{
    {4, ctl::binary32Radio, ctl::exponent32, ctl::significand32, "-1.2345678E-30"},
    {8, ctl::binary64Radio, ctl::exponent64, ctl::significand64, "-1.2345678901234567D-300"},
    {16, ctl::binary128Radio, ctl::exponent128, ctl::significand128Low,
     "-1.234567890123456789012345678901234D-4000"},
}};

void endProgram() {
  simReset();
  DLGRELEASE(mainDialog());
  DLGRELEASE(summaryDialog());
  appState() = AppState{};
}

// The program running with the format of the benchmark's argument chosen and its X typed.
class Program {
 public:
  explicit Program(benchmark::State& state) : format_(formats[static_cast<std::size_t>(state.range(0))]) {
    endProgram();
    simSetFailureHandler([&state](const std::string& what) { state.SkipWithError(what.c_str()); });
    if (!startUp(1) || (window_ = simFindWindow(ctl::mainTemplate)) == nullptr) {
      state.SkipWithError("start-up failed");
      return;
    }
    state.SetLabel(format_.bytes == 4 ? "Binary32" : format_.bytes == 8 ? "Binary64" : "Binary128");
    click(format_.radio);
    replace(ctl::xEntry, format_.x);
    // Decoded from the boxes, the value enables the parameter list.
    click(format_.significandBox);
    if (!simMessageBoxes().empty() || !simControl(window_, ctl::parameterList)->enabled)
      state.SkipWithError("the value was refused");
  }
  ~Program() {
    endProgram();
    simSetFailureHandler(nullptr);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  const Format& format() const { return format_; }
  void click(int id) { simClick(window_, id); }
  void select(int id, int from, int to) { simSelectText(window_, id, from, to); }
  void type(int id, char c) { simType(window_, id, std::string_view(&c, 1)); }
  void replace(int id, std::string_view text) {
    select(id, 0, static_cast<int>(simControl(window_, id)->text.size()));
    simPaste(window_, id, text);
  }
  void selectItem(int index) { simSelectListItem(window_, ctl::parameterList, index); }
  std::string toolTip(int id) const { return simToolTip(window_, id, 0); }
  const std::string& shown(int id) const { return simControl(window_, id)->text; }

 private:
  Format format_;
  LowWindow* window_ = nullptr;
};

// One keystroke in X: its last digit typed over, a new digit each time.
void XKeystroke(benchmark::State& state) {
  Program program(state);
  // The digit before the exponent: "-1.2345678E-30" -> the '8'.
  const int digit = static_cast<int>(std::string_view(program.format().x).find_first_of("ED")) - 1;
  char c = '1';
  for (auto _ : state) {
    program.select(ctl::xEntry, digit, digit + 1);
    program.type(ctl::xEntry, c);
    c = c == '9' ? '1' : static_cast<char>(c + 1);
  }
}

// One bit of the significand box typed over, alternately 0 and 1.
void BitBoxEdit(benchmark::State& state) {
  Program program(state);
  const int box = program.format().significandBox;
  char c = '0';
  for (auto _ : state) {
    program.select(box, 10, 11);
    program.type(box, c);
    c = c == '0' ? '1' : '0';
  }
}

// A click into a bit box (its focus event), alternately the exponent and significand box.
void BitBoxClick(benchmark::State& state) {
  Program program(state);
  bool exponent = true;
  for (auto _ : state) {
    program.click(exponent ? program.format().exponentBox : program.format().significandBox);
    exponent = !exponent;
  }
}

// A fill or invert button (argument 1), on every field or on the current one (argument 2).
void FillOrInvert(benchmark::State& state) {
  Program program(state);
  program.click(state.range(2) != 0 ? ctl::allFieldsRadio : ctl::currentFieldRadio);
  program.click(program.format().significandBox);  // the current field
  const auto button = static_cast<int>(state.range(1));
  for (auto _ : state) program.click(button);
}

// A parameter-list item (argument 1, 0-based), chosen again and again.
void ListItem(benchmark::State& state) {
  Program program(state);
  const auto item = static_cast<int>(state.range(1));
  for (auto _ : state) program.selectItem(item);
  if (program.shown(ctl::viewValue).empty()) state.SkipWithError("the item shows nothing");
}

// The language radios, alternately Romanian and English.
void LanguageSwitch(benchmark::State& state) {
  Program program(state);
  program.selectItem(3);  // a view to relabel
  bool english = true;
  for (auto _ : state) {
    program.click(english ? ctl::englishRadio : ctl::romanianRadio);
    english = !english;
  }
}

// The mouse resting on X: its exact value and the error of the read that made it.
void XToolTip(benchmark::State& state) {
  Program program(state);
  for (auto _ : state) benchmark::DoNotOptimize(program.toolTip(ctl::xEntry));
}

// A switch to the benchmark's format (timed) from another one (untimed).
void FormatSwitch(benchmark::State& state) {
  Program program(state);
  const int other = program.format().bytes == 4 ? ctl::binary64Radio : ctl::binary32Radio;
  for (auto _ : state) {
    state.PauseTiming();
    program.click(other);
    state.ResumeTiming();
    program.click(program.format().radio);
  }
}

void perFormat(benchmark::internal::Benchmark* b) {
  b->ArgName("format")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
}

void fillButtons(benchmark::internal::Benchmark* b) {
  b->ArgNames({"format", "button", "all"})->Unit(benchmark::kMicrosecond);
  for (int format = 0; format < 3; ++format)
    for (const int button : {ctl::fillZeros, ctl::fillOnes, ctl::invertBits})
      for (int all = 0; all < 2; ++all) b->Args({format, button, all});
}

void listItems(benchmark::internal::Benchmark* b) {
  b->ArgNames({"format", "item"})->Unit(benchmark::kMicrosecond);
  for (int format = 0; format < 3; ++format)
    for (int item = 0; item < 7; ++item) b->Args({format, item});
}

BENCHMARK(XKeystroke)->Apply(perFormat);
BENCHMARK(BitBoxEdit)->Apply(perFormat);
BENCHMARK(BitBoxClick)->Apply(perFormat);
BENCHMARK(FillOrInvert)->Apply(fillButtons);
BENCHMARK(ListItem)->Apply(listItems);
BENCHMARK(LanguageSwitch)->Apply(perFormat);
BENCHMARK(FormatSwitch)->Apply(perFormat);
BENCHMARK(XToolTip)->Apply(perFormat);

}  // namespace

BENCHMARK_MAIN();
