# shirl-cli award, golden: each case folder under tests/data/award/ holds a
# logbook (input.adi), its options (args), what it is for (purpose) and the
# expected report, needed list, county list and map; every file is compared
# byte for byte.
#
# Run by CTest with -DCLI=<shirl-cli> -DSRC=<source root> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(GLOB cases LIST_DIRECTORIES true "${SRC}/tests/data/award/*")
set(failed FALSE)
foreach(case ${cases})
  if(NOT IS_DIRECTORY "${case}")
    continue()
  endif()
  get_filename_component(name "${case}" NAME)
  set(work "${WORK}/${name}")
  file(MAKE_DIRECTORY "${work}")
  # Copied, so that the report names the logbook by its file name alone.
  file(COPY "${case}/input.adi" DESTINATION "${work}")
  file(READ "${case}/args" args)
  string(STRIP "${args}" args)
  separate_arguments(args UNIX_COMMAND "${args}")
  execute_process(
    COMMAND "${CLI}" award ${args} --needed needed.csv --csv counties.csv --map map.svg input.adi
    WORKING_DIRECTORY "${work}"
    OUTPUT_FILE "${work}/report.txt"
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "${name}: shirl-cli award exited with ${status}: ${errors}")
    set(failed TRUE)
    continue()
  endif()
  foreach(pair "expected-report.txt|report.txt" "expected-needed.csv|needed.csv"
               "expected-counties.csv|counties.csv" "expected-map.svg|map.svg")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 expected)
    list(GET pair 1 written)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${case}/${expected}" "${work}/${written}"
                    RESULT_VARIABLE differs)
    if(differs)
      message(SEND_ERROR "${name}: ${work}/${written} differs from ${case}/${expected}")
      set(failed TRUE)
    endif()
  endforeach()
endforeach()
if(failed)
  message(FATAL_ERROR "award golden cases failed")
endif()
