#pragma once

#include "suite/print/print_texts.h"

namespace corvane::suite {

// Puts the report engine and the grid print service into the object factory.
void RegisterPrintObjects(PrintTexts texts);

}  // namespace corvane::suite
