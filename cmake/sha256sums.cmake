# cmake -DOUTPUT=<file> -DFILES=<names> -P sha256sums.cmake, in the folder of the files: writes
# their SHA-256 sums as sha256sum does, so that `sha256sum -c SHA256SUMS` checks them there.
set(lines "")
foreach(name IN LISTS FILES)
  if(NOT EXISTS "${name}")
    message(FATAL_ERROR "SHA256SUMS: ${name} is missing")
  endif()
  file(SHA256 "${name}" sum)
  string(APPEND lines "${sum}  ${name}\n")
endforeach()
file(WRITE "${OUTPUT}" "${lines}")
