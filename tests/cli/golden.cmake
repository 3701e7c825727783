# Golden files: runs `shirl-cli convert` on every case folder under
# tests/data/golden and compares the written log and the printed report
# with the expected files, byte for byte.
#
# A case folder holds input.adi (or input.log, a Cabrillo log), args (one line: the options, such as
# "--selection AL --no-mobile"), expected.adi and expected-report.txt, and
# any abbreviation lists (*.csv) that args names: they are copied into the
# scratch folder, so that args names them by file name alone.
# The output is written as "output.adi" in a scratch folder, so the Wrote
# line of every report names that file. A case with expected-map.svg also
# writes the map (--map map.svg) and compares it.
#
# Run by CTest with -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

foreach(var CLI SRC WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "golden.cmake needs -D${var}=...")
  endif()
endforeach()

# A log made from a Cabrillo log names the program's version in its header:
# @SHIRL_VERSION@ and @SHIRL_VERSION_LENGTH@ of an expected file stand for it.
execute_process(COMMAND "${CLI}" --version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX REPLACE "^shirl-cli " "" version "${version}")
string(LENGTH "${version}" version_length)
# (Compared as hexadecimal text: file(READ) without HEX drops carriage returns.)
function(hex_of text out)
  file(WRITE "${WORK}/hex.tmp" "${text}")
  file(READ "${WORK}/hex.tmp" hex HEX)
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()
hex_of("@SHIRL_VERSION_LENGTH@" length_placeholder)
hex_of("${version_length}" length_hex)
hex_of("@SHIRL_VERSION@" version_placeholder)
hex_of("${version}" version_hex)

file(GLOB entries LIST_DIRECTORIES true "${SRC}/tests/data/golden/*")
set(cases 0)
set(failed "")
foreach(dir IN LISTS entries)
  if(NOT IS_DIRECTORY "${dir}")
    continue()
  endif()
  get_filename_component(name "${dir}" NAME)
  math(EXPR cases "${cases} + 1")

  file(READ "${dir}/args" args)
  string(STRIP "${args}" args)
  separate_arguments(args UNIX_COMMAND "${args}")
  # (expected.adi is compared above, its version placeholders filled in.)
  set(pairs "expected-report.txt|report.txt")
  if(EXISTS "${dir}/expected-map.svg")
    list(APPEND args --map map.svg)
    list(APPEND pairs "expected-map.svg|map.svg")
  endif()

  set(input "${dir}/input.adi")
  if(EXISTS "${dir}/input.log")
    set(input "${dir}/input.log")
  endif()
  set(work "${WORK}/${name}")
  file(REMOVE_RECURSE "${work}")
  file(MAKE_DIRECTORY "${work}")
  file(GLOB lists "${dir}/*.csv")
  if(lists)
    file(COPY ${lists} DESTINATION "${work}")
  endif()
  execute_process(
    COMMAND "${CLI}" convert ${args} "${input}" output.adi
    WORKING_DIRECTORY "${work}"
    OUTPUT_FILE "${work}/report.txt"
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "${name}: shirl-cli exited with ${status}: ${errors}")
    list(APPEND failed "${name}")
    continue()
  endif()

  file(READ "${dir}/expected.adi" expected_log HEX)
  string(REPLACE "${length_placeholder}" "${length_hex}" expected_log "${expected_log}")
  string(REPLACE "${version_placeholder}" "${version_hex}" expected_log "${expected_log}")
  file(READ "${work}/output.adi" written_log HEX)
  if(NOT written_log STREQUAL expected_log)
    message(SEND_ERROR "${name}: ${work}/output.adi differs from ${dir}/expected.adi")
    list(APPEND failed "${name}")
  endif()
  foreach(pair IN LISTS pairs)
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 expected)
    list(GET pair 1 actual)
    execute_process(
      COMMAND "${CMAKE_COMMAND}" -E compare_files "${dir}/${expected}" "${work}/${actual}"
      RESULT_VARIABLE different)
    if(different)
      message(SEND_ERROR "${name}: ${work}/${actual} differs from ${dir}/${expected}")
      list(APPEND failed "${name}")
    endif()
  endforeach()
endforeach()

if(cases EQUAL 0)
  message(FATAL_ERROR "no golden cases found under ${SRC}/tests/data/golden")
endif()
if(failed)
  list(REMOVE_DUPLICATES failed)
  message(FATAL_ERROR "golden cases failed: ${failed}")
endif()
message(STATUS "${cases} golden cases passed")

# The command line around the conversion: help, usage errors (exit 2) and
# failed checks (exit 1, the message on stderr).
function(expect_cli status stdout_regex stderr_regex)
  execute_process(
    COMMAND "${CLI}" convert ${ARGN}
    WORKING_DIRECTORY "${WORK}"
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL status OR NOT out MATCHES "${stdout_regex}" OR NOT err MATCHES "${stderr_regex}")
    message(FATAL_ERROR "convert ${ARGN}: exit ${rc} (expected ${status})\nstdout: ${out}\nstderr: ${err}")
  endif()
endfunction()

set(sample "${SRC}/tests/data/golden/headerless/input.adi")
expect_cli(0 "^Usage: shirl-cli convert --selection CODE" "^$" --help)
expect_cli(2 "^$" "^shirl-cli: .*\n$" --selection XX "${sample}" out.adi)
expect_cli(2 "^$" "^shirl-cli: .*\n$" --selection AL "${sample}")
expect_cli(2 "^$" "^shirl-cli: .*\n$" --selection AL --frobnicate "${sample}" out.adi)
expect_cli(2 "^$" "^ERROR: You must select a state or QSO Party.\n$" "${sample}" out.adi)
expect_cli(1 "^$" "^ERROR: Could not open input file. missing.adi: there is no such file.\n$" --selection AL missing.adi out.adi)
expect_cli(1 "^$" "^ERROR: Input and output file names must be different.\n$" --selection AL "${sample}" "${sample}")
file(WRITE "${WORK}/notes.txt" "Worked W1AW on 20m.\n")
expect_cli(1 "^$" "^ERROR: notes.txt is neither an ADIF log nor a Cabrillo log.\n$" --selection AL notes.txt out.adi)
expect_cli(0 "Converted 2 Alabama counties.\nWrote 2 QSOs to out.adi\n\n$" "^$" --selection=al --no-mobile "${sample}" out.adi)
expect_cli(2 "^$" "^shirl-cli: .*--map takes only auto" --selection AL --map m.svg --output-dir dir "${sample}")
expect_cli(1 "Wrote 2 QSOs" "^ERROR: Could not write map file no-such-folder/m.svg.\n$"
           --selection AL --map no-such-folder/m.svg "${sample}" out.adi)
expect_cli(0 "Wrote 2 QSOs to out.adi" "^$" --selection AL --map auto "${sample}" out.adi)
if(NOT EXISTS "${WORK}/out-map.svg")
  message(FATAL_ERROR "--map auto wrote no out-map.svg beside out.adi")
endif()
message(STATUS "command-line checks passed")
