# The CHECK step of propwright_add_resources, run after each link:
#   cmake -DPROPWRIGHT_DUMP=<propwright-dump> [-DPROPWRIGHT_EMULATOR=<runner>] \
#         -DPROPWRIGHT_FILE=<linked plug-in> -P PropwrightCheck.cmake
# Runs propwright-dump --check, whose findings go to the build log. On an error the plug-in is
# removed: the link step then counts as not done, with every generator, and the next build
# links and checks again instead of taking the failed file for up to date.
cmake_minimum_required(VERSION 3.16)
execute_process(COMMAND ${PROPWRIGHT_EMULATOR} "${PROPWRIGHT_DUMP}" --check "${PROPWRIGHT_FILE}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${PROPWRIGHT_FILE}")
  message(FATAL_ERROR "propwright-dump --check: a host would not load ${PROPWRIGHT_FILE} "
    "(status ${status}); the file is removed")
endif()
