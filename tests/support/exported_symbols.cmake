# zelk_exported_symbols(FILE OUT): the names a shared object defines in its
# dynamic symbol table, without the ones some linkers add on their own.
# Included by the export checks run with `cmake -P`.
function(zelk_exported_symbols file out)
  find_program(NM nm REQUIRED)
  execute_process(COMMAND ${NM} -D --defined-only ${file}
    OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm failed on ${file}")
  endif()
  string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
  set(names)
  foreach(line ${lines})
    string(REGEX REPLACE "^.* " "" name "${line}")
    list(APPEND names ${name})
  endforeach()
  list(REMOVE_ITEM names _init _fini _edata _end __bss_start)
  set(${out} ${names} PARENT_SCOPE)
endfunction()
