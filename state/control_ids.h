// SPDX-License-Identifier: MIT
// The controls of the main window (template 101) that the program reads or writes, by id.
#pragma once

#include <array>

namespace bitscope::ctl {

inline constexpr int mainTemplate = 101;
inline constexpr int summaryTemplate = 111;

// Data area.
inline constexpr int xEntry = 1007;         // X, typed by the user or shown after a decode
inline constexpr int viewValue = 1008;      // the number of the selected parameter item
inline constexpr int viewCaption = 1040;    // its caption
inline constexpr int dataType = 1036;       // the kind of datum of the bit boxes
inline constexpr int neighbourBits = 1043;  // check box: show X+ / X- as bit strings
inline constexpr int parameterList = 1044;
inline constexpr int parameterLabel = 1057;

// Format radios, one group.
inline constexpr int binary32Radio = 1011;
inline constexpr int binary64Radio = 1012;
inline constexpr int binary128Radio = 1013;

// Bit boxes.
inline constexpr int sign32 = 1026, exponent32 = 1027, significand32 = 1028;
inline constexpr int sign64 = 1032, exponent64 = 1033, significand64 = 1035;
inline constexpr int sign128 = 1014, exponent128 = 1015;
inline constexpr int significand128High = 1016;  // significand bits 1 to 48
inline constexpr int significand128Low = 1018;   // significand bits 49 to 112
// All ten, in the order in which they are enabled, disabled and wired.
inline constexpr std::array<int, 10> bitBoxes{
    sign32,  exponent32,  significand32,      sign64,           exponent64, significand64,
    sign128, exponent128, significand128High, significand128Low};

// Current field: caret position and width.
inline constexpr int caretPosition = 1019;
inline constexpr int fieldWidthBox = 1020;

// Fill and invert, and their scope radios (one group).
inline constexpr int fillZeros = 1029;
inline constexpr int fillOnes = 1030;
inline constexpr int invertBits = 1031;
inline constexpr int allFieldsRadio = 1045;
inline constexpr int currentFieldRadio = 1046;

// Language radios, one group.
inline constexpr int romanianRadio = 1050;
inline constexpr int englishRadio = 1051;

// Buttons with handlers of their own.
inline constexpr int aboutButton = 1041;
inline constexpr int helpButton = 1042;
inline constexpr int summaryButton = 1034;
inline constexpr int saveSummaryButton = 1041;  // in the summary dialog (111)

// Relabelled by the language switch.
inline constexpr int dataGroup = 1052;
inline constexpr int representationGroup = 1053;
inline constexpr int formatGroup = 1055;
inline constexpr int formatHeading = 1056;
inline constexpr int dataTypeLabel = 1054;
inline constexpr int caretHeading = 1058;
inline constexpr int caretLabel = 1059;
inline constexpr int widthLabel = 1060;

}  // namespace bitscope::ctl
