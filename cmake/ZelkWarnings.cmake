# Warnings for our own targets only (third-party headers come in as system
# includes and stay quiet).
function(zelk_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  endif()
endfunction()
