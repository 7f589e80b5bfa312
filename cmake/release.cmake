# The release pieces of the Windows build: the manual (ReadMe_v1.12.pdf, beside Glintbox.exe)
# and the setup program (target installer).

set(GLINTBOX_MANUAL_NAME "ReadMe_v${PROJECT_VERSION}.pdf")
set(GLINTBOX_MANUAL ${CMAKE_BINARY_DIR}/${GLINTBOX_MANUAL_NAME})

# The manual: docs/manual.md and its style sheet through pandoc (HTML) and weasyprint (PDF). Its
# pictures are the screenshots in docs/; a new one reconfigures the build.
find_program(GLINTBOX_PANDOC pandoc)
find_program(GLINTBOX_WEASYPRINT weasyprint)
file(GLOB GLINTBOX_MANUAL_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.png)
if(GLINTBOX_PANDOC AND GLINTBOX_WEASYPRINT)
  add_custom_command(OUTPUT ${GLINTBOX_MANUAL}
    COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make_manual.py
      --pandoc ${GLINTBOX_PANDOC} --weasyprint ${GLINTBOX_WEASYPRINT}
      ${CMAKE_SOURCE_DIR}/docs/manual.md ${GLINTBOX_MANUAL}
    DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make_manual.py ${CMAKE_SOURCE_DIR}/docs/manual.md
      ${CMAKE_SOURCE_DIR}/docs/manual.css ${GLINTBOX_MANUAL_PICTURES}
    COMMENT "Making ${GLINTBOX_MANUAL_NAME}" VERBATIM)
  add_custom_target(manual ALL DEPENDS ${GLINTBOX_MANUAL})
else()
  set(GLINTBOX_NO_MANUAL
    "${GLINTBOX_MANUAL_NAME} needs pandoc and weasyprint, which were not found: run scripts/setup")
  message(WARNING "${GLINTBOX_NO_MANUAL}")
  add_custom_target(manual
    COMMAND ${CMAKE_COMMAND} -E echo "error: ${GLINTBOX_NO_MANUAL}"
    COMMAND ${CMAKE_COMMAND} -E false VERBATIM)
endif()

if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
  return()  # the setup is made by the 64-bit build, which takes the 32-bit program from here
endif()

# The setup program: the 64-bit program, the 32-bit one for 32-bit Windows and the manual.
# Glintbox-1.12-setup-x64.exe is the same script built as a 64-bit program for 64-bit Windows
# only: a Wine without its 32-bit part runs that one.
set(GLINTBOX_WIN32_EXE ${CMAKE_SOURCE_DIR}/build/win32/Glintbox.exe CACHE FILEPATH
  "The 32-bit Glintbox.exe that the setup installs on 32-bit Windows (the win32 preset's build)")
find_program(GLINTBOX_MAKENSIS makensis)
set(GLINTBOX_SETUP ${CMAKE_BINARY_DIR}/Glintbox-${PROJECT_VERSION}-setup.exe)
set(GLINTBOX_SETUP_X64 ${CMAKE_BINARY_DIR}/Glintbox-${PROJECT_VERSION}-setup-x64.exe)
set(GLINTBOX_NSIS_ARGS -V2 -WX -DVERSION=${PROJECT_VERSION} -DEXE64=$<TARGET_FILE:Glintbox>
  -DMANUAL=${GLINTBOX_MANUAL} -DICON=${GLINTBOX_ICON})
set(GLINTBOX_NSIS_SCRIPT ${CMAKE_SOURCE_DIR}/installer/glintbox.nsi)
if(GLINTBOX_MAKENSIS)
  # Always run (a few seconds): the 32-bit program comes from another build that this one
  # cannot track.
  add_custom_target(installer
    COMMAND ${CMAKE_COMMAND} -DFILE=${GLINTBOX_WIN32_EXE}
      "-DWHAT=the 32-bit Glintbox.exe for the setup"
      "-DHINT=build it first (cmake --preset win32 && cmake --build --preset win32) or set \
GLINTBOX_WIN32_EXE"
      -P ${CMAKE_SOURCE_DIR}/cmake/require_file.cmake
    COMMAND ${GLINTBOX_MAKENSIS} ${GLINTBOX_NSIS_ARGS} -DEXE32=${GLINTBOX_WIN32_EXE}
      -DOUTFILE=${GLINTBOX_SETUP} ${GLINTBOX_NSIS_SCRIPT}
    COMMAND ${GLINTBOX_MAKENSIS} ${GLINTBOX_NSIS_ARGS} -DX64_ONLY
      -DOUTFILE=${GLINTBOX_SETUP_X64} ${GLINTBOX_NSIS_SCRIPT}
    BYPRODUCTS ${GLINTBOX_SETUP} ${GLINTBOX_SETUP_X64}
    DEPENDS ${GLINTBOX_NSIS_SCRIPT}
    COMMENT "Making Glintbox-${PROJECT_VERSION}-setup.exe and -setup-x64.exe"
    VERBATIM)
  add_dependencies(installer Glintbox manual)
else()
  add_custom_target(installer
    COMMAND ${CMAKE_COMMAND} -E echo
      "error: the setup needs makensis (nsis), which was not found: run scripts/setup"
    COMMAND ${CMAKE_COMMAND} -E false VERBATIM)
endif()
