#pragma once
// The names the engine itself relies on, entered into the shared root scope
// before the library modules: the type names of the kinds (Integer, String,
// ...), True, False, nil and Null, the two shared accessors "__StringHelper"
// and "__ArrayHelper" used for indexing, and the variables TRY ... EXCEPT
// fills ("ExceptionClassName", "ExceptionMessage"). The library registers the
// functions on top; registering any of these names again changes nothing.

namespace veltran {

class TfsScript;

void register_core_names(TfsScript& root);

} // namespace veltran
