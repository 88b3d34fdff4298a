# Test programs run under 64-bit Wine in a prefix private to this build folder. One wineserver
# is kept alive for the whole run (a CTest fixture), so each program starts in a fraction of a
# second instead of paying Wine's cold start. The session's helper processes are started here,
# with no output attached: one started by a test would hold that test's output open and CTest
# would wait for it until the time-out. A session left by an aborted run would refuse the new
# one, so it is stopped first.
set(TALVO_WINE /usr/lib/wine/wine64 CACHE FILEPATH "Wine loader that runs the x86_64 build")
set(TALVO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
# The bin folder as Wine names it (its Z: drive is the Unix root).
string(REPLACE "/" "\\" TALVO_BIN_WINPATH "Z:${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
configure_file(${PROJECT_SOURCE_DIR}/tools/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

add_test(NAME wine.start
         COMMAND sh -c "TALVO_WINE='${TALVO_WINE}' '${PROJECT_SOURCE_DIR}/tools/wine-prefix.sh' '${TALVO_WINEPREFIX}' && { WINEPREFIX='${TALVO_WINEPREFIX}' wineserver -k 2>/dev/null; WINEPREFIX='${TALVO_WINEPREFIX}' wineserver -w; true; } && WINEPREFIX='${TALVO_WINEPREFIX}' wineserver -p </dev/null >/dev/null 2>&1 && WINEPREFIX='${TALVO_WINEPREFIX}' ${CMAKE_BINARY_DIR}/wine-run wineboot </dev/null >/dev/null 2>&1")
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
add_test(NAME wine.stop COMMAND sh -c "WINEPREFIX='${TALVO_WINEPREFIX}' wineserver -k; true")
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)

# talvo_add_test(<target> [ARGS ...] [LABELS ...]): one CTest test per test program. Programs
# labelled gui show windows.
function(talvo_add_test target)
  cmake_parse_arguments(T "" "" "ARGS;LABELS" ${ARGN})
  add_test(NAME ${target} COMMAND ${target} ${T_ARGS})
  set(fixtures wine)
  if("gui" IN_LIST T_LABELS)
    list(APPEND fixtures windows)
    set_property(GLOBAL APPEND PROPERTY TALVO_GUI_TESTS ${target})
    # Activation and keyboard focus belong to the one display: window tests take turns.
    set_tests_properties(${target} PROPERTIES RESOURCE_LOCK display)
  endif()
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED "${fixtures}" TIMEOUT 600
                       WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin LABELS "${T_LABELS}")
endfunction()

# The test display runs no window manager, yet Wine hands activated top-level windows to one
# and then waits two seconds for it at every hide and destroy. The window test programs' windows
# are marked as not managed (Wine's per-program X11 setting, read when a program starts), once
# every test program is known.
function(_talvo_unmanaged_test_windows)
  get_property(programs GLOBAL PROPERTY TALVO_GUI_TESTS)
  set(reg "REGEDIT4\n")
  foreach(program ${programs})
    string(APPEND reg "\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\${program}.exe\\X11 Driver]\n\"Managed\"=\"N\"\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/wine-test-windows.reg CONTENT "${reg}")
  string(REPLACE "/" "\\" regfile "Z:${CMAKE_BINARY_DIR}/wine-test-windows.reg")
  add_test(NAME wine.windows COMMAND ${CMAKE_BINARY_DIR}/wine-run regedit /s "${regfile}")
  set_tests_properties(wine.windows PROPERTIES FIXTURES_SETUP windows FIXTURES_REQUIRED wine)
endfunction()
cmake_language(DEFER CALL _talvo_unmanaged_test_windows)
