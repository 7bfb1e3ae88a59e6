# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build, with the
# standard library's own checks (an index past the end of a string or vector,
# an empty optional read) turned on as well.
if(QUOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()
