# Test programs run under 64-bit Wine in a prefix private to this build folder. One wineserver
# is kept alive for the whole run (a CTest fixture), so each program starts in a fraction of a
# second instead of paying Wine's cold start. The session's helper processes are started here,
# with no output attached: one started by a test would hold that test's output open and CTest
# would wait for it until the time-out.
set(TALVO_WINE /usr/lib/wine/wine64 CACHE FILEPATH "Wine loader that runs the x86_64 build")
set(TALVO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
# The bin folder as Wine names it (its Z: drive is the Unix root).
string(REPLACE "/" "\\" TALVO_BIN_WINPATH "Z:${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
configure_file(${PROJECT_SOURCE_DIR}/tools/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

add_test(NAME wine.start
         COMMAND sh -c "TALVO_WINE='${TALVO_WINE}' '${PROJECT_SOURCE_DIR}/tools/wine-prefix.sh' '${TALVO_WINEPREFIX}' && WINEPREFIX='${TALVO_WINEPREFIX}' wineserver -p </dev/null >/dev/null 2>&1 && WINEPREFIX='${TALVO_WINEPREFIX}' ${CMAKE_BINARY_DIR}/wine-run wineboot </dev/null >/dev/null 2>&1")
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
add_test(NAME wine.stop COMMAND sh -c "WINEPREFIX='${TALVO_WINEPREFIX}' wineserver -k; true")
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)

# talvo_add_test(<target> [ARGS ...] [LABELS ...]): one CTest test per test program.
function(talvo_add_test target)
  cmake_parse_arguments(T "" "" "ARGS;LABELS" ${ARGN})
  add_test(NAME ${target} COMMAND ${target} ${T_ARGS})
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600
                       WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin LABELS "${T_LABELS}")
endfunction()
