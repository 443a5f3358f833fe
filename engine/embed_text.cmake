# cmake -DINPUT=file -DOUTPUT=file.cpp -DHEADER=engine/x.h -DFUNCTION=Name -P embed_text.cmake
# Writes a source file whose function Name() returns the input file's bytes.
file(READ "${INPUT}" bytes HEX)
string(REPEAT "[0-9a-f][0-9a-f]" 16 row)
string(REGEX REPLACE "(${row})" "\\1\n" bytes "${bytes}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
string(REPLACE "\n" "\n    " bytes "${bytes}")
get_filename_component(source "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
"// Generated from ${source} at build time.
#include \"${HEADER}\"

namespace veltran {
namespace {

constexpr char bytes[] = {
    ${bytes}'\\0'};

} // namespace

std::string_view ${FUNCTION}() { return {bytes, sizeof bytes - 1}; }

} // namespace veltran
")
