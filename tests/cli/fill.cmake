# shirl-cli fill: every case folder under tests/data/fill holds a contest
# log (input.log, Cabrillo, or input.adi), logbook.adi, args (the options),
# purpose (what the case is for),
# and the expected filled logbook and report; the run writes output.adi in
# a scratch folder, and both must match byte for byte. Then the command's
# usage errors and refusals.
#
# Run by CTest with -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

file(GLOB entries LIST_DIRECTORIES true "${SRC}/tests/data/fill/*")
set(cases 0)
foreach(dir IN LISTS entries)
  if(NOT IS_DIRECTORY "${dir}")
    continue()
  endif()
  get_filename_component(name "${dir}" NAME)
  math(EXPR cases "${cases} + 1")
  file(READ "${dir}/args" args)
  string(STRIP "${args}" args)
  separate_arguments(args UNIX_COMMAND "${args}")
  set(contest "${dir}/input.adi")
  if(EXISTS "${dir}/input.log")
    set(contest "${dir}/input.log")
  endif()
  set(work "${WORK}/${name}")
  file(REMOVE_RECURSE "${work}")
  file(MAKE_DIRECTORY "${work}")
  execute_process(
    COMMAND "${CLI}" fill ${args} --from "${contest}" "${dir}/logbook.adi" output.adi
    WORKING_DIRECTORY "${work}"
    OUTPUT_FILE "${work}/report.txt"
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: shirl-cli fill exited with ${status}: ${errors}")
  endif()
  foreach(pair "expected.adi|output.adi" "expected-report.txt|report.txt")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 expected)
    list(GET pair 1 actual)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${dir}/${expected}" "${work}/${actual}"
                    RESULT_VARIABLE different)
    if(different)
      file(READ "${dir}/purpose" purpose)
      message(FATAL_ERROR "${name} (${purpose}): ${work}/${actual} differs from ${dir}/${expected}")
    endif()
  endforeach()
endforeach()
if(cases EQUAL 0)
  message(FATAL_ERROR "no fill cases found under ${SRC}/tests/data/fill")
endif()

function(expect_fill status stdout_regex stderr_regex)
  execute_process(
    COMMAND "${CLI}" fill ${ARGN}
    WORKING_DIRECTORY "${WORK}"
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL status OR NOT out MATCHES "${stdout_regex}" OR NOT err MATCHES "${stderr_regex}")
    message(FATAL_ERROR "fill ${ARGN}: exit ${rc} (expected ${status})\nstdout: ${out}\nstderr: ${err}")
  endif()
endfunction()

set(case "${SRC}/tests/data/fill/alabama-logbook")
file(COPY "${case}/logbook.adi" DESTINATION "${WORK}")
file(READ "${WORK}/logbook.adi" logbook_before HEX)
expect_fill(0 "^Usage: shirl-cli fill --selection CODE" "^$" --help)
expect_fill(2 "^$" "^shirl-cli: fill: missing --from" --selection AL logbook.adi out.adi)
expect_fill(2 "^$" "^shirl-cli: fill: missing LOGBOOK and OUTPUT" --selection AL --from "${case}/input.log" logbook.adi)
expect_fill(2 "^$" "^shirl-cli: fill: --window needs MINUTES" --selection AL --window x --from "${case}/input.log" logbook.adi out.adi)
expect_fill(2 "^$" "^shirl-cli: fill: --county-lines needs copies or usaca" --selection AL --county-lines both --from "${case}/input.log" logbook.adi out.adi)
expect_fill(1 "^$" "^ERROR: Input and output file names must be different.\n$" --selection AL --from "${case}/input.log" logbook.adi ./logbook.adi)
if(NOT WIN32)
  file(CREATE_LINK logbook.adi "${WORK}/link.adi" SYMBOLIC)
  expect_fill(1 "^$" "^ERROR: Input and output file names must be different.\n$" --selection AL --from "${case}/input.log" logbook.adi link.adi)
endif()
expect_fill(1 "^$" "^ERROR: Could not open the logbook.\n$" --selection AL --from "${case}/input.log" missing.adi out.adi)
expect_fill(1 "^$" "^ERROR: (The logbook is read twice: give it as a file.|Could not open the logbook.)\n$" --selection AL --from "${case}/input.log" /dev/null out.adi)
expect_fill(1 "^$" "is not an ADIF log.\n$" --selection AL --from "${case}/input.log" "${case}/input.log" out.adi)
# With the one-record form the line QSO's record lists both counties and nothing is added.
expect_fill(0 "Added 0 records for county lines.\n" "^$" --selection AL --county-lines usaca --from "${case}/input.log" logbook.adi out.adi)
file(READ "${WORK}/out.adi" usaca)
if(NOT usaca MATCHES "<USACA_COUNTIES:20>AL,Blount:AL,Cullman" OR usaca MATCHES "AL,Cullman <STATE")
  message(FATAL_ERROR "--county-lines usaca: the line QSO's record is not one record with USACA_COUNTIES")
endif()
# A narrower window leaves the minutes-apart QSO out.
expect_fill(0 "Not in the logbook: W4ABC 2024-06-01 14:05 40m CW\n" "^$" --selection AL --window 2 --from "${case}/input.log" logbook.adi out.adi)
file(READ "${WORK}/logbook.adi" logbook_after HEX)
if(NOT logbook_after STREQUAL logbook_before)
  message(FATAL_ERROR "fill changed the logbook it read")
endif()
message(STATUS "${cases} fill cases and the command-line checks passed")
