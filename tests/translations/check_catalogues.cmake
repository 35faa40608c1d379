# Fails when a text of the sources has no finished translation in a
# translation source (.ts), or a translation's text is gone from the sources.
# lupdate runs over copies of the .ts files, so that every text it finds and
# they lack appears as unfinished; the checker then reads the copies. A second
# run, on copies with one message taken out of each, must fail: proof that
# lupdate found the texts and the checker sees what is missing.
#
#   cmake -DLUPDATE=... -DSOURCE_ROOT=... -DLANGUAGES=fr,de,es -DCHECKER=...
#         -DWORK_DIR=... -P check_catalogues.cmake
set(ts_source_dir "${SOURCE_ROOT}/translations")

# copy_and_update(<folder> <drop one message>): the .ts copies in <folder>,
# brought in step with the sources.
function(copy_and_update folder drop)
  file(REMOVE_RECURSE "${folder}")
  file(GLOB ts_files "${ts_source_dir}/*.ts")
  file(COPY ${ts_files} DESTINATION "${folder}")
  if(drop)
    file(GLOB copies "${folder}/*.ts")
    foreach(copy ${copies})
      file(READ "${copy}" content)
      string(FIND "${content}" "<message>" begin)
      string(FIND "${content}" "</message>" end)
      math(EXPR end "${end} + 10")
      string(SUBSTRING "${content}" 0 ${begin} head)
      string(SUBSTRING "${content}" ${end} -1 tail)
      file(WRITE "${copy}" "${head}${tail}")
    endforeach()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -DLUPDATE=${LUPDATE} -DSOURCE_ROOT=${SOURCE_ROOT} -DTS_DIR=${folder}
                          -DLANGUAGES=${LANGUAGES} -P ${ts_source_dir}/update_catalogues.cmake
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate on the copies failed:\n${output}")
  endif()
endfunction()

copy_and_update("${WORK_DIR}/current" OFF)
file(GLOB current "${WORK_DIR}/current/*.ts")
list(LENGTH current count)
if(count EQUAL 0)
  message(FATAL_ERROR "no translation sources in ${ts_source_dir}")
endif()
execute_process(COMMAND ${CHECKER} ${current} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message(STATUS "${output}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The translations are not in step with the sources; run the update_translations target and translate what it marks unfinished.")
endif()

copy_and_update("${WORK_DIR}/probe" ON)
file(GLOB probe "${WORK_DIR}/probe/*.ts")
execute_process(COMMAND ${CHECKER} ${probe} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX MATCHALL "no finished translation" missing "${output}")
list(LENGTH missing missing_count)
if(status EQUAL 0 OR NOT missing_count EQUAL count)
  message(FATAL_ERROR "A message taken out of each of the ${count} copies went unnoticed:\n${output}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
