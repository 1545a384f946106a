# Install rules, the CMake package (imported executables Propwright::propwright and
# Propwright::propwright-dump, and propwright_add_resources) and the Debian package. Included from the top CMakeLists.txt after
# the propwright target exists.

# The same name inside a build that adds this project with add_subdirectory.
add_executable(Propwright::propwright ALIAS propwright)
add_executable(Propwright::propwright-dump ALIAS propwright-dump)
include(${CMAKE_CURRENT_LIST_DIR}/PropwrightResources.cmake)

# A project that adds this one with add_subdirectory usually does not want the tool in its own
# installation or package.
if(CMAKE_SOURCE_DIR STREQUAL CMAKE_CURRENT_SOURCE_DIR)
  set(_propwright_top_level ON)
else()
  set(_propwright_top_level OFF)
endif()
option(PROPWRIGHT_INSTALL "Install rules and the Debian package configuration" ${_propwright_top_level})
if(NOT PROPWRIGHT_INSTALL)
  return()
endif()

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Always lib/cmake, not the multiarch library folder: the package describes a build tool, not a
# library, and find_package looks there under every prefix.
set(PROPWRIGHT_INSTALL_CMAKEDIR "lib/cmake/Propwright" CACHE STRING
  "Folder below the prefix for the CMake package files")

# Windows has no man: the package holds the manuals as text, built with the programs (when
# groff is found).
set(PROPWRIGHT_MANUALS_TEXT "")
if(WIN32)
  find_program(PROPWRIGHT_GROFF groff)
  mark_as_advanced(PROPWRIGHT_GROFF)
  if(NOT PROPWRIGHT_GROFF)
    message(WARNING "groff not found: the Windows package will hold no manuals (Debian: groff-base)")
  endif()
endif()
if(WIN32 AND PROPWRIGHT_GROFF)
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
endif()

# The second tool reads compiled resources back and checks built plug-ins (CHECK).
install(TARGETS propwright propwright-dump EXPORT PropwrightTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Windows: doc/ with the README and the manuals as text (no man there).
if(WIN32)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/README.md ${PROPWRIGHT_MANUALS_TEXT} DESTINATION doc)
else()
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/doc/propwright.1
    ${CMAKE_CURRENT_SOURCE_DIR}/doc/propwright-dump.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

install(EXPORT PropwrightTargets NAMESPACE Propwright:: FILE PropwrightTargets.cmake
  DESTINATION ${PROPWRIGHT_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/PropwrightConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/PropwrightConfig.cmake
  INSTALL_DESTINATION ${PROPWRIGHT_INSTALL_CMAKEDIR})
# The tool runs on the build machine whatever the consumer targets, so a 32-bit or
# cross-compiling consumer may use it too.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/PropwrightConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/PropwrightConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/PropwrightConfigVersion.cmake
  ${CMAKE_CURRENT_LIST_DIR}/PropwrightResources.cmake
  ${CMAKE_CURRENT_LIST_DIR}/PropwrightPreprocess.cmake
  ${CMAKE_CURRENT_LIST_DIR}/PropwrightCheck.cmake
  DESTINATION ${PROPWRIGHT_INSTALL_CMAKEDIR})

set(CPACK_PACKAGE_NAME propwright)
set(CPACK_PACKAGE_VENDOR "Propwright")
set(CPACK_PACKAGE_CONTACT "Propwright maintainers <maintainers@propwright.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Converts plug-in resource descriptions (.r) into Windows resource scripts (.rc)")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(WIN32)
  # propwright-<version>-win64.zip holding bin/, doc/ and lib/ at its top, as installed.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cpp, binutils-mingw-w64-x86-64 | llvm")
find_program(PROPWRIGHT_DPKG_SHLIBDEPS dpkg-shlibdeps)
mark_as_advanced(PROPWRIGHT_DPKG_SHLIBDEPS)
if(PROPWRIGHT_DPKG_SHLIBDEPS AND NOT CMAKE_CROSSCOMPILING)
  # The package's Depends then name the C and C++ runtime versions the tool was linked with
  # (none when the programs are linked statically, PROPWRIGHT_STATIC_RUNTIME).
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
