# One golden case: runs `shirl-cli convert` on the case folder CASE (under
# tests/data/golden) and compares the written log and the printed report
# with the expected files, byte for byte.
#
# A case folder holds purpose (one line: what the case is for), input.adi (or
# input.log, a Cabrillo log), args (one line: the options, such as
# "--selection AL --no-mobile"), expected.adi and expected-report.txt, and
# any abbreviation lists (*.csv) that args names: they are copied into the
# scratch folder, so that args names them by file name alone.
# The output is written as "output.adi" in a scratch folder, so the Wrote
# line of every report names that file. A case with expected-map.svg also
# writes the map (--map map.svg) and compares it.
#
# Run by CTest with -DCLI=<shirl-cli> -DCASE=<case folder> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

foreach(var CLI CASE WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "case.cmake needs -D${var}=...")
  endif()
endforeach()

# A log made from a Cabrillo log names the program's version in its header:
# @SHIRL_VERSION@ and @SHIRL_VERSION_LENGTH@ of an expected file stand for it.
execute_process(COMMAND "${CLI}" --version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX REPLACE "^shirl-cli " "" version "${version}")
string(LENGTH "${version}" version_length)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
# (Compared as hexadecimal text: file(READ) without HEX drops carriage returns.)
function(hex_of text out)
  file(WRITE "${WORK}/hex.tmp" "${text}")
  file(READ "${WORK}/hex.tmp" hex HEX)
  file(REMOVE "${WORK}/hex.tmp")
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()
hex_of("@SHIRL_VERSION_LENGTH@" length_placeholder)
hex_of("${version_length}" length_hex)
hex_of("@SHIRL_VERSION@" version_placeholder)
hex_of("${version}" version_hex)

get_filename_component(name "${CASE}" NAME)
file(READ "${CASE}/args" args)
string(STRIP "${args}" args)
separate_arguments(args UNIX_COMMAND "${args}")
# (expected.adi is compared below, its version placeholders filled in.)
set(pairs "expected-report.txt|report.txt")
if(EXISTS "${CASE}/expected-map.svg")
  list(APPEND args --map map.svg)
  list(APPEND pairs "expected-map.svg|map.svg")
endif()

set(input "${CASE}/input.adi")
if(EXISTS "${CASE}/input.log")
  set(input "${CASE}/input.log")
endif()
file(GLOB lists "${CASE}/*.csv")
if(lists)
  file(COPY ${lists} DESTINATION "${WORK}")
endif()
execute_process(
  COMMAND "${CLI}" convert ${args} "${input}" output.adi
  WORKING_DIRECTORY "${WORK}"
  OUTPUT_FILE "${WORK}/report.txt"
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${name}: shirl-cli exited with ${status}: ${errors}")
endif()

set(failed FALSE)
file(READ "${CASE}/expected.adi" expected_log HEX)
string(REPLACE "${length_placeholder}" "${length_hex}" expected_log "${expected_log}")
string(REPLACE "${version_placeholder}" "${version_hex}" expected_log "${expected_log}")
file(READ "${WORK}/output.adi" written_log HEX)
if(NOT written_log STREQUAL expected_log)
  message(SEND_ERROR "${name}: ${WORK}/output.adi differs from ${CASE}/expected.adi")
  set(failed TRUE)
endif()
foreach(pair IN LISTS pairs)
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 expected)
  list(GET pair 1 actual)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E compare_files "${CASE}/${expected}" "${WORK}/${actual}"
    RESULT_VARIABLE different)
  if(different)
    message(SEND_ERROR "${name}: ${WORK}/${actual} differs from ${CASE}/${expected}")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  set(purpose "")
  if(EXISTS "${CASE}/purpose")
    file(READ "${CASE}/purpose" purpose)
    string(STRIP "${purpose}" purpose)
  endif()
  message(FATAL_ERROR "golden case ${name} failed; it checks: ${purpose}")
endif()
