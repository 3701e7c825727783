# shirl-cli lookup: the documented lookup examples byte for byte, and the usage errors.
# Run by CTest: cmake -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir> -P lookup.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT CLI)
  message(FATAL_ERROR "CLI not given")
endif()
if(WORK)
  file(MAKE_DIRECTORY "${WORK}")
endif()

set(failures 0)

# expect_lookup(NAME EXPECTED_STDOUT ARG...): shirl-cli lookup ARG... must exit
# with 0, print EXPECTED_STDOUT exactly and nothing on stderr.
function(expect_lookup name expected)
  execute_process(COMMAND "${CLI}" lookup ${ARGN}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(CLI MATCHES "\\.exe$")
    # A Windows program writes its console text with CR LF line ends.
    string(REPLACE "\r\n" "\n" out "${out}")
  endif()
  if(NOT rc STREQUAL "0" OR NOT out STREQUAL expected OR NOT err STREQUAL "")
    string(REPLACE "\t" "<TAB>" shown_out "${out}")
    string(REPLACE "\t" "<TAB>" shown_expected "${expected}")
    message(SEND_ERROR "${name}: lookup ${ARGN}\n  exit status: ${rc} (expected 0)\n"
                       "  stdout:\n${shown_out}\n  expected:\n${shown_expected}\n  stderr:\n${err}")
    math(EXPR f "${failures} + 1")
    set(failures ${f} PARENT_SCOPE)
  endif()
endfunction()

# expect_usage_error(NAME ARG...): exit status 2, nothing on stdout, exactly
# one line on stderr that starts with "shirl-cli: ".
function(expect_usage_error name)
  execute_process(COMMAND "${CLI}" lookup ${ARGN}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r\n" "\n" err "${err}")
  string(REGEX MATCHALL "\n" newlines "${err}")
  list(LENGTH newlines lines)
  if(NOT rc STREQUAL "2" OR NOT out STREQUAL "" OR NOT lines EQUAL 1 OR NOT err MATCHES "^shirl-cli: [^\n]+\n$")
    message(SEND_ERROR "${name}: lookup ${ARGN}\n  exit status: ${rc} (expected 2)\n"
                       "  stdout:\n${out}\n  stderr:\n${err}")
    math(EXPR f "${failures} + 1")
    set(failures ${f} PARENT_SCOPE)
  endif()
endfunction()

# As a conversion would: found twice, lower case upper-cased first, DC with
# both of its rows, MDC, a state code, DX left alone.
expect_lookup(alabama
  "AUTA\tcounty\tAL,Autauga\t\nAUT\tcounty\tAL,Autauga\t\njeff\tcounty\tAL,Jefferson\t\nDC\tnone\t\t(no call): DC is not a US state. WARNING: (no call) in DC is not a valid Alabama county abbreviation.\nMDC\tstate\tMD\t\nMD\tstate\tMD\t\ndx\tsilent\t\t\n"
  --selection al AUTA AUT jeff DC MDC MD dx)
# The Canadian rule needs the callsign: a province alias from a Canadian station passes.
expect_lookup(canadian_call
  "PEI\tsilent\t\t\n"
  --selection NEQP --call VE1ABC PEI)

# Every documented lookup edge case.
expect_lookup(pennsylvania
  "ADA\tcounty\tPA,Adams\t\nEMA\tstate\tMA\t\nONS\tnone\t\tWARNING: (no call) in ONS is not a valid Pennsylvania county abbreviation.\n"
  --selection PA ADA EMA ONS)
expect_lookup(virginia_city
  "ALX\tstate\tVA\t(no call): ALX is the independent city of Alexandria city, VA (not a county).\n"
  --selection va ALX)
expect_lookup(nevada_city
  "CAR\tstate\tNV\t(no call): CAR is the independent city of Carson City, NV (not a county).\n"
  --selection NV CAR)
expect_lookup(seven_land_city
  "NVCAR\tstate\tNV\t(no call): NVCAR is the independent city of Carson City, NV (not a county).\n"
  --selection 7qp NVCAR)
expect_lookup(multi
  "KDE\tcounty\tDE,Kent\t\nALAUTA\tcounty\tAL,Autauga\t\nNVCAR\tstate\tNV\t(no call): NVCAR is the independent city of Carson City, NV (not a county).\n"
  --selection Multi KDE ALAUTA NVCAR)
expect_lookup(new_england_region
  "CTCAP\tsilent\t\t\n"
  --selection NEQP CTCAP)
expect_lookup(alaska_unsupported
  "AUTA\tnone\t\t(no call): AK is unsupported at this time.\n"
  --selection AK AUTA)
expect_lookup(british_columbia_mdc
  "MDC\tstate\tMD\t(no call): BC is unsupported at this time.\n"
  --selection bc MDC)
expect_lookup(us_counties
  "AUTAL\tcounty\tAL,Autauga\t\n"
  --selection uScQp AUTAL)
# The empty abbreviation (written out here: a function's ARGN drops empty
# arguments).
execute_process(COMMAND "${CLI}" lookup --selection=AL "" AUTA
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(CLI MATCHES "\\.exe$")
  string(REPLACE "\r\n" "\n" out "${out}")
endif()
if(NOT rc STREQUAL "0" OR NOT out STREQUAL "\tsilent\t\t\nAUTA\tcounty\tAL,Autauga\t\n" OR NOT err STREQUAL "")
  message(SEND_ERROR "empty_abbreviation: exit status ${rc}\n  stdout:\n${out}\n  stderr:\n${err}")
  math(EXPR failures "${failures} + 1")
endif()
# "--" ends the options: an abbreviation may begin with "-".
expect_lookup(dash_abbreviation
  "--help\tnone\t\tWARNING: (no call) in --help is not a valid Alabama county abbreviation.\n"
  --selection AL -- --help)
# A county line written in one value: every county, as a conversion makes
# them, and no warning; a part that is no county leaves the value whole.
expect_lookup(county_line
  "DAD/BRO\tcounty\tFL,Miami-Dade/FL,Broward\t\nDAD/XYZ\tnone\t\tWARNING: (no call) in DAD/XYZ is not a valid Florida county abbreviation.\n"
  --selection FL DAD/BRO DAD/XYZ)
# Options after the abbreviations.
expect_lookup(option_last
  "KEN\tcounty\tDE,Kent\t\n"
  KEN --selection de)

# Usage errors: exit status 2, one line on stderr.
expect_usage_error(no_arguments)
expect_usage_error(no_selection AUTA)
expect_usage_error(selection_without_code --selection)
expect_usage_error(unknown_selection --selection XX AUTA)
expect_usage_error(no_abbreviation --selection AL)
expect_usage_error(unknown_option --selection AL --frobnicate AUTA)

# --help: usage on stdout, exit status 0.
execute_process(COMMAND "${CLI}" lookup --help RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc STREQUAL "0" OR NOT out MATCHES "^Usage: shirl-cli lookup --selection CODE \\[--call CALL\\] ABBREV" OR NOT err STREQUAL "")
  message(SEND_ERROR "help: exit status ${rc}\n  stdout:\n${out}\n  stderr:\n${err}")
  math(EXPR failures "${failures} + 1")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} lookup check(s) failed")
endif()
