# cmake -DFILE=<path> -DWHAT=<what it is> -DHINT=<how to make it> -P require_file.cmake
# Fails a build step with a message a person can act on, where a missing input would otherwise
# surface as a tool's own error further down.
if(NOT EXISTS "${FILE}")
  message(FATAL_ERROR "${WHAT} is missing: ${FILE}\n${HINT}")
endif()
