# shirl-cli on Windows reads a CR LF log and writes a CR LF log with the
# same contacts as from the log with bare LF line ends.
#   cmake -DEMULATOR=a|b -DCLI=shirl-cli.exe -DLOG=crlf-log.adi -DWORK=dir -P cli_crlf.cmake
# file(READ) drops CR bytes, so line ends are checked on the HEX form.
string(REPLACE "|" ";" emulator "${EMULATOR}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# "pairs" gets the bytes of FILE as a list of hex pairs.
function(read_bytes file pairs)
  file(READ ${file} hex HEX)
  string(REGEX MATCHALL ".." list "${hex}")
  set(${pairs} "${list}" PARENT_SCOPE)
endfunction()

# Counts line feeds and CR LF pairs of FILE.
function(count_line_ends file lf crlf)
  read_bytes(${file} bytes)
  string(REPLACE ";" "," joined "${bytes}")
  string(REGEX MATCHALL "0d,0a" crlfs "${joined}")
  list(FILTER bytes INCLUDE REGEX "^0a$")
  list(LENGTH bytes n_lf)
  list(LENGTH crlfs n_crlf)
  set(${lf} ${n_lf} PARENT_SCOPE)
  set(${crlf} ${n_crlf} PARENT_SCOPE)
endfunction()

get_filename_component(crlf_name ${LOG} NAME)
file(COPY ${LOG} DESTINATION ${WORK})
count_line_ends(${WORK}/${crlf_name} lf crlf)
if(lf EQUAL 0 OR NOT lf EQUAL crlf)
  message(FATAL_ERROR "${LOG} lost its CR LF line ends (${lf} LF, ${crlf} CR LF)")
endif()
set(crlf_lines ${lf})
file(READ ${LOG} text)  # without its CR bytes
file(WRITE ${WORK}/lf-log.adi "${text}")
count_line_ends(${WORK}/lf-log.adi lf crlf)
if(NOT lf EQUAL crlf_lines OR NOT crlf EQUAL 0)
  message(FATAL_ERROR "could not make the LF copy of ${LOG} (${lf} LF, ${crlf} CR LF)")
endif()

foreach(name ${crlf_name} lf-log.adi)
  execute_process(COMMAND ${emulator} ${CLI} convert --selection AL ${name} out-${name}
    WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "shirl-cli convert ${name} failed (${status}):\n${report}${errors}")
  endif()
endforeach()

# The same contacts from both logs (file(READ) leaves the CR bytes out).
file(READ ${WORK}/out-${crlf_name} text)
file(READ ${WORK}/out-lf-log.adi text_from_lf)
if(NOT text STREQUAL text_from_lf)
  message(FATAL_ERROR "the CR LF and the LF log convert differently (see ${WORK})")
endif()
string(FIND "${text}" "<CNTY:10>AL,Autauga" converted)
if(converted EQUAL -1)
  message(FATAL_ERROR "AUTA was not converted to AL,Autauga:\n${text}")
endif()
# Every line end written for a CR LF log is CR LF: header lines copied and
# records written alike.
count_line_ends(${WORK}/out-${crlf_name} lf crlf)
if(lf EQUAL 0 OR NOT lf EQUAL crlf)
  message(FATAL_ERROR "output line ends are not all CR LF (${lf} LF, ${crlf} CR LF):\n${text}")
endif()
message(STATUS "CR LF log in, CR LF log out (${crlf} lines): ok")
