# Installs the build into a fresh prefix and starts the installed program as
# its desktop entry does (offscreen, with NOCTAVO_START_REPORT): it must
# find its data in the installed tree, load every data file exactly as the
# program in the build tree does, and write nothing into that tree.
#   cmake -DBUILD=<build dir> -DPREFIX=<scratch dir> -DSCREEN_CONFIG=<json> -P CheckInstalledTree.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${err}")
endif()

set(share "${PREFIX}/share")
set(expected bin/noctavo share/applications/noctavo.desktop share/metainfo/org.noctavo.Noctavo.metainfo.xml
    share/icons/hicolor/scalable/apps/noctavo.svg share/doc/noctavo/copyright share/doc/noctavo/SOURCES.md)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/noctavo.png)
endforeach()
foreach(file ${expected})
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The program the desktop entry starts, found in the installed bin/.
file(STRINGS "${share}/applications/noctavo.desktop" exec REGEX "^Exec=")
string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" program "${exec}")
if(NOT EXISTS "${PREFIX}/bin/${program}")
  message(FATAL_ERROR "the desktop entry starts \"${program}\", which is not in ${PREFIX}/bin")
endif()

# Starts a program with the start report in a home of its own; the report.
function(start_report executable home result)
  file(MAKE_DIRECTORY "${home}")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env --unset=NOCTAVO_HELP_DIR --unset=NOCTAVO_DATA_DIR
            "QT_QPA_PLATFORM=offscreen:configfile=${SCREEN_CONFIG}" NOCTAVO_START_REPORT=1
            "NOCTAVO_SETTINGS=${home}/settings.ini" "NOCTAVO_LOCK_DIR=${home}" "HOME=${home}"
            "XDG_DATA_HOME=${home}/data" "XDG_CONFIG_HOME=${home}/config" "${executable}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${executable} ended with ${rc}:\n${err}\n${out}")
  endif()
  set(${result} "${out}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE before RELATIVE "${share}/noctavo" "${share}/noctavo/*")
start_report("${PREFIX}/bin/${program}" "${PREFIX}/home-installed" installed)
start_report("${BUILD}/noctavo" "${PREFIX}/home-build" built)
file(GLOB_RECURSE after RELATIVE "${share}/noctavo" "${share}/noctavo/*")
message(STATUS "The installed program reports:\n${installed}")

if(NOT installed MATCHES "Data folder: ${share}/noctavo/\n")
  message(FATAL_ERROR "the installed program did not read its installed data folder")
endif()
foreach(count Stars "Named stars" "Constellation figures" "NGC objects" Towns Maps Pictures "Readable pictures"
              "Help topics" "Graph lines")
  string(REGEX MATCH "${count}: ([0-9]+)" line "${installed}")
  set(number "${CMAKE_MATCH_1}")
  if(number STREQUAL "" OR number EQUAL 0)
    message(FATAL_ERROR "the installed program loaded no ${count}")
  endif()
  string(REGEX MATCH "${count}: ([0-9]+)" line "${built}")
  if(NOT CMAKE_MATCH_1 EQUAL number)
    message(FATAL_ERROR "${count}: ${number} installed, ${CMAKE_MATCH_1} in the build tree")
  endif()
endforeach()
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the program wrote into its installed data folder")
endif()
