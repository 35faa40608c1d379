# Precompiled Qt headers.
#
# Parsing Qt's headers is most of the compile time of a widget source here
# (measured: about a quarter of a typical file's CPU time), and nearly every
# target includes the same few. One carrier target precompiles them once per
# build; every C++ target that links Qt reuses that header, since all targets
# of a build share the flags that decide whether a precompiled header is valid
# (GCC accepts one built with -fPIC in -fPIE code, and defines added by the
# user that the headers do not test; it refuses one whose own defines the user
# lacks, so the carrier defines only what every Qt target has: QT_CORE_LIB,
# with the widgets' include folders; and -pthread, which some targets get from
# their libraries, is given to all of them). Targets without Qt keep plain includes,
# so the Qt-free core never sees Qt.
#
# -DZELK_PCH=OFF builds without it, e.g. to check that every file includes
# what it uses.
option(ZELK_PCH "Precompile the headers many targets share (Qt's, and GoogleTest's for the tests)" ON)

# zelk_links_qt(TARGET RESULT): whether TARGET links Qt, directly or through
# the libraries it links.
function(zelk_links_qt target result)
  set(found FALSE)
  set(pending ${target})
  set(seen "")
  while(pending AND NOT found)
    list(POP_FRONT pending current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(type ${current} TYPE)
    set(libs "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND libs ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND libs ${interface})
    endif()
    foreach(lib IN LISTS libs)
      if(lib MATCHES "^Qt5::")
        set(found TRUE)
      elseif(TARGET ${lib})
        list(APPEND pending ${lib})
      endif()
    endforeach()
  endwhile()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

# zelk_targets_below(DIR RESULT): the targets defined in DIR and below.
function(zelk_targets_below dir result)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    zelk_targets_below(${subdir} below)
    list(APPEND targets ${below})
  endforeach()
  set(${result} ${targets} PARENT_SCOPE)
endfunction()

# Whether AUTOMOC will find anything to compile into the target's
# mocs_compilation.cpp: a Qt class declared in a header it lists, or in the
# header beside one of its sources (AUTOMOC looks at those too).
function(_zelk_has_header_moc target result)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(headers "")
  foreach(source IN LISTS sources)
    if(source MATCHES "\\$<")
      continue()
    endif()
    get_filename_component(path ${source} ABSOLUTE BASE_DIR ${source_dir})
    if(path MATCHES "\\.(h|hpp)$")
      list(APPEND headers ${path})
    elseif(path MATCHES "\\.(cpp|cc|cxx)$")
      string(REGEX REPLACE "\\.[a-z]+$" ".h" beside ${path})
      list(APPEND headers ${beside})
    endif()
  endforeach()
  foreach(header IN LISTS headers)
    if(EXISTS ${header})
      file(STRINGS ${header} qt_classes REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE")
      if(qt_classes)
        set(${result} TRUE PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  set(${result} FALSE PARENT_SCOPE)
endfunction()

# Called once, after every target is defined.
function(zelk_precompile_qt_headers)
  if(NOT ZELK_PCH OR ZELK_CORE_ONLY OR ZELK_FUZZ)
    return()
  endif()
  add_library(zelk_qt_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/pch/zelk_qt_pch.cpp)
  target_link_libraries(zelk_qt_pch PRIVATE Qt5::Core)
  target_include_directories(zelk_qt_pch SYSTEM PRIVATE
    $<TARGET_PROPERTY:Qt5::Widgets,INTERFACE_INCLUDE_DIRECTORIES>)
  target_compile_options(zelk_qt_pch PRIVATE -pthread)
  target_precompile_headers(zelk_qt_pch PRIVATE
    "$<$<COMPILE_LANGUAGE:CXX>:${PROJECT_SOURCE_DIR}/cmake/pch/zelk_qt_pch.h>")
  zelk_targets_below(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$"
       OR target STREQUAL "zelk_qt_pch")
      continue()
    endif()
    get_target_property(skip ${target} DISABLE_PRECOMPILE_HEADERS)
    zelk_links_qt(${target} links_qt)
    if(links_qt AND NOT skip)
      target_precompile_headers(${target} REUSE_FROM zelk_qt_pch)
      # AUTOMOC compiles a file of its own into every target, most of them
      # empty: loading the precompiled header for nothing took about a second
      # each, a minute per build.
      _zelk_has_header_moc(${target} has_moc)
      get_target_property(automoc ${target} AUTOMOC)
      if(automoc AND NOT has_moc)
        get_target_property(binary_dir ${target} BINARY_DIR)
        set_source_files_properties(${binary_dir}/${target}_autogen/mocs_compilation.cpp TARGET_DIRECTORY ${target}
                                    PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
      endif()
      # A header GCC refuses is silently parsed again: say so instead.
      target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:-Winvalid-pch;-pthread>")
    endif()
  endforeach()
endfunction()
