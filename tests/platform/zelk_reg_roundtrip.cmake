# zelk-reg round trip as a CTest script, for the Windows build under Wine
# (against Wine's registry): add values of several types, export, delete,
# import, and compare the query output before and after.
#   cmake -DREG=<zelk-reg.exe> -DEMULATOR=<wine> -DWORK_DIR=<dir> -P zelk_reg_roundtrip.cmake
set(key "HKCU\\Software\\ZelkRegRoundTrip")
file(MAKE_DIRECTORY "${WORK_DIR}")

# Output goes through files, not pipes: Wine's helper processes (started by
# the first Wine program of a prefix) inherit the pipes and keep them open.
function(reg)
  execute_process(COMMAND ${EMULATOR} ${REG} ${ARGN} RESULT_VARIABLE rc
                  OUTPUT_FILE "${WORK_DIR}/out.txt" ERROR_FILE "${WORK_DIR}/err.txt")
  file(READ "${WORK_DIR}/out.txt" out)
  file(READ "${WORK_DIR}/err.txt" err)
  set(reg_rc "${rc}" PARENT_SCOPE)
  set(reg_out "${out}" PARENT_SCOPE)
  set(reg_err "${err}" PARENT_SCOPE)
endfunction()

function(reg_ok)
  reg(${ARGN})
  if(NOT reg_rc EQUAL 0)
    message(FATAL_ERROR "zelk-reg ${ARGN} failed (${reg_rc}): ${reg_out}${reg_err}")
  endif()
  set(reg_out "${reg_out}" PARENT_SCOPE)
endfunction()

reg(delete ${key} /f)
reg_ok(add ${key} /ve /d "default text" /f)
reg_ok(add ${key} /v Text /d "C:\\path with \"quotes\"" /f)
reg_ok(add ${key} /v Count /t REG_DWORD /d 0x2a /f)
reg_ok(add ${key} /v Big /t REG_QWORD /d 0x0102030405060708 /f)
reg_ok(add ${key} /v Bytes /t REG_BINARY /d 000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f /f)
reg_ok(add ${key} /v List /t REG_MULTI_SZ /d "one\\0two" /f)
reg_ok(add ${key} /v Path /t REG_EXPAND_SZ /d "%HOME%\\bin" /f)
reg_ok(add ${key}\\Sub\\Deeper /v Inner /t REG_DWORD /d 7 /f)
reg_ok(query ${key} /s)
set(before "${reg_out}")

set(file "${WORK_DIR}/zelk-reg-roundtrip.reg")
file(REMOVE "${file}")
reg_ok(export ${key} "${file}" /y)
file(READ "${file}" head LIMIT 4 HEX)
if(NOT head STREQUAL "fffe5700")
  message(FATAL_ERROR "export is not UTF-16LE with BOM: ${head}")
endif()
reg_ok(delete ${key} /f)
reg(query ${key})
if(reg_rc EQUAL 0)
  message(FATAL_ERROR "the key survived the delete")
endif()
reg_ok(import "${file}")
reg_ok(query ${key} /s)
if(NOT reg_out STREQUAL before)
  message(FATAL_ERROR "query differs after the round trip:\n--- before\n${before}\n--- after\n${reg_out}")
endif()
reg_ok(delete ${key} /f)
message(STATUS "round trip ok:\n${before}")
