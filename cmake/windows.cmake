# Windows trees (cross-compiled): the launcher, the demo CD folder and, in the 64-bit
# tree, the Windows test programs.
enable_language(RC)

set(WIN_COMPILE_OPTIONS -Wall -Wextra)
# The launcher's own code needs neither exceptions nor run-time type information; each function
# in a section of its own lets the linker drop what nothing calls. Not -fdata-sections: for this
# target GCC then gives every zero-initialised variable a .data section of its own, zeros
# included, which is 28 KB more file for the display mode table alone (.bss costs no file).
# A global object's destructor goes into the linker's table of destructors, which the launcher's
# entry point runs at its end (launcher/main.cpp), and not to atexit, which only a C runtime has.
set(PRODUCT_COMPILE_OPTIONS -fno-exceptions -fno-rtti -ffunction-sections -fno-use-cxa-atexit)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # Nor unwind tables, which 32-bit Windows never reads (its exception handling keeps its records
  # on the stack); 64-bit Windows unwinds every frame through its tables, so they stay there.
  # Code for the original Pentium, the game's minimum: i686, the compiler's default, would bring
  # the Pentium Pro's conditional moves and x87 comparisons, on which a Pentium faults. Static
  # data aligned as the ABI asks, not to later processors' cache lines: a smaller file.
  list(APPEND PRODUCT_COMPILE_OPTIONS -fno-asynchronous-unwind-tables -march=i586 -mtune=pentium
       -malign-data=abi)
  # No build or source folder in any file of the shipped tree, so that every build of one commit
  # gives the same bytes.
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
endif()
# No link time in the PE header: the same bytes from every build.
set(WIN_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
# Not comctl32, which is not one of Windows' known DLLs: the launcher loads it by its full path in
# the system folder (common/system_libraries.cpp), so that none lying beside it is loaded.
set(WIN_SYSTEM_LIBS ole32 shell32 advapi32 gdi32 user32 kernel32)
set(LAUNCHER_RC ${CMAKE_SOURCE_DIR}/resources/launcher.rc)
# windres reads the bitmaps and the icon, which CMake's scan of the script does not see.
file(GLOB RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.bmp ${CMAKE_SOURCE_DIR}/resources/*.ico
     ${CMAKE_SOURCE_DIR}/resources/*.h)
set_source_files_properties(${LAUNCHER_RC} PROPERTIES OBJECT_DEPENDS "${RESOURCE_FILES}")

add_library(launcher_logic STATIC ${LOGIC_SOURCES})
add_library(launcher_core STATIC ${WIN32_SOURCES})
foreach(lib launcher_logic launcher_core)
  target_include_directories(${lib} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${lib} PRIVATE ${WIN_COMPILE_OPTIONS} ${PRODUCT_COMPILE_OPTIONS})
endforeach()
target_link_libraries(launcher_core PUBLIC launcher_logic ${WIN_SYSTEM_LIBS})

# The launcher and the bare dialog program have no C runtime: msvcrt.dll, which mingw-w64's
# start-up code and string functions come from, is not part of Windows 95 as released. Each
# starts at an entry point of its own; what the code or the compiler needs of the C library is
# the launcher's own (common/c_library.cpp). The static libgcc, linked last, is there for the
# compiler's helpers (64-bit division, the stack probe of a frame over a page); the launcher
# calls none of them today. Linked as C: they use nothing of the C++ library either.
# Windows 95 loads only images whose subsystem version is 4.0. No data is imported from a DLL:
# nothing would apply its pseudo-relocations. Warnings fail the link: an entry point the linker
# cannot find is only a warning to it.
set(LAUNCHER_LINK_OPTIONS ${WIN_LINK_OPTIONS} -nostdlib -Wl,--disable-auto-import -Wl,--fatal-warnings
    -Wl,--gc-sections -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # The shipped program goes without symbols, and without relocations: a program loads at its
  # preferred address on Windows 95 and 98, which never move it, and on later Windows too
  # unless it asks to be moved.
  list(APPEND LAUNCHER_LINK_OPTIONS -s -Wl,--disable-dynamicbase -Wl,--disable-reloc-section)
  set(C_SYMBOL_PREFIX _)
endif()
# CMake would hand a C++ program linked as C the libraries the C++ driver adds by default,
# libstdc++ and libgcc_s (the import library of a DLL).
set(CMAKE_CXX_IMPLICIT_LINK_LIBRARIES "")
function(link_without_runtime target entry)
  set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/common/c_library.cpp)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${target} PRIVATE ${WIN_COMPILE_OPTIONS} ${PRODUCT_COMPILE_OPTIONS})
  target_link_options(${target} PRIVATE ${LAUNCHER_LINK_OPTIONS} -Wl,-e,${C_SYMBOL_PREFIX}${entry})
endfunction()

add_executable(launcher WIN32 launcher/main.cpp ${LAUNCHER_RC})
set_target_properties(launcher PROPERTIES OUTPUT_NAME ${LAUNCHER_EXE_NAME})
link_without_runtime(launcher launcherEntry)
target_link_libraries(launcher PRIVATE launcher_core launcher_logic ${WIN_SYSTEM_LIBS} gcc)

# The floor under the launcher's size: a bare dialog program built the same way, which
# tests/bench/shipped-size.sh measures beside it.
add_executable(bare_dialog WIN32 ${CMAKE_SOURCE_DIR}/tests/bench/bare_dialog.cpp
                                 ${CMAKE_SOURCE_DIR}/tests/bench/bare_dialog.rc)
set_target_properties(bare_dialog PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
link_without_runtime(bare_dialog bareDialogEntry)
target_link_libraries(bare_dialog PRIVATE launcher_logic user32 kernel32 gcc)

# The demo CD: the launcher at the root, the readme, autorun.inf and regist/.
set(CD_DIR ${CMAKE_BINARY_DIR}/cd)
add_custom_command(TARGET launcher POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CD_DIR}/regist
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:launcher> ${CD_DIR}/
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/cdrom/readme.txt ${CMAKE_SOURCE_DIR}/cdrom/autorun.inf ${CD_DIR}/)
include(${CMAKE_SOURCE_DIR}/cdrom/standins.cmake)

# The CD as a publisher presses it (cmake/cd-image.cmake), remade on every build since the
# folder's files come from many targets.
find_program(XORRISO xorriso REQUIRED)
add_custom_target(cd_image ALL
  COMMAND ${CMAKE_COMMAND} -DXORRISO=${XORRISO} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DCD_DIR=${CD_DIR}
          -DIMAGE=${CMAKE_BINARY_DIR}/QUARLOCK2.iso -P ${CMAKE_SOURCE_DIR}/cmake/cd-image.cmake
  COMMENT "CD image ${CMAKE_BINARY_DIR}/QUARLOCK2.iso")
add_dependencies(cd_image launcher)
add_dependencies(cd_image standins)

# The test programs: in every posix tree, that is the 64-bit one and a 32-bit one made for them
# where Wine runs 32-bit programs.
if(MINGW_THREADS STREQUAL "posix")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
  foreach(suite win e2e)
    file(GLOB SUITE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${suite}/*.cpp)
    if(suite STREQUAL "win")
      # The launcher's number formatting and string functions against the Windows runtime they
      # replace, built by the launcher's compiler.
      list(APPEND SUITE_SOURCES ${CMAKE_SOURCE_DIR}/tests/unit/text_format_test.cpp
           ${CMAKE_SOURCE_DIR}/tests/unit/string_functions_test.cpp)
    endif()
    set(SUITE_SUPPORT ${SUPPORT_SOURCES})
    if(suite STREQUAL "win")
      # The end-to-end fixture starts the launcher as a process, which the Windows tests never do.
      list(FILTER SUITE_SUPPORT EXCLUDE REGEX "launcher_e2e\\.cpp$")
    endif()
    add_executable(${suite}_tests ${SUITE_SOURCES} ${SUITE_SUPPORT} ${LAUNCHER_RC})
    set_target_properties(${suite}_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_compile_options(${suite}_tests PRIVATE ${WIN_COMPILE_OPTIONS})
    target_link_libraries(${suite}_tests PRIVATE launcher_core GTest::gtest)
    target_link_options(${suite}_tests PRIVATE ${WIN_LINK_OPTIONS} -mconsole)
    add_dependencies(${suite}_tests launcher)
  endforeach()
  # A DLL that records being loaded (tests/planted/planted_dll.cpp), which the tests lay beside a
  # program or in its current folder, and the end-to-end tests beside a copy of the launcher under
  # a system DLL's name.
  add_library(planted_dll SHARED ${CMAKE_SOURCE_DIR}/tests/planted/planted_dll.cpp)
  set_target_properties(planted_dll PROPERTIES PREFIX "" OUTPUT_NAME planted
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_options(planted_dll PRIVATE ${WIN_COMPILE_OPTIONS})
  target_link_options(planted_dll PRIVATE ${WIN_LINK_OPTIONS})
  add_dependencies(win_tests planted_dll)
  add_dependencies(e2e_tests planted_dll)
endif()
include(${CMAKE_SOURCE_DIR}/tests/bench/folder_tree_bench.cmake)

# Every test is registered in the native tree, which runs the Windows ones under Wine: a ctest
# run in this tree says where they are.
add_test(NAME tests_are_run_from_build_native
         COMMAND ${CMAKE_COMMAND} -E echo "Run the tests with scripts/test.sh, or ctest --test-dir build/native")
