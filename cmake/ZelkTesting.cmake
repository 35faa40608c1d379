# GoogleTest: the distribution's package natively; for a cross build the
# sources Debian ships in /usr/src/googletest are compiled with the cross
# compiler, so the same test sources run under Wine.
if(CMAKE_CROSSCOMPILING)
  if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
  set(ZELK_GTEST_LIBS gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  set(ZELK_GTEST_LIBS GTest::gtest GTest::gtest_main)
endif()

# zelk_gtest(NAME SOURCES... LIBS ...): a GoogleTest executable registered with
# CTest as one test per binary.
function(zelk_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${ZELK_GTEST_LIBS})
  zelk_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
endfunction()
