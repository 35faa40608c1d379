# Fails unless the module's dynamic symbol table defines exactly _getPlugin.
include(${CMAKE_CURRENT_LIST_DIR}/../support/exported_symbols.cmake)
zelk_exported_symbols(${MODULE} names)
if(NOT names STREQUAL "_getPlugin")
  message(FATAL_ERROR "expected only _getPlugin, found: ${names}")
endif()
message(STATUS "exports: ${names}")
