# propwright_add_resources(<target> SOURCES <file.r>...
#                          [OPTIONS -j|-c|-k|-x]
#                          [ENCODING UTF-8]
#                          [INCLUDE_DIRECTORIES <dir>...]
#                          [DEFINITIONS <NAME>[=<value>]...]
#                          [CHECK])
#
# For each source, in <current binary dir>/propwright/<target>/:
#   1. the C preprocessor of the project's C compiler (the C++ compiler when C is not enabled)
#      writes <name>.rr, with MSWindows=1, the definitions and the include folders; its
#      dependency output makes an edited header rerun the step;
#   2. propwright converts <name>.rr into <name>.rc, with the option if one is given, and with
#      -u for ENCODING UTF-8 (the sources' text is UTF-8; the preprocessor drops a byte order
#      mark, so the mark alone does not carry over);
#   3. <name>.rc becomes a source of <target>, so the RC language (windres, llvm-rc or rc)
#      compiles it and the linker puts the resources into the target.
# With CHECK, propwright-dump --check reads <target> after every link (also in a cross build: it
# only reads the file) and fails the build on an error, which it prints in the build log: an
# entry point missing for the target's machine or not exported, a property list a host cannot
# list. The failed file is removed, so the next build links and checks it again.
# Call it in the folder that creates <target>, after enabling the RC language.
#
# Error locations: Clang and MSVC (also clang-cl) write #line markers, which the tool reads, so
# its errors name the .r file or header and the line there. GCC writes only its own marker form,
# which the tool does not read; with GCC the markers are left out (-P) and errors name the
# generated .rr file.
#
# The tool is PROPWRIGHT_EXECUTABLE when that is set (a build of the tool for the build machine,
# e.g. when propwright comes in by add_subdirectory into a cross-compiled project), otherwise the
# target Propwright::propwright (from find_package(Propwright) or add_subdirectory); the same for
# the check with PROPWRIGHT_DUMP_EXECUTABLE and Propwright::propwright-dump.
include_guard(GLOBAL)
cmake_policy(PUSH)
cmake_policy(VERSION 3.16...3.27)

# Global, as the function is: this file is read once, the function may be called in any folder.
set_property(GLOBAL PROPERTY PROPWRIGHT_PREPROCESS_SCRIPT
  "${CMAKE_CURRENT_LIST_DIR}/PropwrightPreprocess.cmake")
set_property(GLOBAL PROPERTY PROPWRIGHT_CHECK_SCRIPT
  "${CMAKE_CURRENT_LIST_DIR}/PropwrightCheck.cmake")

# CHECK: propwright-dump --check on the linked target after every link.
function(_propwright_add_check target context)
  set(emulator "")
  if(PROPWRIGHT_DUMP_EXECUTABLE)
    set(dump "${PROPWRIGHT_DUMP_EXECUTABLE}")
  elseif(TARGET Propwright::propwright-dump)
    get_target_property(imported Propwright::propwright-dump IMPORTED)
    set(dump "$<TARGET_FILE:Propwright::propwright-dump>")
    if(NOT imported)
      get_target_property(built Propwright::propwright-dump ALIASED_TARGET)
      set(dump "$<TARGET_FILE:${built}>")
      add_dependencies(${target} ${built})
      if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
        string(REPLACE ";" "$<SEMICOLON>" emulator "${CMAKE_CROSSCOMPILING_EMULATOR}")
      endif()
    endif()
  else()
    message(FATAL_ERROR "${context}: CHECK needs Propwright::propwright-dump (find_package or "
      "add_subdirectory) or PROPWRIGHT_DUMP_EXECUTABLE")
  endif()
  get_property(check_script GLOBAL PROPERTY PROPWRIGHT_CHECK_SCRIPT)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_COMMAND}" "-DPROPWRIGHT_DUMP=${dump}" "-DPROPWRIGHT_EMULATOR=${emulator}"
      "-DPROPWRIGHT_FILE=$<TARGET_FILE:${target}>" -P "${check_script}"
    COMMENT "Checking that a host can load ${target}"
    VERBATIM)
endfunction()

function(propwright_add_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "CHECK" "ENCODING" "SOURCES;OPTIONS;INCLUDE_DIRECTORIES;DEFINITIONS")
  set(context "propwright_add_resources(${target})")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "${context}: unknown arguments: ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "${context}: there is no target ${target}")
  endif()
  if(NOT arg_SOURCES)
    message(FATAL_ERROR "${context}: no SOURCES given")
  endif()
  # The tool takes one option, and only after the source and the target.
  list(LENGTH arg_OPTIONS option_count)
  if(option_count GREATER 1 OR (option_count EQUAL 1 AND NOT arg_OPTIONS MATCHES "^-[jckxJCKX]$"))
    message(FATAL_ERROR "${context}: OPTIONS takes one of -j, -c, -k, -x; got: ${arg_OPTIONS}")
  endif()
  set(encoding_option "")
  if("ENCODING" IN_LIST arg_KEYWORDS_MISSING_VALUES)
    message(FATAL_ERROR "${context}: ENCODING takes UTF-8; got nothing")
  endif()
  if(DEFINED arg_ENCODING)
    if(NOT arg_ENCODING STREQUAL "UTF-8")
      message(FATAL_ERROR "${context}: ENCODING takes UTF-8; got: ${arg_ENCODING}")
    endif()
    set(encoding_option -u)
  endif()

  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if(NOT "RC" IN_LIST languages)
    message(FATAL_ERROR "${context}: the RC language is not enabled; "
      "use project(... LANGUAGES C RC) or enable_language(RC)")
  endif()
  if("C" IN_LIST languages)
    set(lang C)
  elseif("CXX" IN_LIST languages)
    set(lang CXX)
  else()
    message(FATAL_ERROR "${context}: enable C or CXX; its compiler preprocesses the .r files")
  endif()

  if(PROPWRIGHT_EXECUTABLE)
    set(tool "${PROPWRIGHT_EXECUTABLE}")
    set(tool_depends "${PROPWRIGHT_EXECUTABLE}")
  elseif(TARGET Propwright::propwright)
    get_target_property(imported Propwright::propwright IMPORTED)
    if(imported)
      # An installed tool runs on the build machine also when the project cross-compiles.
      set(tool "$<TARGET_FILE:Propwright::propwright>")
      set(tool_depends "$<TARGET_FILE:Propwright::propwright>")
    else()
      # Built here: by its name the command gets the target dependency and, when
      # cross-compiling, the CROSSCOMPILING_EMULATOR.
      get_target_property(tool Propwright::propwright ALIASED_TARGET)
      set(tool_depends ${tool})
    endif()
  else()
    message(FATAL_ERROR "${context}: no Propwright::propwright; call find_package(Propwright) "
      "or add_subdirectory() on the propwright sources first, or set PROPWRIGHT_EXECUTABLE")
  endif()

  set(compiler "${CMAKE_${lang}_COMPILER}")
  set(compiler_id "${CMAKE_${lang}_COMPILER_ID}")
  set(frontend "${CMAKE_${lang}_COMPILER_FRONTEND_VARIANT}")
  if(NOT frontend)
    if(compiler_id STREQUAL "MSVC")
      set(frontend MSVC)
    else()
      set(frontend GNU)
    endif()
  endif()
  set(compiler_args "")
  if(CMAKE_${lang}_COMPILER_ARG1)
    separate_arguments(compiler_args NATIVE_COMMAND "${CMAKE_${lang}_COMPILER_ARG1}")
  endif()

  set(definitions MSWindows=1 ${arg_DEFINITIONS})
  set(include_dirs "")
  foreach(dir IN LISTS arg_INCLUDE_DIRECTORIES)
    get_filename_component(dir "${dir}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND include_dirs "${dir}")
  endforeach()

  if(frontend STREQUAL "MSVC")
    get_property(preprocess_script GLOBAL PROPERTY PROPWRIGHT_PREPROCESS_SCRIPT)
    set(flags ${compiler_args} /nologo)
    if(compiler_id MATCHES "Clang")
      # clang-cl writes GNU markers unless asked for #line.
      list(APPEND flags -Xclang -fuse-line-directives)
      if(CMAKE_${lang}_COMPILER_TARGET)
        list(APPEND flags "--target=${CMAKE_${lang}_COMPILER_TARGET}")
      endif()
    endif()
    foreach(definition IN LISTS definitions)
      list(APPEND flags "/D${definition}")
    endforeach()
    foreach(dir IN LISTS include_dirs)
      list(APPEND flags "/I${dir}")
    endforeach()
    string(REPLACE ";" "$<SEMICOLON>" flags "${flags}")
  else()
    set(flags ${compiler_args} -E)
    if(compiler_id MATCHES "Clang")
      list(APPEND flags -fuse-line-directives)
      if(CMAKE_${lang}_COMPILER_TARGET)
        list(APPEND flags "--target=${CMAKE_${lang}_COMPILER_TARGET}")
      endif()
    else()
      list(APPEND flags -P)
    endif()
    list(APPEND flags -x c)
    foreach(definition IN LISTS definitions)
      list(APPEND flags "-D${definition}")
    endforeach()
    foreach(dir IN LISTS include_dirs)
      list(APPEND flags "-I${dir}")
    endforeach()
  endif()

  # Where the build tool cannot read a dependency file, headers are tracked another way or not.
  set(use_depfile ON)
  if(CMAKE_VERSION VERSION_LESS 3.20 AND CMAKE_GENERATOR MATCHES "Makefiles")
    set(use_depfile OFF)
  elseif(CMAKE_VERSION VERSION_LESS 3.21 AND CMAKE_GENERATOR MATCHES "Visual Studio|Xcode")
    set(use_depfile OFF)
  endif()

  # rc and llvm-rc read the converted characters (Windows-1252) only with that code page;
  # windres takes the bytes as they are.
  set(code_page "")
  get_filename_component(rc_name "${CMAKE_RC_COMPILER}" NAME)
  if(NOT rc_name MATCHES "windres")
    set(code_page /c1252)
  endif()

  set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/propwright/${target}")
  foreach(source IN LISTS arg_SOURCES)
    get_filename_component(source_path "${source}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    file(RELATIVE_PATH relative "${CMAKE_CURRENT_SOURCE_DIR}" "${source_path}")
    if(IS_ABSOLUTE "${relative}" OR relative MATCHES "^\\.\\./")
      get_filename_component(relative "${source_path}" NAME)
    endif()
    string(REGEX REPLACE "\\.[^./]*$" "" stem "${relative}")
    set(rr "${out_dir}/${stem}.rr")
    set(rc "${out_dir}/${stem}.rc")
    set(depfile "${out_dir}/${stem}.rr.d")
    get_filename_component(stem_dir "${rr}" DIRECTORY)
    file(MAKE_DIRECTORY "${stem_dir}")

    set(depfile_args "")
    if(frontend STREQUAL "MSVC")
      set(command "${CMAKE_COMMAND}" "-DPROPWRIGHT_CC=${compiler}" "-DPROPWRIGHT_FLAGS=${flags}"
        "-DPROPWRIGHT_SOURCE=${source_path}" "-DPROPWRIGHT_OUTPUT=${rr}"
        "-DPROPWRIGHT_DEPFILE=${depfile}" "-DPROPWRIGHT_NOTE=${CMAKE_CL_SHOWINCLUDES_PREFIX}"
        -P "${preprocess_script}")
      set(extra_depends "${preprocess_script}")
      if(use_depfile)
        set(depfile_args DEPFILE "${depfile}")
      endif()
    else()
      set(command "${compiler}" ${flags})
      set(extra_depends "")
      if(use_depfile)
        list(APPEND command -MD -MF "${depfile}" -MT "${rr}")
        set(depfile_args DEPFILE "${depfile}")
      elseif(CMAKE_GENERATOR MATCHES "Makefiles")
        set(depfile_args IMPLICIT_DEPENDS C "${source_path}")
      endif()
      list(APPEND command -o "${rr}" "${source_path}")
    endif()

    add_custom_command(OUTPUT "${rr}"
      COMMAND ${command}
      DEPENDS "${source_path}" ${extra_depends}
      ${depfile_args}
      COMMENT "Preprocessing ${relative}"
      VERBATIM)
    add_custom_command(OUTPUT "${rc}"
      COMMAND ${tool} "${rr}" "${rc}" ${arg_OPTIONS} ${encoding_option}
      DEPENDS "${rr}" ${tool_depends}
      COMMENT "Converting ${stem}.rr into a resource script"
      VERBATIM)
    target_sources(${target} PRIVATE "${rc}")
    if(code_page)
      set_property(SOURCE "${rc}" APPEND PROPERTY COMPILE_OPTIONS ${code_page})
    endif()
  endforeach()
  if(arg_CHECK)
    _propwright_add_check(${target} "${context}")
  endif()
endfunction()

cmake_policy(POP)
