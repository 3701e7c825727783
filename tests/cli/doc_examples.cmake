# The command examples of the README, the user guide and the manual page run
# as written: each `shirl-cli` or `mkdir` line of their example blocks (a
# line ending in "\" goes on on the next) runs in sh, in a folder that holds
# what the examples name, each a copy of the example log (fqp.log: the
# Florida Cabrillo golden log) or a list, and must
# exit with 0.
#
# Run by CTest with -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.25)

foreach(var CLI SRC WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "doc_examples.cmake needs -D${var}=...")
  endif()
endforeach()
set(example "${SRC}/examples/alabama-qso-party.adi")

# The example lines of a document, continuations joined, one list entry each.
function(example_lines document out)
  file(READ "${document}" text)
  if(document MATCHES "\\.html$")
    # <pre> blocks, not the synopsis.
    string(REGEX MATCHALL "<pre>[^<]*</pre>" blocks "${text}")
    string(REPLACE "&gt;" ">" blocks "${blocks}")
    string(REPLACE "&lt;" "<" blocks "${blocks}")
    string(REPLACE "&amp;" "&" blocks "${blocks}")
  elseif(document MATCHES "\\.md$")
    # Indented code lines: the only lines that start with blanks and a command.
    set(blocks "${text}")
  else()
    # roff: the EXAMPLES section, where \- is a minus.
    string(REGEX MATCH "\n\\.SH EXAMPLES\n(.*)" blocks "${text}")
    string(REGEX REPLACE "\n\\.SH [^\n]*\n.*" "" blocks "${CMAKE_MATCH_1}")
    string(REPLACE "\\-" "-" blocks "${blocks}")
  endif()
  string(REPLACE ";" "\\;" blocks "${blocks}")
  string(REPLACE "\\\n" " " blocks "${blocks}")
  string(REGEX MATCHALL "(^|[\n>])[ ]*(shirl-cli|mkdir) [^\n<]*" found "${blocks}")
  set(lines "")
  foreach(line IN LISTS found)
    string(REGEX REPLACE "^[\n>]" "" line "${line}")
    string(STRIP "${line}" line)
    list(APPEND lines "${line}")
  endforeach()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

set(failures 0)
foreach(document README.md docs/guide.html docs/shirl-cli.1.in)
  string(MAKE_C_IDENTIFIER "${document}" name)
  set(dir "${WORK}/${name}")
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}/logs" "${dir}/bin")
  foreach(log party.adi log.adi marac.adi alabama.adi logs/alabama-qso-party.adi)
    configure_file("${example}" "${dir}/${log}" COPYONLY)
  endforeach()
  configure_file("${SRC}/tests/data/golden/cabrillo-florida-party/input.log" "${dir}/fqp.log" COPYONLY)
  file(WRITE "${dir}/SD.csv" "abbreviation,state,county\nOGLA,SD,Shannon\n")
  file(WRITE "${dir}/this-year.csv" "abbreviation,state,county\nOGLA,SD,Shannon\n")
  file(WRITE "${dir}/bin/shirl-cli" "#!/bin/sh\nexec \"${CLI}\" \"$@\"\n")
  file(CHMOD "${dir}/bin/shirl-cli" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  example_lines("${SRC}/${document}" lines)
  list(LENGTH lines count)
  if(count LESS 3)
    message(SEND_ERROR "${document}: only ${count} examples found")
    math(EXPR failures "${failures} + 1")
  endif()
  foreach(line IN LISTS lines)
    execute_process(COMMAND sh -c "PATH=\"${dir}/bin:$PATH\"; ${line}" WORKING_DIRECTORY "${dir}"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(SEND_ERROR "${document}: '${line}' exited with ${rc}\n${out}${err}")
      math(EXPR failures "${failures} + 1")
    endif()
  endforeach()
  list(JOIN lines "\n  " shown)
  message(STATUS "${document}: ${count} examples ran:\n  ${shown}")
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} documented example(s) failed")
endif()
