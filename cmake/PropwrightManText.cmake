# Formats a man page as plain ASCII text with Windows line ends, for the Windows package:
#   cmake -DGROFF=<groff> -DINPUT=<page.1> -DOUTPUT=<page.txt> -P PropwrightManText.cmake
# The text goes to a temporary file beside OUTPUT and is moved into place only when groff
# succeeded without a warning, so a failed run leaves no partial or stray file.
execute_process(COMMAND "${GROFF}" -man -Tascii -P-cbou -rHY=0 -ww "${INPUT}"
  OUTPUT_VARIABLE text ERROR_VARIABLE warnings RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff failed on ${INPUT} (${status}): ${warnings}")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUTPUT}.tmp" "${text}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
