# Preprocessing step of propwright_add_resources for MSVC-style compilers (cl, clang-cl), run as
# cmake -P: writes the preprocessed file with /P (which keeps #line markers) and turns the
# /showIncludes notes into a make-style dependency file, the form the build tools read. The source
# is named with /Tc, so that a path beginning with a slash is not taken for an option.
# Variables: PROPWRIGHT_CC (the compiler), PROPWRIGHT_FLAGS (list), PROPWRIGHT_SOURCE,
# PROPWRIGHT_OUTPUT, PROPWRIGHT_DEPFILE, PROPWRIGHT_NOTE (the compiler's include note prefix,
# which depends on its language; empty for the English one).
cmake_minimum_required(VERSION 3.16)

foreach(required PROPWRIGHT_CC PROPWRIGHT_SOURCE PROPWRIGHT_OUTPUT PROPWRIGHT_DEPFILE)
  if(NOT ${required})
    message(FATAL_ERROR "PropwrightPreprocess: ${required} not set")
  endif()
endforeach()
if(NOT PROPWRIGHT_NOTE)
  set(PROPWRIGHT_NOTE "Note: including file:")
endif()

execute_process(
  COMMAND "${PROPWRIGHT_CC}" ${PROPWRIGHT_FLAGS} /showIncludes /P "/Fi${PROPWRIGHT_OUTPUT}"
          "/Tc${PROPWRIGHT_SOURCE}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)

# Escape spaces for the dependency file; a colon after a drive letter is read correctly.
function(_propwright_dep_path path result)
  file(TO_CMAKE_PATH "${path}" path)
  string(REPLACE " " "\\ " path "${path}")
  set(${result} "${path}" PARENT_SCOPE)
endfunction()

# cl writes the notes on standard output, clang-cl on standard error; cl also echoes the
# source's name, which is dropped. Everything else (warnings, errors) is shown.
string(REPLACE "\r" "" text "${out}\n${err}")
string(REPLACE ";" "\\;" text "${text}")
string(REPLACE "\n" ";" lines "${text}")
get_filename_component(source_name "${PROPWRIGHT_SOURCE}" NAME)
string(LENGTH "${PROPWRIGHT_NOTE}" note_length)
set(headers "")
set(shown "")
foreach(line IN LISTS lines)
  string(FIND "${line}" "${PROPWRIGHT_NOTE}" at)
  if(at EQUAL 0)
    string(SUBSTRING "${line}" ${note_length} -1 header)
    string(STRIP "${header}" header)
    _propwright_dep_path("${header}" header)
    string(APPEND headers " \\\n  ${header}")
  elseif(NOT line STREQUAL "" AND NOT line STREQUAL source_name)
    string(APPEND shown "${line}\n")
  endif()
endforeach()
if(shown)
  string(STRIP "${shown}" shown)
  message("${shown}")
endif()

if(NOT status EQUAL 0)
  file(REMOVE "${PROPWRIGHT_OUTPUT}" "${PROPWRIGHT_DEPFILE}")
  message(FATAL_ERROR "preprocessing ${PROPWRIGHT_SOURCE} failed (${status})")
endif()
_propwright_dep_path("${PROPWRIGHT_OUTPUT}" output)
_propwright_dep_path("${PROPWRIGHT_SOURCE}" source)
file(WRITE "${PROPWRIGHT_DEPFILE}" "${output}: ${source}${headers}\n")
