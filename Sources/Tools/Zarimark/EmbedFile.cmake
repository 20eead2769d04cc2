# cmake -DINPUT=file -DOUTPUT=file.cpp -DFUNCTION=Namespace::Name -P EmbedFile.cmake
# Writes a source file whose function returns the input file's bytes as a std::string.
file(READ "${INPUT}" zm_hex HEX)
string(LENGTH "${zm_hex}" zm_hex_length)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," zm_bytes "${zm_hex}")
string(REGEX REPLACE "::[^:]*$" "" zm_namespace "${FUNCTION}")
string(REGEX REPLACE "^.*::" "" zm_name "${FUNCTION}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.\n#include <string>\n\nnamespace ${zm_namespace} {\n\nstd::string ${zm_name}() {\n    static const char bytes[] = {${zm_bytes} 0};\n    return std::string(bytes, sizeof(bytes) - 1);\n}\n\n} // namespace ${zm_namespace}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
