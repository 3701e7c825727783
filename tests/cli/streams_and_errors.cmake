# shirl-cli convert with - for standard input and output, and the errors of
# files it cannot use: each message names the file and why. Case by case:
# the arguments, where standard input comes from (a file, a pipe, nothing),
# the exit status, standard error and standard output (regexes), and the
# file whose bytes must equal the reference output ("stdout": standard output).
#
# Run by CTest with -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

foreach(var CLI SRC WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "streams_and_errors.cmake needs -D${var}=...")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/a folder")
set(log "Streams test log\n<ADIF_VER:5>3.1.4 <EOH>\n"
        "<CALL:6>N0CALL <QSO_DATE:8>20200131 <TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW <CNTY:4>AUTA "
        "<CONTEST_ID:12>AL-QSO-PARTY <EOR>\n"
        "<CALL:5>K4ABC <QSO_DATE:8>20200131 <TIME_ON:4>1240 <BAND:3>40M <MODE:3>SSB <CNTY:4>BALD "
        "<CONTEST_ID:12>AL-QSO-PARTY <EOR>\n")
string(JOIN "" log ${log})
file(WRITE "${WORK}/in.adi" "${log}")
string(ASCII 255 ff)
string(ASCII 254 fe)
file(WRITE "${WORK}/utf16.adi" "${ff}${fe}<")

execute_process(COMMAND "${CLI}" convert --selection AL in.adi reference.adi WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "reference conversion failed (${status}): ${errors}")
endif()
file(READ "${WORK}/reference.adi" expected)

# arguments (, separated) | standard input: file, pipe or none | exit | stderr | stdout | file equal to the reference
set(cases
  "--selection,AL,-,out1.adi|file|0|^$|\nWrote 2 QSOs to out1.adi\n|out1.adi"
  "--selection,auto,-,out2.adi|pipe|0|^$|\nWrote 2 QSOs to out2.adi\n|out2.adi"
  "--selection,AL,-,out3.adi|pipe|0|^$|\nWrote 2 QSOs to out3.adi\n|out3.adi"
  "--selection,AL,in.adi,-|none|0|\nWrote 2 QSOs\n|^Streams test log|stdout"
  "--selection,auto,-,-|pipe|0|\nWrote 2 QSOs\n|^Streams test log|stdout"
  "--selection,AL,--map,map.svg,in.adi,-|none|0|\nWrote 2 QSOs\n|^Streams test log|stdout"
  "--selection,AL,missing.adi,out.adi|none|1|^ERROR: Could not open input file. missing.adi: there is no such file.\r?\n$|^$|"
  "--selection,AL,a folder,out.adi|none|1|^ERROR: Could not open input file. a folder: it is a folder.\r?\n$|^$|"
  "--selection,AL,in.adi,a folder|none|1|^ERROR: Could not open output file. a folder: it is a folder.\r?\n$|^$|"
  "--selection,AL,in.adi,no folder/out.adi|none|1|^ERROR: Could not open output file. no folder/out.adi: its folder does not exist.\r?\n$|^$|"
  "--selection,AL,utf16.adi,out.adi|none|1|^ERROR: utf16.adi is saved as UTF-16 text. save it as UTF-8 and convert it again.\r?\n$|^$|"
  "--selection,AL,-,out.adi|utf16|1|^ERROR: standard input is saved as UTF-16 text. save it as UTF-8|^$|")
# No permission to read: not for a user whom permissions do not stop (root).
file(WRITE "${WORK}/locked.adi" "${log}")
file(CHMOD "${WORK}/locked.adi" PERMISSIONS OWNER_WRITE)
execute_process(COMMAND "${CMAKE_COMMAND}" -E cat "${WORK}/locked.adi" RESULT_VARIABLE readable
                OUTPUT_QUIET ERROR_QUIET)
if(NOT readable EQUAL 0 AND NOT CMAKE_HOST_WIN32 AND NOT CLI MATCHES "emulated$")
  list(APPEND cases
    "--selection,AL,locked.adi,out.adi|none|1|^ERROR: Could not open input file. locked.adi: no permission to read it.\r?\n$|^$|")
endif()

set(failures "")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 args)
  list(GET fields 1 from)
  list(GET fields 2 want_status)
  list(GET fields 3 want_err)
  list(GET fields 4 want_out)
  list(GET fields 5 compare)
  string(REPLACE "," ";" args "${args}")
  set(input "")
  if(from STREQUAL "file")
    set(input INPUT_FILE "${WORK}/in.adi")
  elseif(from STREQUAL "utf16")
    set(input INPUT_FILE "${WORK}/utf16.adi")
  endif()
  if(from STREQUAL "pipe")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E cat "${WORK}/in.adi" COMMAND "${CLI}" convert ${args}
      WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    list(GET status -1 status)
  else()
    execute_process(COMMAND "${CLI}" convert ${args} ${input}
      WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  endif()
  if(NOT status STREQUAL want_status OR NOT err MATCHES "${want_err}" OR NOT out MATCHES "${want_out}")
    list(APPEND failures "${case}: exit ${status}\n  stderr: ${err}\n  stdout: ${out}")
    continue()
  endif()
  if(compare STREQUAL "stdout")
    set(written "${out}")
  elseif(compare)
    file(READ "${WORK}/${compare}" written)
  else()
    continue()
  endif()
  if(NOT written STREQUAL expected)
    list(APPEND failures "${case}: the output differs from the reference")
  endif()
endforeach()

if(failures)
  string(JOIN "\n" failures ${failures})
  message(FATAL_ERROR "${failures}")
endif()
list(LENGTH cases n)
message(STATUS "${n} cases of standard streams and file errors: ok")
