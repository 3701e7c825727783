# shirl-cli's one option parser: every command reports the same option
# problem with the same message (after its own name), exit status 2 and
# nothing on stdout; --help wins where it is reached first.
# Run by CTest: cmake -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir> -P options.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT CLI)
  message(FATAL_ERROR "CLI not given")
endif()
set(failures 0)

# case: command | arguments (, separated) | exit status | stderr (regex) | stdout (regex)
set(cases
  "convert|--selection|2|^shirl-cli: convert: --selection needs a CODE|^$"
  "lookup|--selection|2|^shirl-cli: lookup: --selection needs a CODE|^$"
  "abbreviations|--selection|2|^shirl-cli: abbreviations: --selection needs a CODE|^$"
  "convert|--selection=XX,a,b|2|^shirl-cli: convert: unknown Selection code 'XX'. 'shirl-cli selections' lists|^$"
  "convert|--selection=AL,--map,-,a,b|2|^shirl-cli: convert: --map takes a FILE or auto, not -|^$"
  "convert|--selection=AL,--map=auto,a,-|2|^shirl-cli: convert: --map auto needs an OUTPUT file|^$"
  "convert|--selection=AL,--output-dir,.,-|2|^shirl-cli: convert: with --output-dir, INPUT cannot be -|^$"
  "lookup|--selection,xx,AUTA|2|^shirl-cli: lookup: unknown Selection code 'xx'|^$"
  "abbreviations|--selection=Q|2|^shirl-cli: abbreviations: unknown Selection code 'Q'|^$"
  "convert|--selection,AL,--selection=PA,a,b|2|^shirl-cli: convert: --selection given twice|^$"
  "lookup|--selection=AL,--selection=AL,X|2|^shirl-cli: lookup: --selection given twice|^$"
  "lookup|--no-mobile,--selection=AL,X|2|^shirl-cli: lookup: unknown option '--no-mobile'|^$"
  "selections|--selection=AL|2|^shirl-cli: selections: unknown option '--selection=AL'|^$"
  "counties|extra|2|^shirl-cli: counties: unexpected argument 'extra'|^$"
  "abbreviations||2|^shirl-cli: abbreviations: missing --selection CODE|^$"
  "lookup|--selection=AL|2|^shirl-cli: lookup: missing ABBREV|^$"
  "convert|--selection=AL,only-one|2|^shirl-cli: convert: missing INPUT and OUTPUT|^$"
  "convert|a,b,c|2|^shirl-cli: convert: takes only INPUT and OUTPUT|^$"
  "convert|--frobnicate,--help|2|^shirl-cli: convert: unknown option '--frobnicate'|^$"
  "counties|extra,--help|0|^$|^Usage: shirl-cli counties"
  "lookup|-h,--frobnicate|0|^$|^Usage: shirl-cli lookup"
  "lookup|--selection=al,--,--help|0|^$|^--help\tnone\t"
  "lookup|--selection=AL,-|0|^$|^-\tnone\t")

foreach(case IN LISTS cases)
  string(REPLACE "|" ";" cols "${case}")
  list(GET cols 0 command)
  list(GET cols 1 args)
  list(GET cols 2 status)
  list(GET cols 3 expect_err)
  list(GET cols 4 expect_out)
  string(REPLACE "," ";" args "${args}")
  execute_process(COMMAND "${CLI}" ${command} ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r\n" "\n" err "${err}")
  if(NOT rc STREQUAL status OR NOT err MATCHES "${expect_err}" OR NOT out MATCHES "${expect_out}")
    message(SEND_ERROR "${command} ${args}: exit ${rc} (expected ${status})\n  stderr: ${err}\n  stdout: ${out}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} case(s) failed")
endif()
