# Writes the C++ source that carries the print forms the program ships (data/forms/*.frm):
# cmake -DOUTPUT=file.cpp -DFILES="a.frm|b.frm" -P EmbedForms.cmake
string(REPLACE "|" ";" files "${FILES}")
set(body "")
set(table "")
set(index 0)
foreach(file IN LISTS files)
  get_filename_component(name "${file}" NAME)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" length)
  math(EXPR size "${length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char kForm${index}[] = {${bytes} 0};\n")
  string(APPEND table "    {\"${name}\", kForm${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
set(content "// Generated from data/forms by EmbedForms.cmake; do not edit.
#include \"printforms/ShippedForms.h\"

namespace axo::printforms::detail {

namespace {
${body}
const EmbeddedFile kFiles[] = {
${table}    {nullptr, nullptr, 0},
};
}  // namespace

std::span<const EmbeddedFile> EmbeddedFormFiles() {
    return {kFiles, ${index}};
}

}  // namespace axo::printforms::detail
")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT "${old}" STREQUAL "${content}")
  file(WRITE "${OUTPUT}" "${content}")
endif()
