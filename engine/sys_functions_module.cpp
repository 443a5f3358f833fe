// Enters TfsSysFunctions in the process-wide list of library modules before
// main runs. This file is compiled into every program that uses the engine
// (an interface source of the engine's target), because a registrar inside
// the engine's static library would never be linked: nothing refers to it.
#include "engine/script.h"
#include "engine/sys_functions.h"

namespace veltran {
namespace {

const bool registered = (fsRegisterRTTIModule(make_sys_functions), true);

} // namespace
} // namespace veltran
