// SPDX-License-Identifier: MIT
// The whole floating-point engine: formats, bit fields, decimal text, neighbours and the
// parameter views. No GUI code.
#pragma once

#include "engine/bitfields.h"
#include "engine/decimal_text.h"
#include "engine/exact_value.h"
#include "engine/format.h"
#include "engine/language.h"
#include "engine/neighbours.h"
#include "engine/numbers.h"
#include "engine/views.h"
