# The release pieces of the Windows build: the manual (beside Glintbox.exe, where "View Glintbox
# Documentation" looks for it), the setup program (target installer), SHA256SUMS of what is
# released, and product.json, which tells the scripts and the end-to-end tests the names.

# The program opens "ReadMe_" and the first five characters of "v1.12 - November 2011".
if(NOT PROJECT_VERSION MATCHES "^[0-9]\\.[0-9][0-9]$")
  message(FATAL_ERROR "the version must read like 1.12: the program names its manual by the first "
    "five characters of v${PROJECT_VERSION}")
endif()
set(GLINTBOX_MANUAL_NAME "ReadMe_v${PROJECT_VERSION}.pdf")
set(GLINTBOX_MANUAL ${CMAKE_BINARY_DIR}/${GLINTBOX_MANUAL_NAME})
set(GLINTBOX_SETUP_NAME "Glintbox-${PROJECT_VERSION}-setup.exe")
set(GLINTBOX_SETUP_X64_NAME "Glintbox-${PROJECT_VERSION}-setup-x64.exe")
configure_file(${CMAKE_SOURCE_DIR}/cmake/product.json.in ${CMAKE_BINARY_DIR}/product.json @ONLY)

# Where the build names no web page, the manual stands for it, as in the program.
if(GLINTBOX_MAKER_PAGE)
  set(GLINTBOX_MAKER_PAGE_NAME "its web page, ${GLINTBOX_MAKER_PAGE}")
  set(GLINTBOX_DONATION
    "Opens Glintbox's web page, ${GLINTBOX_MAKER_PAGE}, in your browser, where you can support its development.")
else()
  set(GLINTBOX_MAKER_PAGE_NAME "the name of this manual, which stands for a web page")
  set(GLINTBOX_DONATION
    "Opens this manual, as *View Glintbox Documentation* does: this copy of Glintbox was built without a web page.")
endif()

# The manual: docs/manual.md and its style sheet through pandoc (HTML) and weasyprint (PDF). Its
# pictures are the screenshots in docs/; a new one reconfigures the build.
find_program(GLINTBOX_PANDOC pandoc)
find_program(GLINTBOX_WEASYPRINT weasyprint)
file(GLOB GLINTBOX_MANUAL_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.png)
# Its dates are those of the last commit (so that every build of a commit gives the same bytes):
# a new commit makes it anew.
execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} rev-parse --absolute-git-dir
  OUTPUT_VARIABLE GLINTBOX_GIT_DIR OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
set(GLINTBOX_MANUAL_COMMIT "")
if(GLINTBOX_GIT_DIR AND EXISTS ${GLINTBOX_GIT_DIR}/logs/HEAD)
  set(GLINTBOX_MANUAL_COMMIT ${GLINTBOX_GIT_DIR}/logs/HEAD)
endif()
if(GLINTBOX_PANDOC AND GLINTBOX_WEASYPRINT)
  add_custom_command(OUTPUT ${GLINTBOX_MANUAL}
    COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make_manual.py
      --pandoc ${GLINTBOX_PANDOC} --weasyprint ${GLINTBOX_WEASYPRINT}
      --define VERSION=${PROJECT_VERSION} --define VERSION_DATE=${GLINTBOX_VERSION_DATE}
      "--define=VERSION_STRING=v${PROJECT_VERSION} - ${GLINTBOX_VERSION_DATE}"
      --define MANUAL=${GLINTBOX_MANUAL_NAME} --define SETUP=${GLINTBOX_SETUP_NAME}
      --define SETUP_X64=${GLINTBOX_SETUP_X64_NAME}
      "--define=MAKER_PAGE_NAME=${GLINTBOX_MAKER_PAGE_NAME}"
      "--define=DONATION=${GLINTBOX_DONATION}"
      ${CMAKE_SOURCE_DIR}/docs/manual.md ${GLINTBOX_MANUAL}
    DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make_manual.py ${CMAKE_SOURCE_DIR}/docs/manual.md
      ${CMAKE_SOURCE_DIR}/docs/manual.css ${GLINTBOX_MANUAL_PICTURES} ${GLINTBOX_MANUAL_COMMIT}
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
  # The setup is made by the 64-bit build, which takes the 32-bit program from here.
  add_custom_command(TARGET Glintbox POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${CMAKE_BINARY_DIR}/SHA256SUMS -DFILES=Glintbox.exe
      -P ${CMAKE_SOURCE_DIR}/cmake/sha256sums.cmake
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR} VERBATIM)
  return()
endif()

# The setup program: the 64-bit program, the 32-bit one for 32-bit Windows and the manual.
# The -setup-x64.exe is the same script built as a 64-bit program for 64-bit Windows only: a
# Wine without its 32-bit part runs that one.
set(GLINTBOX_WIN32_EXE ${CMAKE_SOURCE_DIR}/build/win32/Glintbox.exe CACHE FILEPATH
  "The 32-bit Glintbox.exe that the setup installs on 32-bit Windows (the win32 preset's build)")
find_program(GLINTBOX_MAKENSIS makensis)
set(GLINTBOX_SETUP ${CMAKE_BINARY_DIR}/${GLINTBOX_SETUP_NAME})
set(GLINTBOX_SETUP_X64 ${CMAKE_BINARY_DIR}/${GLINTBOX_SETUP_X64_NAME})
set(GLINTBOX_NSIS_ARGS -V2 -WX -DVERSION=${PROJECT_VERSION} -DEXE64=$<TARGET_FILE:Glintbox>
  -DMANUAL=${GLINTBOX_MANUAL} -DICON=${GLINTBOX_ICON} "-DWEB_PAGE=${GLINTBOX_MAKER_PAGE}")
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
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${CMAKE_BINARY_DIR}/SHA256SUMS
      "-DFILES=Glintbox.exe;${GLINTBOX_MANUAL_NAME};${GLINTBOX_SETUP_NAME};${GLINTBOX_SETUP_X64_NAME}"
      -P ${CMAKE_SOURCE_DIR}/cmake/sha256sums.cmake
    BYPRODUCTS ${GLINTBOX_SETUP} ${GLINTBOX_SETUP_X64} ${CMAKE_BINARY_DIR}/SHA256SUMS
    DEPENDS ${GLINTBOX_NSIS_SCRIPT}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Making ${GLINTBOX_SETUP_NAME} and ${GLINTBOX_SETUP_X64_NAME}"
    VERBATIM)
  add_dependencies(installer Glintbox manual)
else()
  add_custom_target(installer
    COMMAND ${CMAKE_COMMAND} -E echo
      "error: the setup needs makensis (nsis), which was not found: run scripts/setup"
    COMMAND ${CMAKE_COMMAND} -E false VERBATIM)
endif()
