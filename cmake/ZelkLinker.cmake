# The linker. LLVM's lld links the test executables and plug-ins here five
# to six times faster than GNU ld (about a minute of a full build's two CPU
# minutes of linking), with the same result for what the project uses
# (version scripts, run paths, sanitizers). Used when the compiler can drive
# it; -DZELK_LLD=OFF keeps the toolchain's default linker.
option(ZELK_LLD "Link with lld when the compiler can use it" ON)

if(ZELK_LLD AND NOT MSVC AND NOT CMAKE_CROSSCOMPILING)
  include(CheckLinkerFlag)
  check_linker_flag(CXX "-fuse-ld=lld" ZELK_HAVE_LLD)
  if(ZELK_HAVE_LLD)
    add_link_options(-fuse-ld=lld)
  endif()
endif()
