# Installs the build into an empty folder and checks that a Linux desktop
# finds everything there: both programs, the guide, the icons, the menu entry.
# Run as: cmake -DBUILD=<build dir> -DWORK=<scratch dir> -P install_layout.cmake
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()
foreach(path
    bin/shirl
    bin/shirl-cli
    share/doc/shirl/guide.html
    share/icons/hicolor/32x32/apps/shirl.png
    share/icons/hicolor/16x16/apps/shirl.png
    share/icons/hicolor/scalable/apps/shirl.svg
    share/applications/shirl.desktop
    share/mime/packages/shirl.xml
    share/man/man1/shirl-cli.1.gz
    share/man/man1/shirl.1.gz)
  if(NOT EXISTS ${WORK}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(STRINGS ${WORK}/share/applications/shirl.desktop entry)
foreach(line "[Desktop Entry]" "Type=Application" "Exec=shirl %f" "Icon=shirl" "Name=Shirl" "MimeType=application/x-adif;")
  list(FIND entry "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "shirl.desktop lacks '${line}'")
  endif()
endforeach()
# The icon files are PNGs of their size (width and height in the IHDR chunk).
foreach(size 16 32)
  file(READ ${WORK}/share/icons/hicolor/${size}x${size}/apps/shirl.png head LIMIT 24 HEX)
  string(SUBSTRING "${head}" 0 16 signature)
  string(SUBSTRING "${head}" 32 16 dimensions)
  math(EXPR hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REPLACE "0x" "" hex "${hex}")
  string(LENGTH "${hex}" n)
  if(n EQUAL 1)
    set(hex "0${hex}")
  endif()
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT dimensions STREQUAL "000000${hex}000000${hex}")
    message(FATAL_ERROR "icon ${size}: not a ${size}x${size} PNG (${head})")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
