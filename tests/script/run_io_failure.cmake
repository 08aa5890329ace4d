# Runs the script driver with standard input that cannot be read (a folder) or standard
# output that cannot be written (/dev/full) and expects exit status 2 with a message.
#   cmake -DDRIVER=... -DINPUT=... -DOUTPUT=... -DMESSAGE=... -P run_io_failure.cmake
execute_process(COMMAND ${DRIVER} INPUT_FILE ${INPUT} OUTPUT_FILE ${OUTPUT}
                ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc STREQUAL "2")
  message(SEND_ERROR "exit status ${rc}, expected 2")
endif()
string(FIND "${err}" "${MESSAGE}" at)
if(at EQUAL -1)
  message(SEND_ERROR "standard error lacks \"${MESSAGE}\":\n${err}")
endif()
