#pragma once
// The window tests' recording Dialogs under its older name.

#include "tests/ui/ui_support.h"

namespace ce::testing {
using RecordingDialogs = ScriptedDialogs;
}  // namespace ce::testing
