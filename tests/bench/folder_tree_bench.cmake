# The folder tree benchmark: a 64-bit program of its own, run by hand under Wine, never by
# CTest. Included from cmake/windows.cmake after the launcher's libraries are defined.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  add_executable(folder_tree_bench ${CMAKE_SOURCE_DIR}/tests/bench/folder_tree_bench.cpp ${LAUNCHER_RC})
  set_target_properties(folder_tree_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_options(folder_tree_bench PRIVATE ${WIN_COMPILE_OPTIONS})
  # It registers the common controls itself, with comctl32 imported as a test program may.
  target_link_libraries(folder_tree_bench PRIVATE launcher_core comctl32)
  target_link_options(folder_tree_bench PRIVATE ${WIN_LINK_OPTIONS} -mconsole)
endif()
