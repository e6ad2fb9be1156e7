# Under a Linux host the Windows executables run through Wine, in the project's own
# prefix inside the build folder, never the user's.
if(CMAKE_HOST_UNIX AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(VT_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  file(WRITE ${CMAKE_BINARY_DIR}/wine-run
"#!/bin/sh
# Runs a Windows program of this build in the build's own Wine prefix.
export WINEPREFIX='${VT_WINEPREFIX}' WINEARCH=win64
export WINEDEBUG=\${WINEDEBUG:--all} WINEDLLOVERRIDES='mscoree,mshtml='
# The output goes through a file: every process the program starts inherits its
# output descriptors under Wine, and one that outlives it (an agent COM started)
# would otherwise keep CTest waiting on the pipe. A run that is killed (a test's
# time-out) leaves its file in test-output/.
mkdir -p '${CMAKE_BINARY_DIR}/test-output'
out='${CMAKE_BINARY_DIR}/test-output/run.'\$\$'.log'
wine \"$@\" >\"\$out\" 2>&1
status=\$?
# A Windows program always says something before it fails (GoogleTest does); a run
# that failed silently never got to start the program (seen, rarely, under load).
# It is started once more.
if [ \$status -ne 0 ] && [ ! -s \"\$out\" ]; then
  wine \"$@\" >\"\$out\" 2>&1
  status=\$?
fi
cat \"\$out\"
rm -f \"\$out\"
exit \$status
")
  file(CHMOD ${CMAKE_BINARY_DIR}/wine-run PERMISSIONS
       OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()
