# shirl-cli with file names in any language, typed as a user would: a
# relative name in a folder of such a name and the full name of the file.
# Each run must exit 0, write the named file with the contacts a plain
# ASCII name gets, and print the report naming the output as given; two
# spellings of the input are refused as one file. Under Wine the names
# reach shirl-cli.exe through its wide command line.
#
# Run by CTest with -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

foreach(var CLI SRC WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "file_names.cmake needs -D${var}=...")
  endif()
endforeach()
# Wine turns the arguments into UTF-16 by the locale's character set.
set(ENV{LC_ALL} C.UTF-8)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(log "Names test log\n<ADIF_VER:5>3.1.4 <EOH>\n"
        "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA <EOR>\n"
        "<CALL:5>K4ABC <QSO_DATE:8>20200131 <TIME_ON:4>1240 <BAND:3>40M <MODE:3>SSB <CNTY:4>BALD <EOR>\n")
string(JOIN "" log ${log})

function(convert dir input output status_var report_var errors_var)
  execute_process(COMMAND "${CLI}" convert --selection AL "${input}" "${output}"
    WORKING_DIRECTORY "${dir}" RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE errors)
  set(${status_var} "${status}" PARENT_SCOPE)
  set(${report_var} "${report}" PARENT_SCOPE)
  set(${errors_var} "${errors}" PARENT_SCOPE)
endfunction()

# The output of a plain ASCII name, to compare with.
file(WRITE "${WORK}/in.adi" "${log}")
convert("${WORK}" in.adi out.adi status report errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "reference conversion failed (${status}): ${errors}")
endif()
file(READ "${WORK}/out.adi" expected)

# folder|input|output, each a name outside ASCII.
set(cases
  "José|Zoë.adi|Müller Peña.adi"
  "Журнал|лог.adi|вывод.adi"
  "Ημερολόγιο|είσοδος.adi|έξοδος.adi"
  "日志|输入.adi|输出.adi"
  "📻 radio|log 📻.adi|out 🎙.adi"
  "my field day logs|field day log.adi|out put.adi")
# Names are bytes on POSIX systems: Latin-1 ones from an old disk, which are
# not UTF-8, work as well (not under Wine: Windows has no such names).
if(NOT CLI MATCHES "emulated$" AND NOT CMAKE_HOST_WIN32)
  string(ASCII 233 e_acute)
  string(ASCII 235 e_diaeresis)
  string(ASCII 252 u_umlaut)
  list(APPEND cases "caf${e_acute}|Zo${e_diaeresis}.adi|M${u_umlaut}ller.adi")
endif()
set(failures "")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 folder)
  list(GET fields 1 input)
  list(GET fields 2 output)
  set(dir "${WORK}/${folder}")
  file(MAKE_DIRECTORY "${dir}")
  file(WRITE "${dir}/${input}" "${log}")
  # Relative names in the folder, then the full names.
  foreach(form relative full)
    if(form STREQUAL "full")
      set(in "${dir}/${input}")
      set(out "${dir}/full ${output}")
    else()
      set(in "${input}")
      set(out "${output}")
    endif()
    convert("${dir}" "${in}" "${out}" status report errors)
    if(NOT status EQUAL 0)
      list(APPEND failures "${case} (${form}): exit ${status}: ${errors}")
      continue()
    endif()
    string(FIND "${report}" "\nWrote 2 QSOs to ${out}\n" named)
    if(named EQUAL -1)
      list(APPEND failures "${case} (${form}): report does not name ${out}:\n${report}")
    endif()
    if(form STREQUAL "full")
      set(written "${out}")
    else()
      set(written "${dir}/${out}")
    endif()
    if(NOT EXISTS "${written}")
      list(APPEND failures "${case} (${form}): ${written} not written")
      continue()
    endif()
    file(READ "${written}" text)
    if(NOT text STREQUAL expected)
      list(APPEND failures "${case} (${form}): ${written} differs from the ASCII name's output")
    endif()
  endforeach()
  # Another spelling of the input is the same file.
  convert("${dir}" "${input}" "../${folder}/${input}" status report errors)
  if(NOT status EQUAL 1 OR NOT errors MATCHES "^ERROR: Input and output file names must be different.\r?\n$")
    list(APPEND failures "${case}: two spellings of the input not refused (${status}): ${errors}")
  endif()
  file(READ "${dir}/${input}" text)
  if(NOT text STREQUAL log)
    list(APPEND failures "${case}: the input changed")
  endif()
endforeach()

if(failures)
  string(JOIN "\n" failures ${failures})
  message(FATAL_ERROR "${failures}")
endif()
list(LENGTH cases n)
message(STATUS "${n} names outside ASCII converted by shirl-cli: ok")
