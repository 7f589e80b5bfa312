# Windows (mingw-w64): fully static programs that need no DLL beside them.
add_link_options(-static -static-libgcc -static-libstdc++)
# The program runs on Windows 2000 and later; 64-bit Windows begins with XP x64 (5.2). The
# headers then hide what those lack (the import test checks what the loader will ask for). The
# Windows-side tests may use what XP has.
if(GLINTBOX_WIN_TESTS)
  set(GLINTBOX_WINNT 0x0501)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(GLINTBOX_WINNT 0x0502)
else()
  set(GLINTBOX_WINNT 0x0500)
endif()
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=${GLINTBOX_WINNT}
  WINVER=${GLINTBOX_WINNT})
# The same bytes from every build of one commit: no time stamp in the header. Aware of terminal
# services, so that GetWindowsDirectoryA names the system's Windows folder, not a private one.
add_link_options(-Wl,--no-insert-timestamp -Wl,--tsaware)
