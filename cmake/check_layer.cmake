# cmake -DROOT=<source root> -DFOLDER=<folder> -DUSES=<folder,...> [-DSTAMP=<file>] -P check_layer.cmake
# Fails when a source of FOLDER (its own files, not its subfolders') includes
# a header of a folder other than FOLDER and USES (a header's folder is its
# whole folder path, such as app/service; a generated header counts as its
# folder's). Touches STAMP when all is well.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "," ";" allowed "${FOLDER},${USES}")
file(GLOB files ${ROOT}/${FOLDER}/*.cpp ${ROOT}/${FOLDER}/*.h)
set(problems "")
foreach(file ${files})
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(line ${includes})
    # The header's folder is its path up to the last slash (app/service).
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"(.*)/[^\"/]*\".*" "\\1" used "${line}")
    if(NOT used IN_LIST allowed)
      file(RELATIVE_PATH shown ${ROOT} ${file})
      string(APPEND problems "${shown} includes a header of ${used}/, which ${FOLDER}/ may not use\n")
    endif()
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "${problems}${FOLDER}/ may include only: ${allowed}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
