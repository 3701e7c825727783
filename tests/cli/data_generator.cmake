# data/tools/generate_tables.py must refuse inconsistent reference data with a
# message naming the file and line. The cases damage a copy of data/ in WORK.
# Run by CTest: cmake -DCLI=<shirl-cli> -DSRC=<source dir> -DWORK=<scratch> -P data_generator.cmake
cmake_minimum_required(VERSION 3.25)

find_program(PYTHON NAMES python3 python REQUIRED)
set(failures 0)

# case name | file | line to replace (regex) | replacement | expected message (regex)
set(cases
  "wrong county|abbrev/alabama.csv|\nCHMB,1017,AL,Chambers,listed\n|\nCHMB,1019,AL,Chambers,listed\n|alabama.csv:[0-9]+: 1019 is AL,Cherokee, not AL,Chambers"
  "not the rule form|abbrev/ohio.csv|\nADAM,39001,OH,Adams,rule\n|\nADMS,39001,OH,Adams,rule\n|ohio.csv:[0-9]+: ADMS is marked rule"
  "ambiguous|abbrev/alabama.csv|\nBAL,1003,AL,Baldwin,rule\n|\nAUT,1003,AL,Baldwin,rule\n|AUT stands in 2 rows"
  "lost row|abbrev/texas.csv|\nBEE,48025,TX,Bee,rule\n|\n|253 rows, expected 254"
  "bad shape|abbrev/virginia_cities.csv|\nALX,51510,VA,Alexandria city,given\n|\nALXA,51510,VA,Alexandria city,given\n|ALXA has not the shape"
  "unknown id|abbrev/maine.csv|\nAND,23001,ME,Androscoggin,given\n|\nAND,23002,ME,Androscoggin,given\n|23002 has no gazetteer row"
  "bad origin|abbrev/marac.csv|\nALAUTA,1001,AL,Autauga,rule\n|\nALAUTA,1001,AL,Autauga,listed\n|origin 'listed' not allowed"
  "sections order|sections.csv|\nEPA,PA\n|\nZZZ,PA\n|sections.csv:[0-9]+: .* is not after"
  "selection table|selections.csv|,Alabama,area,,Alabama\n|,Alabama,area,,Alabam\n|unknown table Alabam"
  "selection kind|selections.csv|,Arkansas,area,,|,Arkansas,state,,|kind 'state' must be one of"
  "selection trait|selections.csv|,Pennsylvania,area,sections,|,Pennsylvania,area,section,|unknown trait 'section'"
  "table places|abbrev/tables.csv|,Nevada independent-city table,cities,|,Nevada independent-city table,towns,|places 'towns' must be one of"
  "name form|county_name_forms.csv|\nword,SAINT,ST\n|\nword,Saint,ST\n|county_name_forms.csv:[0-9]+: expected ignore,CHARACTER"
  "gazetteer order|us-counties-2010.csv|\nAL,01,003,|\nAL,01,000,|county id 1000 out of range"
  "adif name lost|adif_cnty.csv|\n2270,AK,Wade Hampton Census Area,Kusilvak\n|\n|AK has no row for 2270")

# All damages go into one copy: the generator reports every problem it finds.
set(dir "${WORK}/damaged")
file(REMOVE_RECURSE "${dir}")
file(COPY "${SRC}/data/" DESTINATION "${dir}")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" cols "${case}")
  list(GET cols 0 name)
  list(GET cols 1 file)
  list(GET cols 2 from)
  list(GET cols 3 to)
  file(READ "${dir}/${file}" text)
  string(FIND "${text}" "${from}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "${name}: the line to damage is not in ${file}")
    math(EXPR failures "${failures} + 1")
  endif()
  string(REPLACE "${from}" "${to}" text "${text}")
  file(WRITE "${dir}/${file}" "${text}")
endforeach()
execute_process(COMMAND "${PYTHON}" "${dir}/tools/generate_tables.py" --data "${dir}" --check
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0)
  message(SEND_ERROR "the damaged data was accepted")
  math(EXPR failures "${failures} + 1")
endif()
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" cols "${case}")
  list(GET cols 0 name)
  list(GET cols 4 expect)
  if(NOT err MATCHES "${expect}")
    message(SEND_ERROR "${name}: no message matching '${expect}'")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(failures GREATER 0)
  message("generator messages:\n${err}")
endif()

# The map tables' checker refuses a drawn-as row that names no shape.
file(READ "${dir}/map/drawn_as.csv" text)
string(REPLACE "\n46113,46102," "\n46113,46100," text "${text}")
file(WRITE "${dir}/map/drawn_as.csv" "${text}")
execute_process(COMMAND "${PYTHON}" "${dir}/tools/generate_map_tables.py" --data "${dir}" --output "${dir}/map.cpp"
  ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0 OR NOT err MATCHES "drawn_as.csv: 46100 has no shape")
  message(SEND_ERROR "the damaged map data was not refused as expected:\n${err}")
  math(EXPR failures "${failures} + 1")
endif()

# The data as committed passes.
execute_process(COMMAND "${PYTHON}" "${SRC}/data/tools/generate_tables.py" --data "${SRC}/data" --check
  ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(SEND_ERROR "the committed data is refused:\n${err}")
  math(EXPR failures "${failures} + 1")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} case(s) failed")
endif()
