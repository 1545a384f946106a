# What the Windows programs carry beyond the code: a version resource in each .exe, and the
# manuals as text for the package (Windows has no man). Included from the top CMakeLists.txt
# for WIN32 builds only, after the propwright and propwright-dump targets exist.
enable_language(RC)

set(PROPWRIGHT_COPYRIGHT "Copyright (C) Propwright maintainers")
# FILEVERSION wants four numbers: 1.0.0 -> 1,0,0,0.
string(REPLACE "." ";" _version_numbers "${PROJECT_VERSION}.0.0.0")
list(SUBLIST _version_numbers 0 4 _version_numbers)
string(REPLACE ";" "," PROPWRIGHT_VERSION_NUMBERS "${_version_numbers}")

# Rows: target, file description.
set(_version_resources
  "propwright|Converts plug-in resource descriptions (.r) into Windows resource scripts (.rc)"
  "propwright-dump|Prints the plug-in resources of a .res file or a DLL as Propwright source")
foreach(_row IN LISTS _version_resources)
  string(REPLACE "|" ";" _row "${_row}")
  list(GET _row 0 PROPWRIGHT_RC_NAME)
  list(GET _row 1 PROPWRIGHT_RC_DESCRIPTION)
  set(PROPWRIGHT_RC_FILE "${PROPWRIGHT_RC_NAME}.exe")
  set(_rc "${CMAKE_CURRENT_BINARY_DIR}/version/${PROPWRIGHT_RC_NAME}.rc")
  configure_file("${CMAKE_CURRENT_LIST_DIR}/PropwrightVersion.rc.in" "${_rc}" @ONLY)
  target_sources(${PROPWRIGHT_RC_NAME} PRIVATE "${_rc}")
endforeach()

# The manuals as text, built with the programs; without groff the package has none.
set(PROPWRIGHT_MANUALS_TEXT "")
find_program(PROPWRIGHT_GROFF groff)
mark_as_advanced(PROPWRIGHT_GROFF)
if(NOT PROPWRIGHT_GROFF)
  message(WARNING "groff not found: the Windows package will hold no manuals (Debian: groff-base)")
  return()
endif()
file(MAKE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/doc")
foreach(_page propwright propwright-dump)
  set(_text "${CMAKE_CURRENT_BINARY_DIR}/doc/${_page}.txt")
  add_custom_command(OUTPUT "${_text}"
    COMMAND "${CMAKE_COMMAND}" "-DGROFF=${PROPWRIGHT_GROFF}"
      "-DINPUT=${PROJECT_SOURCE_DIR}/doc/${_page}.1" "-DOUTPUT=${_text}"
      -P "${CMAKE_CURRENT_LIST_DIR}/PropwrightManText.cmake"
    DEPENDS "${PROJECT_SOURCE_DIR}/doc/${_page}.1" "${CMAKE_CURRENT_LIST_DIR}/PropwrightManText.cmake"
    COMMENT "Formatting the manual ${_page}.1 as text"
    VERBATIM)
  list(APPEND PROPWRIGHT_MANUALS_TEXT "${_text}")
endforeach()
add_custom_target(propwright_manuals ALL DEPENDS ${PROPWRIGHT_MANUALS_TEXT})
