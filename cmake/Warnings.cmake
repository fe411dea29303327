# One place for the warning flags: no warnings on GCC, Clang or MSVC.
function(lumetra_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      # GCC 12 reports impossible overlaps inside std::string concatenation
      # at -O2 (a known false positive of its -Wrestrict).
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
endfunction()
