# Golden files: runs `shirl-cli convert` on every case folder under
# tests/data/golden and compares the written log and the printed report
# with the expected files, byte for byte.
#
# A case folder holds input.adi, args (one line: the options, such as
# "--selection AL --no-mobile"), expected.adi and expected-report.txt.
# The output is written as "output.adi" in a scratch folder, so the Wrote
# line of every report names that file.
#
# Run by CTest with -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

foreach(var CLI SRC WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "golden.cmake needs -D${var}=...")
  endif()
endforeach()

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

  set(work "${WORK}/${name}")
  file(REMOVE_RECURSE "${work}")
  file(MAKE_DIRECTORY "${work}")
  execute_process(
    COMMAND "${CLI}" convert ${args} "${dir}/input.adi" output.adi
    WORKING_DIRECTORY "${work}"
    OUTPUT_FILE "${work}/report.txt"
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "${name}: shirl-cli exited with ${status}: ${errors}")
    list(APPEND failed "${name}")
    continue()
  endif()

  foreach(pair "expected.adi;output.adi" "expected-report.txt;report.txt")
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
