# Native tree: the window-free logic with its unit tests under ASan and UBSan, and the
# registration of every Windows test, which scripts/wine-run.sh runs under Wine.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(launcher_logic STATIC ${LOGIC_SOURCES})
target_include_directories(launcher_logic PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(launcher_logic PUBLIC -Wall -Wextra ${SANITIZE})
target_link_options(launcher_logic PUBLIC ${SANITIZE})
# As in the Windows trees: the launcher's code builds without exceptions and type information.
target_compile_options(launcher_logic PRIVATE -fno-exceptions -fno-rtti)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE launcher_logic GTest::gtest_main)
add_test(NAME unit_tests COMMAND unit_tests)
set_tests_properties(unit_tests PROPERTIES TIMEOUT 120)

set(WIN64_BUILD_DIR ${CMAKE_BINARY_DIR}/../win64 CACHE PATH "the 64-bit Windows build tree")
set(WIN32_BUILD_DIR ${CMAKE_BINARY_DIR}/../win32 CACHE PATH "the 32-bit Windows build tree")
set(WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)

# The Windows test programs are registered here rather than in the 64-bit tree through its
# emulator setting: one CTest run then covers every test, native and Windows, under one
# resource lock for the shared desktop, and several of them span the trees (the Windows 98 run
# picks the 32- or the 64-bit build, the import check reads the 32-bit one). So the toolchain
# file names no emulator; scripts/wine-run.sh is that emulator, called here by name.
# One CTest test per Windows test program: each Wine start costs time. The command is ARGN, else
# the test program of that name. LAUNCHER_TEST_TIMEOUT tells scripts/wine-run.sh the limit, so
# that it stops the program first and removes its prefix copy and CD mount, which CTest's kill
# would leave behind.
function(add_wine_test name timeout)
  set(command ${ARGN})
  if(NOT command)
    set(command ${WINE_RUN} ${WIN64_BUILD_DIR}/tests/${name}.exe)
  endif()
  add_test(NAME ${name} COMMAND ${command})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout} RESOURCE_LOCK desktop
                       ENVIRONMENT LAUNCHER_TEST_TIMEOUT=${timeout})
endfunction()
add_wine_test(win_tests 600)
add_wine_test(e2e_tests 900)
# The restart request ends the Wine session: that test runs alone, in a prefix of its own.
add_wine_test(e2e_restart_tests 120 ${WINE_RUN} ${WIN64_BUILD_DIR}/tests/e2e_tests.exe --gtest_filter=ComponentRestart.*)
# Once more as Windows 98: the shipped 32-bit launcher where Wine runs it, else the 64-bit one.
add_wine_test(e2e_tests_win98 900 ${CMAKE_SOURCE_DIR}/scripts/e2e-win98.sh)
# The end-to-end tests start the launcher from the CD image, mounted read-only as drive D:.
set_property(TEST e2e_tests e2e_restart_tests e2e_tests_win98 APPEND PROPERTY ENVIRONMENT
             DEMO_CD_IMAGE=${WIN64_BUILD_DIR}/QUARLOCK2.iso)
# A test program that dies by a signal, before GoogleTest's summary or at its time limit fails its
# test, and nothing of its run is left.
add_test(NAME wine_run_reports_a_killed_program
         COMMAND ${CMAKE_SOURCE_DIR}/tests/check-wine-run-failures.sh ${WIN64_BUILD_DIR}/tests/win_tests.exe)
set_tests_properties(wine_run_reports_a_killed_program PROPERTIES TIMEOUT 240)
# The README's two commands on a machine without the build's tools reach the installation.
add_test(NAME bare_machine_start COMMAND ${CMAKE_SOURCE_DIR}/tests/check-bare-start.sh)
set_tests_properties(bare_machine_start PROPERTIES TIMEOUT 300)
# The headless demo quits the launcher through its menu and leaves nothing running or mounted.
# Its build step remakes the CD images, which the end-to-end tests mount and the checks of the
# shipped build read: it runs apart from them (lock build_trees).
add_test(NAME run_demo_ends_cleanly COMMAND ${CMAKE_SOURCE_DIR}/tests/check-run-demo.sh)
set_tests_properties(run_demo_ends_cleanly PROPERTIES TIMEOUT 600 RESOURCE_LOCK "desktop;build_trees")

add_test(NAME include_floors COMMAND ${CMAKE_SOURCE_DIR}/tests/check-include-floors.sh)
set_tests_properties(include_floors PROPERTIES TIMEOUT 60)

# The committed bitmaps are what tools/make_artwork.py draws from the menu layout in the
# launcher's source. One run of the generator, about 12 s of one core; two when a file differs.
add_test(NAME artwork COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/check_artwork.py)
set_tests_properties(artwork PROPERTIES TIMEOUT 180)

add_test(NAME shipped_launcher_pe
         COMMAND ${CMAKE_SOURCE_DIR}/tests/check-shipped-pe.sh ${WIN32_BUILD_DIR}/cd/${LAUNCHER_EXE_NAME}.exe
                 ${CMAKE_SOURCE_DIR}/tests/shipped-imports.txt ${CMAKE_SOURCE_DIR}/tests/shipped-dll-names.txt)
set_tests_properties(shipped_launcher_pe PROPERTIES TIMEOUT 60 RESOURCE_LOCK build_trees)
# The shipped launcher and its CD image built once more in a folder under /tmp: the same bytes.
# About a minute on one core here, more while other tests run on the other.
add_test(NAME shipped_build_reproducible
         COMMAND ${CMAKE_SOURCE_DIR}/tests/check-reproducible-build.sh ${WIN32_BUILD_DIR})
set_tests_properties(shipped_build_reproducible PROPERTIES TIMEOUT 600 RESOURCE_LOCK build_trees)
