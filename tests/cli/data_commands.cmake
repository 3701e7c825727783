# shirl-cli selections | counties | abbreviations: whole outputs, line counts
# per Selection, help and usage errors.
# Run by CTest: cmake -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch> -P data_commands.cmake
cmake_minimum_required(VERSION 3.25)

set(failures 0)
macro(fail message)
  message(SEND_ERROR "${message}")
  math(EXPR failures "${failures} + 1")
endmacro()

function(run_cli)
  execute_process(COMMAND "${CLI}" ${ARGN}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

function(count_lines text var)
  string(REGEX MATCHALL "\n" newlines "${text}")
  list(LENGTH newlines n)
  set(${var} ${n} PARENT_SCOPE)
endfunction()

# counties: the gazetteer, line for line.
set(expected "")
file(STRINGS "${SRC}/data/us-counties-2010.csv" rows)
list(POP_FRONT rows)
foreach(row IN LISTS rows)
  string(REPLACE "," ";" fields "${row}")
  list(GET fields 0 st)
  list(GET fields 1 sf)
  list(GET fields 2 cf)
  list(GET fields 4 name)
  math(EXPR sn "${sf}")   # FIPS codes are zero-padded text
  math(EXPR cn "${cf}")
  math(EXPR id "${sn} * 1000 + ${cn}")
  string(APPEND expected "${id}\t${st}\t${name}\n")
endforeach()
run_cli(counties)
count_lines("${out}" n)
if(NOT rc EQUAL 0 OR NOT n EQUAL 3235 OR NOT err STREQUAL "")
  fail("counties: status ${rc}, ${n} lines, stderr '${err}'")
endif()
if(NOT out STREQUAL expected)
  file(WRITE "${WORK}/counties.actual" "${out}")
  file(WRITE "${WORK}/counties.expected" "${expected}")
  fail("counties: output differs from data/us-counties-2010.csv (see ${WORK})")
endif()
foreach(line "1001\tAL\tAutauga\n" "51840\tVA\tWinchester city\n" "78030\tVI\tSt. Thomas Island\n")
  string(FIND "${out}" "${line}" at)
  if(at EQUAL -1)
    fail("counties: no line '${line}'")
  endif()
endforeach()

# selections: the dialog's 53 rows, then the codes accepted but not offered, marked.
run_cli(selections)
count_lines("${out}" n)
string(FIND "${out}" "AL\tAlabama\nAZ\tArizona\nAR\tArkansas\n" head)
string(FIND "${out}" "NAQP\tNorth American QSO Party\nUSCQP\tUS Counties QSO Party\nAK\tAlaska\tnot in the dialog\n" seam)
string(REGEX MATCHALL "\tnot in the dialog\n" marked "${out}")
list(LENGTH marked n_marked)
foreach(code AK CT MA ME MT RI UT WY)
  string(FIND "${out}" "\n${code}\t" at)
  if(at EQUAL -1)
    fail("selections: ${code} missing")
  endif()
endforeach()
math(EXPR offered "${n} - ${n_marked}")
if(NOT rc EQUAL 0 OR NOT offered EQUAL 53 OR NOT head EQUAL 0 OR seam EQUAL -1)
  fail("selections: status ${rc}, ${n} lines (${n_marked} marked), head at ${head}, seam at ${seam}")
endif()

# abbreviations: the rows of every table each Selection searches, any letter case.
set(counts
  ak 0 al 133 AR 150 az 30 bc 0 ca 136 co 64 cp 0 ct 0 de 6 fl 69 ga 159 hi 14 ia 99 id 43 il 102
  in 184 ks 105 ky 120 la 64 ma 0 md 25 me 16 mi 83 mn 87 mo 115 ms 163 mt 56 nc 100 nd 53 ne 93
  nh 10 nj 39 nm 33 Nv 34 ny 62 oh 88 ok 77 on 0 or 36 pa 67 qc 0 ri 0 sc 91 sd 66 tn 95 tx 254
  ut 0 Va 134 vt 16 wa 39 wi 72 wv 55 wy 0 marac 3073 MAQP 327 naqp 0 Neqp 68 7qp 260 usCqp 3073
  multi 3591)
list(LENGTH counts pairs)
math(EXPR last "${pairs} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET counts ${i} code)
  list(GET counts ${j} want)
  run_cli(abbreviations --selection ${code})
  count_lines("${out}" n)
  if(NOT rc EQUAL 0 OR NOT n EQUAL want)
    fail("abbreviations --selection ${code}: status ${rc}, ${n} lines, expected ${want}")
  endif()
  set(out_${code} "${out}")
endforeach()
foreach(check
    "al|AUTA\t1001\tAL,Autauga\tcounty\n"
    "Neqp|CTCAP\t9000\t-\tsilent\n"
    "Va|ALX\t51510\tVA,Alexandria city\tstate\n"
    "Nv|NVCAR\t32510\tNV,Carson City\tstate\n"
    "usCqp|BATMD\t24510\tMD,Baltimore City\tcounty\n"
    "marac|MDBLTC\t24510\tMD,Baltimore City\tcounty\n"
    "multi|NEW\t10003\tDE,New Castle\tearlier\n")
  string(FIND "${check}" "|" bar)
  string(SUBSTRING "${check}" 0 ${bar} code)
  math(EXPR from "${bar} + 1")
  string(SUBSTRING "${check}" ${from} -1 line)
  string(FIND "${out_${code}}" "${line}" at)
  if(at EQUAL -1)
    fail("abbreviations --selection ${code}: no line '${line}'")
  endif()
endforeach()
# MULTI lists its tables in lookup order: Indiana first, MARAC last.
string(FIND "${out_multi}" "ADA\t18001\tIN,Adams\tcounty\n" first)
string(FIND "${out_multi}" "KDE\t10001\tDE,Kent\tcounty\n" delaware)
string(FIND "${out_multi}" "ALAUTA\t1001\tAL,Autauga\tcounty\n" marac)
if(NOT first EQUAL 0 OR NOT delaware GREATER first OR NOT marac GREATER delaware)
  fail("abbreviations --selection multi: tables out of order (${first}, ${delaware}, ${marac})")
endif()
run_cli(abbreviations --selection=al)
if(NOT rc EQUAL 0 OR NOT out STREQUAL out_al)
  fail("abbreviations --selection=al differs from --selection al")
endif()

# Help goes to stdout with status 0.
foreach(args "--help" "selections;--help" "counties;--help" "abbreviations;--help")
  run_cli(${args})
  if(NOT rc EQUAL 0 OR NOT out MATCHES "^Usage: shirl-cli" OR NOT err STREQUAL "")
    fail("'${args}': status ${rc}, stdout '${out}'")
  endif()
endforeach()

# Usage errors: one line on stderr, nothing on stdout, status 2.
foreach(args "counties;--bogus" "selections;extra" "abbreviations" "abbreviations;--selection"
             "abbreviations;--selection;XX" "abbreviations;--selection;al;--bogus"
             "abbreviations;al" "no-such-command")
  run_cli(${args})
  count_lines("${err}" n)
  if(NOT rc EQUAL 2 OR NOT out STREQUAL "" OR NOT n EQUAL 1 OR NOT err MATCHES "^shirl-cli: ")
    fail("'${args}': status ${rc}, stdout '${out}', stderr '${err}'")
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} check(s) failed")
endif()
