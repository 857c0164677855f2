# Installs the build tree into a scratch prefix (with a blank in its name) and checks
# that the desktop finds everything it needs there.
#   cmake -DBUILD_DIR=... -DSCRATCH=... -P CheckInstall.cmake
set(prefix "${SCRATCH}/install prefix")
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(file
    bin/vitalune
    share/dbus-1/services/Orvane.clsPluginInterface.service
    share/dbus-1/interfaces/Orvane._clsPluginInterface.xml
    share/applications/vitalune.desktop
    share/icons/hicolor/16x16/apps/vitalune.png
    share/icons/hicolor/128x128/apps/vitalune.png
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

file(READ "${prefix}/share/applications/vitalune.desktop" desktop)
foreach(line "Exec=vitalune" "Icon=vitalune" "Type=Application")
  string(FIND "${desktop}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop file lacks ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE "${SCRATCH}")
