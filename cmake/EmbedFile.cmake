# Writes a C++ source that holds the bytes of one file, so a program carries the file inside
# itself. Run as: cmake -DINPUT=file -DOUTPUT=source.cpp -DFUNCTION=name -DNAMESPACE=ns -P EmbedFile.cmake
# The bytes go in as numbers, not as a string literal, so line ends (CR LF) and any byte value
# reach the program unchanged.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT} at build time; edit that file instead.\n"
  "#include <string_view>\n\n"
  "namespace ${NAMESPACE} {\n\n"
  "namespace {\n"
  "constexpr unsigned char Bytes[] = {\n    ${bytes}0x00};\n"
  "}  // namespace\n\n"
  "std::string_view ${FUNCTION}() {\n"
  "    return {reinterpret_cast<const char*>(Bytes), sizeof Bytes - 1};\n"
  "}\n\n"
  "}  // namespace ${NAMESPACE}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
