# Every target of ours compiles with the same warnings; the build stays clean of them.
function(talkback_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
  if(TALKBACK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
