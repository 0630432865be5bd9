#pragma once

#include "scripted_dialogs.h"

namespace kt::test {

// Routes failures of the scripted dialogs into the running Qt test.
void InstallQtFailHook();

} // namespace kt::test
