#pragma once

#include "kelvora/module.h"

// The table of the program's functions that every module gets in Connect: slot i is ordinal i,
// then the string and attribute services.
const kv_function_table* ModuleFunctionTable();

// The program's version text as modules read it.
inline constexpr char kModuleVersionText[] = "7.0.0.2";
