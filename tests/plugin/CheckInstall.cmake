# SPDX-License-Identifier: MIT
# Installs the build tree into a scratch prefix (with a blank in its name) and checks
# that the desktop finds everything it needs there, and that the desktop's own checkers
# accept the menu entry, the software-centre metadata and the manual pages.
#   cmake -DBUILD_DIR=... -DSCRATCH=... [-DAPPSTREAMCLI=...] [-DDESKTOP_FILE_VALIDATE=...]
#         [-DMAN=...] -P CheckInstall.cmake
# A checker that is not installed is reported as SKIPPED after every other check passed,
# or fails the test under VITALUNE_REQUIRE_ALL=1.
set(prefix "${SCRATCH}/install prefix")
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(file
    bin/vitalune
    bin/vitalune-host
    share/dbus-1/services/Orvane.clsPluginInterface.service
    share/dbus-1/interfaces/Orvane._clsPluginInterface.xml
    share/applications/com.lumenfold.Vitalune.desktop
    share/metainfo/com.lumenfold.Vitalune.metainfo.xml
    share/icons/hicolor/16x16/apps/com.lumenfold.Vitalune.png
    share/icons/hicolor/128x128/apps/com.lumenfold.Vitalune.png
    share/icons/hicolor/scalable/apps/com.lumenfold.Vitalune.svg
    share/man/man1/vitalune.1.gz
    share/man/man1/vitalune-host.1.gz
    share/doc/vitalune/copyright
    share/vitalune/vitalune.html)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The bus starts the installed program by its absolute path, quoted for the blank.
file(READ "${prefix}/share/dbus-1/services/Orvane.clsPluginInterface.service" service)
string(FIND "${service}" "Exec='${prefix}/bin/vitalune' --automation\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "wrong Exec= line in the installed service file:\n${service}")
endif()
string(FIND "${service}" "Name=Orvane.clsPluginInterface\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "wrong Name= line in the installed service file:\n${service}")
endif()

file(READ "${prefix}/share/applications/com.lumenfold.Vitalune.desktop" desktop)
foreach(line "Exec=vitalune" "Icon=com.lumenfold.Vitalune" "Type=Application")
  string(FIND "${desktop}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop file lacks ${line}")
  endif()
endforeach()

file(READ "${prefix}/share/icons/hicolor/scalable/apps/com.lumenfold.Vitalune.svg" svg)
if(NOT svg MATCHES "<svg [^>]*viewBox=")
  message(FATAL_ERROR "the scalable icon is not an SVG drawing")
endif()

set(skipped)
# check_with(name command...): the checker must succeed and say nothing on stderr.
function(check_with tool)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT err STREQUAL "")
    message(FATAL_ERROR "${tool} refuses what was installed:\n${err}")
  elseif(NOT status EQUAL 0)
    message(FATAL_ERROR "${tool} refuses what was installed:\n${out}")
  endif()
endfunction()

if(APPSTREAMCLI)
  # The whole tree: metadata, the desktop entry it launches and the icons it names.
  check_with(appstreamcli ${APPSTREAMCLI} validate-tree --no-net "${prefix}")
else()
  list(APPEND skipped appstreamcli)
endif()
if(DESKTOP_FILE_VALIDATE)
  check_with(desktop-file-validate ${DESKTOP_FILE_VALIDATE}
             "${prefix}/share/applications/com.lumenfold.Vitalune.desktop")
else()
  list(APPEND skipped desktop-file-validate)
endif()
if(MAN)
  foreach(page vitalune vitalune-host)
    set(ENV{MANWIDTH} 80)
    check_with(man ${MAN} --warnings -l "${prefix}/share/man/man1/${page}.1.gz")
  endforeach()
else()
  list(APPEND skipped man)
endif()

file(REMOVE_RECURSE "${SCRATCH}")
if(skipped AND "$ENV{VITALUNE_REQUIRE_ALL}" STREQUAL "1")
  message(FATAL_ERROR "VITALUNE_REQUIRE_ALL=1, yet not installed: ${skipped}")
elseif(skipped)
  message("SKIPPED: not installed: ${skipped}")
endif()
