# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install into a scratch folder: the program with its help files
# beside it, the link in bin, the menu entry, the icon and the AppStream file.
# usage: cmake -DBUILD=<build dir> -DOUT=<scratch dir> -P install_test.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${OUT}/usr
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(prefix ${OUT}/usr)
foreach(f
    libexec/brisko99/brisko99
    libexec/brisko99/pokerfr.hlp
    libexec/brisko99/pokerus.hlp
    bin/brisko99
    share/applications/org.brisko99.brisko99.desktop
    share/icons/hicolor/scalable/apps/brisko99.svg
    share/metainfo/org.brisko99.brisko99.metainfo.xml)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

# The link leads to the program, whose folder holds the help files.
file(REAL_PATH ${prefix}/bin/brisko99 program)
file(REAL_PATH ${prefix}/libexec/brisko99/brisko99 expected)
if(NOT program STREQUAL expected)
  message(FATAL_ERROR "bin/brisko99 leads to ${program}, not ${expected}")
endif()

file(READ ${prefix}/share/applications/org.brisko99.brisko99.desktop entry)
foreach(line "Exec=brisko99" "Icon=brisko99" "Name=BRISKO 99" "Type=Application")
  string(FIND "${entry}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()

find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                          ${prefix}/share/metainfo/org.brisko99.brisko99.metainfo.xml
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli: ${out}")
  endif()
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE}
                          ${prefix}/share/applications/org.brisko99.brisko99.desktop
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate: ${out}")
  endif()
endif()
file(REMOVE_RECURSE ${OUT})
