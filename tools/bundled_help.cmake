# Writes bundled_help.h: the usage help (the "#sugo" block up to its second empty line, before the notes
# on the bundled course's own tasks) and the typing help (the "#tajpado" block) of the default lessons, so
# that imported lessons carry the same texts without a second copy to keep.
# Called as: cmake -DLESSONS=enhavo.txt -DOUTPUT=bundled_help.h -P bundled_help.cmake
file(READ "${LESSONS}" lessons)

function(block_text name result)
    string(FIND "${lessons}" "\n#${name}\n" start)
    if(start EQUAL -1)
        message(FATAL_ERROR "${LESSONS} holds no block #${name}")
    endif()
    string(LENGTH "\n#${name}\n" marker)
    math(EXPR start "${start} + ${marker}")
    string(SUBSTRING "${lessons}" ${start} -1 rest)
    string(FIND "${rest}" "\n#" end)
    string(SUBSTRING "${rest}" 0 ${end} text)
    set(${result} "${text}\n" PARENT_SCOPE)
endfunction()

block_text(sugo usage)
string(FIND "${usage}" "\n\n" first)
math(EXPR after "${first} + 2")
string(SUBSTRING "${usage}" ${after} -1 rest)
string(FIND "${rest}" "\n\n" second)
math(EXPR length "${after} + ${second} + 1")
string(SUBSTRING "${usage}" 0 ${length} usage)
block_text(tajpado typing)

file(WRITE "${OUTPUT}.new" "// Generated from ${LESSONS} by bundled_help.cmake; do not edit.
#pragma once

#include <string_view>

namespace kvizaro {
inline constexpr std::string_view BundledUsageHelp = R\"kvizaro_help(${usage})kvizaro_help\";
inline constexpr std::string_view BundledTypingHelp = R\"kvizaro_help(${typing})kvizaro_help\";
} // namespace kvizaro
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
