# The version resource of each Windows program (Explorer's Details tab), from project(VERSION).
# Included from the top CMakeLists.txt for WIN32 builds only, after both program targets exist.
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
