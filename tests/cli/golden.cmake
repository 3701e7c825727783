# The command line around the conversion: help, usage errors (exit 2) and
# failed checks (exit 1, the message on stderr). The golden cases themselves
# are tests of their own (golden.<case>, tests/cli/golden/case.cmake).
#
# Run by CTest with -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

foreach(var CLI SRC WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "golden.cmake needs -D${var}=...")
  endif()
endforeach()
file(MAKE_DIRECTORY "${WORK}")

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
expect_cli(1 "^$" "^ERROR: Could not open input file.\n$" --selection AL missing.adi out.adi)
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
