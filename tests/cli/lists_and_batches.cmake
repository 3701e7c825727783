# shirl-cli with the operator's abbreviation lists, --selection auto and
# --output-dir: damaged lists refuse the run and write nothing, a log of two
# unrelated parties is refused, a folder of logs converts in one command
# (one failure does not stop the others), and the effective table printed
# by `abbreviations --csv` reads back as a list that changes nothing.
#
# Run by CTest with -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

foreach(var CLI SRC WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "lists_and_batches.cmake needs -D${var}=...")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/logs" "${WORK}/lists" "${WORK}/out" "${WORK}/other")
set(golden "${SRC}/tests/data/golden")

# run(ARG...): shirl-cli ARG... in WORK; sets rc, out and err (CR LF read as LF).
macro(run)
  execute_process(COMMAND "${CLI}" ${ARGN} WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r\n" "\n" out "${out}")
  string(REPLACE "\r\n" "\n" err "${err}")
endmacro()

# fail(NAME TEXT): reports a failed check with the last run's results.
function(fail name text)
  message(SEND_ERROR "${name}: ${text}\n  exit: ${rc}\n  stdout:\n${out}\n  stderr:\n${err}")
endfunction()

function(expect_same_file name expected actual)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${expected}" "${actual}" RESULT_VARIABLE different)
  if(different)
    message(SEND_ERROR "${name}: ${actual} differs from ${expected}")
  endif()
endfunction()

# --- Damaged lists: exit 1, the message on stderr, the output as it was. ---
configure_file("${golden}/list-extend-south-dakota/input.adi" "${WORK}/logs/sd.adi" COPYONLY)
set(damaged
  "unknown-county|abbreviation,state,county\nOGLA,SD,Shanon\n|line 2: unknown county \"Shanon\" in SD (did you mean \"Shannon\"?)."
  "unknown-state|abbreviation,state,county\nOGLA,SX,Shannon\n|line 2: unknown state \"SX\"."
  "empty-abbreviation|# list\nabbreviation,state,county\n,SD,Shannon\n|line 3: empty abbreviation."
  "two-counties|abbreviation,county_id\nOGLA,46113\nOGLA,46071\n|line 3: \"OGLA\" is given for two counties: SD,Shannon (line 2 of lists/SD.csv) and SD,Jackson."
  "no-header|OGLA,SD,Shannon\n|line 1: no header row (abbreviation,state,county or abbreviation,county_id)."
  "missing-column|abbreviation,state\nOGLA,SD\n|line 1: missing column \"county\"."
  "invalid-utf8|abbreviation,state,county\nOGLA,SD,Shann-0xFF-on\n|line 2: not valid UTF-8.")
foreach(entry IN LISTS damaged)
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 name)
  list(GET fields 1 content)
  list(GET fields 2 fault)
  string(REPLACE "\\n" "\n" content "${content}")
  if(name STREQUAL "invalid-utf8")
    # CMake strings cannot hold the byte 0xFF: write it with printf.
    execute_process(COMMAND printf "abbreviation,state,county\nOGLA,SD,Shann\\377on\n" OUTPUT_FILE "${WORK}/lists/SD.csv")
  else()
    file(WRITE "${WORK}/lists/SD.csv" "${content}")
  endif()
  file(WRITE "${WORK}/out/sd.adi" "previous output\n")
  run(convert --selection SD --list lists/SD.csv logs/sd.adi out/sd.adi)
  if(NOT ( rc EQUAL 1 AND out STREQUAL "" AND err STREQUAL "ERROR: Abbreviation list lists/SD.csv, ${fault}\n"))
    fail("list ${name}" "exit 1 and the message expected")
  endif()
  file(READ "${WORK}/out/sd.adi" kept)
  if(NOT (kept STREQUAL "previous output\n"))
    fail("list ${name}" "the output must stay as it was")
  endif()
endforeach()
run(convert --selection SD --list lists/missing.csv logs/sd.adi out/new.adi)
if(NOT ( rc EQUAL 1 AND err STREQUAL "ERROR: Abbreviation list lists/missing.csv: cannot be read.\n"))
  fail("missing list" "exit 1, cannot be read")
endif()
if(NOT (NOT EXISTS "${WORK}/out/new.adi"))
  fail("missing list" "nothing written")
endif()
run(convert --selection SD --list-mode merge logs/sd.adi out/new.adi)
if(NOT (rc EQUAL 2 AND err MATCHES "^shirl-cli: convert: --list-mode needs extend or replace"))
  fail("bad list mode" "a usage error")
endif()

# --- --selection auto refuses a log of two unrelated parties. ---
file(WRITE "${WORK}/logs/two.adi"
  "<CALL:4>K4AA <CONTEST_ID:12>AL-QSO-PARTY <CTY:4>AUTA <EOR>\n<CALL:4>K5AA <CONTEST_ID:12>TX-QSO-PARTY <CTY:3>AND <EOR>\n")
run(convert --selection auto logs/two.adi out/two.adi)
if(NOT ( rc EQUAL 1 AND err STREQUAL "ERROR: Could not tell the QSO party from the log's CONTEST_ID (found: AL-QSO-PARTY, TX-QSO-PARTY); choose one with --selection.\n"))
  fail("two parties" "refused")
endif()
if(NOT (NOT EXISTS "${WORK}/out/two.adi"))
  fail("two parties" "nothing written")
endif()

# --- --output-dir: a folder of logs in one command. ---
configure_file("${golden}/selection-auto-alabama/input.adi" "${WORK}/logs/alabama.adi" COPYONLY)
configure_file("${golden}/selection-auto-salmon-run/input.adi" "${WORK}/logs/salmon.adi" COPYONLY)
configure_file("${golden}/selection-auto-alabama/input.adi" "${WORK}/other/alabama.adi" COPYONLY)
# Notes beside the logs, a tag or two in their text, are no log.
file(WRITE "${WORK}/logs/notes.md" "# Notes\n\nEach contact ends in <EOR>; write a call as <CALL:4>K4AA.\n")
run(convert --selection auto --no-mobile --output-dir out logs/alabama.adi logs/two.adi logs/notes.md logs/salmon.adi
    other/alabama.adi)
file(READ "${golden}/selection-auto-alabama/expected-report.txt" alabama_report)
file(READ "${golden}/selection-auto-salmon-run/expected-report.txt" salmon_report)
string(REPLACE "output.adi" "out/alabama.adi" alabama_report "${alabama_report}")
string(REPLACE "output.adi" "out/salmon.adi" salmon_report "${salmon_report}")
set(refused "ERROR: Could not tell the QSO party from the log's CONTEST_ID (found: AL-QSO-PARTY, TX-QSO-PARTY); choose one with --selection.\n")
set(expected "== logs/alabama.adi\n${alabama_report}")
string(APPEND expected "== logs/two.adi\n\n")
string(APPEND expected "== logs/notes.md\n\n")
string(APPEND expected "== logs/salmon.adi\n${salmon_report}")
string(APPEND expected "== other/alabama.adi\n\n")
string(APPEND expected "Converted 2 of 5 logs.\n")
if(CLI MATCHES "emulated|\\.exe$")
  string(REPLACE "out/" "out\\" expected "${expected}")
endif()
# Errors go to stderr as for one log.
if(NOT ( rc EQUAL 1 AND out STREQUAL "${expected}" AND
         err STREQUAL "${refused}ERROR: logs/notes.md is neither an ADIF log nor a Cabrillo log.\nERROR: Another input of this run has the same file name.\n"))
  file(WRITE "${WORK}/expected-batch.txt" "${expected}")
  fail("output-dir" "each report after its == line, exit 1 for the failed logs (expected: ${WORK}/expected-batch.txt)")
endif()
expect_same_file("output-dir alabama" "${golden}/selection-auto-alabama/expected.adi" "${WORK}/out/alabama.adi")
expect_same_file("output-dir salmon" "${golden}/selection-auto-salmon-run/expected.adi" "${WORK}/out/salmon.adi")
# A Cabrillo log's output takes the extension .adi.
configure_file("${golden}/cabrillo-7qp-multistate/input.log" "${WORK}/cabrillo/input.log" COPYONLY)
run(convert --selection auto --output-dir out cabrillo/input.log)
file(READ "${WORK}/out/input.adi" made)
file(READ "${golden}/cabrillo-7qp-multistate/expected.adi" expected)
string(REGEX REPLACE "Shirl [^ ]+ from(.*)<PROGRAMVERSION:[0-9]+>[^\n]*" "Shirl @SHIRL_VERSION@ from\\1<PROGRAMVERSION:@SHIRL_VERSION_LENGTH@>@SHIRL_VERSION@" made "${made}")
if(NOT made STREQUAL expected)
  fail("output-dir cabrillo" "${WORK}/out/input.adi differs from the golden case but for the version")
endif()
if(EXISTS "${WORK}/out/two.adi" OR EXISTS "${WORK}/out/notes.md")
  fail("output-dir" "a refused log writes nothing")
endif()
# The same check outside a batch (exit 1), and a missing folder before any
# log is read (exit 2).
foreach(case
    "1|ERROR: logs/notes.md is neither an ADIF log nor a Cabrillo log.\n|convert;--selection;AL;logs/notes.md;out/notes.adi"
    "2|shirl-cli: convert: the output folder 'missing' does not exist (try 'shirl-cli --help')\n|convert;--selection;AL;--output-dir;missing;logs/alabama.adi")
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 want_rc)
  list(GET fields 1 want_err)
  list(SUBLIST fields 2 -1 args)
  run(${args})
  if(NOT (rc EQUAL want_rc AND out STREQUAL "" AND err STREQUAL want_err))
    fail("${args}" "exit ${want_rc}: ${want_err}")
  endif()
endforeach()
if(EXISTS "${WORK}/out/notes.adi" OR EXISTS "${WORK}/missing")
  fail("no log, no folder" "nothing written")
endif()

run(convert --selection AL --output-dir logs logs/alabama.adi)
if(NOT ( rc EQUAL 1 AND out STREQUAL "== logs/alabama.adi\n\nConverted 0 of 1 logs.\n" AND
         err STREQUAL "ERROR: Input and output file names must be different.\n"))
  fail("output-dir same file" "an input inside DIR under its own name is refused")
endif()
expect_same_file("output-dir same file" "${golden}/selection-auto-alabama/input.adi" "${WORK}/logs/alabama.adi")

# --- With --selection auto a list serves only the party it is named after. ---
file(WRITE "${WORK}/lists/mine.csv" "abbreviation,state,county\nAUTA,SD,Shannon\n")
run(convert --selection auto --list lists/mine.csv --output-dir out logs/alabama.adi)
if(NOT (rc EQUAL 2 AND err MATCHES "name each --list file after its Selection \\(SD.csv, MARAC.replace.csv\\): 'lists/mine.csv'"))
  fail("auto with a list" "a list named after no Selection is a usage error")
endif()
# An SD list that would turn Alabama's AUTA into a South Dakota county is
# not used for an Alabama log: its report and output are those without lists.
file(MAKE_DIRECTORY "${WORK}/auto-lists")
file(WRITE "${WORK}/lists/sd.csv" "abbreviation,state,county\nAUTA,SD,Shannon\n")
run(convert --selection auto --no-mobile --list lists/sd.csv --output-dir auto-lists logs/alabama.adi)
set(expected "== logs/alabama.adi\n${alabama_report}Converted 1 of 1 logs.\n")
if(CLI MATCHES "emulated|\\.exe$")
  string(REPLACE "out/" "auto-lists\\" expected "${expected}")
else()
  string(REPLACE "out/" "auto-lists/" expected "${expected}")
endif()
if(NOT (rc EQUAL 0 AND out STREQUAL "${expected}"))
  fail("auto with a list" "the list of another party is not used")
endif()
expect_same_file("auto with a list" "${golden}/selection-auto-alabama/expected.adi" "${WORK}/auto-lists/alabama.adi")

# --- The effective table as a list: replacing with it changes no lookup. ---
run(abbreviations --selection MARAC --csv)
file(WRITE "${WORK}/lists/MARAC.csv" "${out}")
if(NOT (out MATCHES "^abbreviation,state,county\nALAUTA,AL,Autauga\n"))
  fail("abbreviations --csv" "starts with the list header")
endif()
set(words ALAUTA MDBLTC MDBALT VAFAIR NVCARS CTFAIR TXHARR XXXX)
run(lookup --selection MARAC ${words})
set(builtin "${out}")
run(lookup --selection MARAC --list lists/MARAC.csv --list-mode replace ${words})
if(NOT (rc EQUAL 0 AND out STREQUAL "${builtin}"))
  fail("abbreviations --csv" "the list gives what the tables give")
endif()
run(abbreviations --selection SD --list "${golden}/list-extend-south-dakota/SD.csv")
if(NOT (out MATCHES "^OGLA\t46113\tSD,Shannon\tcounty\nAURO\t46003\tSD,Aurora\tcounty\n"))
  fail("abbreviations --list" "the list's rows first")
endif()

message(STATUS "list, auto and output-dir checks done")
