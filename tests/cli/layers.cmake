# The layer check (cmake/check_layer.cmake, run by the build of every layer)
# refuses an include that points up the layers and accepts the folders a
# layer uses. Each case lays out a small source tree in WORK and checks it.
# Run by CTest: cmake -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch dir> -P layers.cmake
cmake_minimum_required(VERSION 3.25)

set(failures 0)
# case: name | include line of adif/x.cpp | folders adif uses | expected to pass
set(cases
  "own folder|#include \"adif/reader.h\"||1"
  "used folder|#include \"base/text_util.h\"|base|1"
  "system header|#include <string>||1"
  "upward include|#include \"convert/lookup.h\"|base|0"
  "indented upward include|  #  include \"app/dialog/shirl_dlg.h\"|base|0"
  "used room of a folder|#include \"app/service/log_input.h\"|app/service|1"
  "room above the used one|#include \"app/dialog/shirl_dlg.h\"|app/service|0")

foreach(case IN LISTS cases)
  string(REPLACE "|" ";" cols "${case}")
  list(GET cols 0 name)
  list(GET cols 1 line)
  list(GET cols 2 uses)
  list(GET cols 3 pass)
  set(tree "${WORK}/tree")
  file(REMOVE_RECURSE "${tree}")
  file(WRITE "${tree}/adif/x.cpp" "${line}\nint x;\n")
  string(REPLACE " " "," uses "${uses}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -DFOLDER=adif -DUSES=${uses}
                          -P "${SRC}/cmake/check_layer.cmake"
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(pass AND NOT rc EQUAL 0)
    message(SEND_ERROR "${name}: refused\n${err}")
    math(EXPR failures "${failures} + 1")
  elseif(NOT pass AND (rc EQUAL 0 OR NOT err MATCHES "adif/x.cpp includes a header of"))
    message(SEND_ERROR "${name}: accepted\n${err}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} case(s) failed")
endif()
