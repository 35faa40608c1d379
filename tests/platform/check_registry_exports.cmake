# Fails unless the stand-in's shared library defines, in its dynamic symbol
# table, exactly the functions win32_registry.h declares: every one of them
# (a caller must find it) and nothing more (its internals stay hidden, so a
# module cannot bind to them and nothing else can replace them).
include(${CMAKE_CURRENT_LIST_DIR}/../support/exported_symbols.cmake)
zelk_exported_symbols(${LIBRARY} exported)
list(SORT exported)

file(READ ${HEADER} header)
string(REGEX MATCHALL "WINAPI [A-Za-z]+\\(" declarations "${header}")
set(declared)
foreach(declaration ${declarations})
  string(REGEX REPLACE "^WINAPI ([A-Za-z]+)\\($" "\\1" name "${declaration}")
  list(APPEND declared ${name})
endforeach()
list(SORT declared)
list(LENGTH declared declared_count)
if(declared_count LESS 15)
  message(FATAL_ERROR "found only ${declared_count} declarations in ${HEADER}: ${declared}")
endif()

if(NOT exported STREQUAL declared)
  set(missing ${declared})
  list(REMOVE_ITEM missing ${exported})
  set(extra ${exported})
  list(REMOVE_ITEM extra ${declared})
  message(FATAL_ERROR "exports differ from the header\n  not exported: ${missing}\n  not declared: ${extra}")
endif()
message(STATUS "${declared_count} functions exported, nothing else")
