# The folders are layers: data/ and adif/ at the bottom (beside base/, the
# byte-wise text helpers), convert/ over them, map/ (the county map) beside
# convert/ over data/, files/ (the only code that turns names into paths)
# beside convert/ over adif/, cabrillo/ (Cabrillo logs read as ADIF) over
# adif/ and data/, fill/ (a logbook filled from a converted contest log)
# over convert/, award/ (the USA Counties award from a logbook) over convert/
# and map/, app/service/ (the run service) over award/, fill/, convert/, map/,
# cabrillo/ and files/, app/dialog/ (the toolkit-free dialog) over
# app/service/, the windows (app/qt/, app/win32/) over app/dialog/, and the
# other front ends (cli/, web/) over app/service/. Each folder is one library
# that links only the layers below it, and its build checks that no source
# includes a header of a folder the library may not use, so that a
# dependency pointing up the layers does not build.

# shirl_layer(TARGET FOLDER [USES FOLDER...]): TARGET (the library or program
# of FOLDER, relative to the source root) builds only when the files of FOLDER
# include headers of FOLDER and the USES folders alone. Records TARGET in the
# global property SHIRL_LAYER_TARGETS.
function(shirl_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "USES")
  list(JOIN arg_USES "," uses)
  file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layer-checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -DFOLDER=${folder} -DUSES=${uses} -DSTAMP=${stamp}
            -P ${PROJECT_SOURCE_DIR}/cmake/check_layer.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/check_layer.cmake
    COMMENT "Checking the includes of ${folder}/"
    VERBATIM)
  add_custom_target(${target}_layer_check DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layer_check)
  set_property(GLOBAL APPEND PROPERTY SHIRL_LAYER_TARGETS ${target})
endfunction()
