// Running an orvgrid command in the test's own process.
#pragma once

#include "support/tool_run.h"
#include "tools/orvgrid_tool.h"

namespace orv::test {

inline Run orvgrid(const QStringList& args) { return runCommand(runOrvgrid, args); }

} // namespace orv::test
