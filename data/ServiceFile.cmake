# SPDX-License-Identifier: MIT
# Writes the D-Bus service file that starts `executable` in automation mode. Used at
# configure time for the build tree and at install time for the install prefix, so the
# Exec= line always holds the absolute path where the program really is.
function(vitalune_write_service_file template output executable)
  # The bus splits Exec= as a shell would: quote a path with anything unusual in it.
  if(executable MATCHES "[^A-Za-z0-9/._+@,:-]")
    string(REPLACE "'" "'\\''" executable "${executable}")
    set(executable "'${executable}'")
  endif()
  set(VITALUNE_EXEC "${executable}")
  configure_file("${template}" "${output}" @ONLY)
endfunction()
