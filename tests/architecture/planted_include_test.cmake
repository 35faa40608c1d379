# Plants an upward include (the engine including the window) and a player
# header included from outside host/shell in a tree of its own, and expects
# shell_layers_check to fail naming both, by file, line and rule.
file(REMOVE_RECURSE "${TREE}")
file(WRITE "${TREE}/host/shell/engine/Planted.h" "#pragma once\n#include \"host/shell/window/PlayerWindow.h\"\n")
file(WRITE "${TREE}/host/shell/window/Fine.cpp" "#include \"host/shell/engine/Planted.h\"\n")
file(WRITE "${TREE}/plugin/Outside.cpp" "// a comment\n\n#include \"host/shell/engine/Planted.h\"\n")
execute_process(COMMAND "${CHECK}" "${TREE}" "${RULE_FILE}" RESULT_VARIABLE status OUTPUT_VARIABLE output)
set(expected
  "host/shell/engine/Planted.h:2: includes host/shell/window/PlayerWindow.h: engine/ (layer 1) may include only folders on lower layers, and window/ is on layer"
  "plugin/Outside.cpp:3: includes host/shell/engine/Planted.h: outside host/shell only tests and benchmarks"
  "2 include(s) against the layer rule")
foreach(line IN LISTS expected)
  string(FIND "${output}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the check did not report \"${line}\"; it said:\n${output}")
  endif()
endforeach()
if(NOT status EQUAL 1)
  message(FATAL_ERROR "the check ended with ${status}, not 1:\n${output}")
endif()
