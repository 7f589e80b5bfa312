# Linux: the logic against the in-memory platform, with sanitizers.
if(GLINTBOX_SANITIZE)
  set(GLINTBOX_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${GLINTBOX_SAN_FLAGS})
  add_link_options(${GLINTBOX_SAN_FLAGS})
  # The standard library checks its indexes too: a read one past a string_view or an array stays
  # inside the object, where the address sanitizer cannot see it.
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
endif()
