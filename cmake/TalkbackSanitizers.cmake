# Sanitizer builds apply to everything in the tree, Qt stays as Debian built it.
if(TALKBACK_SANITIZE)
  string(REPLACE ";" "," _san "${TALKBACK_SANITIZE}")
  add_compile_options(-fsanitize=${_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_san})
endif()
