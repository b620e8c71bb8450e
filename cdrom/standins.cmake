# The demo CD's stand-ins for the programs the launcher starts, built in both Windows trees and
# copied into ${CD_DIR}/regist under the names the launcher looks for (see STANDINS.md).
set(STANDIN_OUTPUT_DIR ${CMAKE_BINARY_DIR}/standins)
set(STANDIN_LINK_OPTIONS ${WIN_LINK_OPTIONS})
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # Like the launcher: Windows 95 loads only images whose subsystem version is 4.0.
  list(APPEND STANDIN_LINK_OPTIONS -Wl,--subsystem,windows:4.0
       -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
endif()

add_library(standin_common STATIC ${CMAKE_SOURCE_DIR}/cdrom/standin.cpp
                                  ${CMAKE_SOURCE_DIR}/cdrom/install_layout.cpp)
target_include_directories(standin_common PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(standin_common PRIVATE ${WIN_COMPILE_OPTIONS})
target_link_libraries(standin_common PUBLIC advapi32 gdi32 user32 kernel32)

add_custom_target(standins)

# Copies the built file to regist/<cd_name> on the demo CD.
function(standin_copy_to_cd target cd_name)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CD_DIR}/regist
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${CD_DIR}/regist/${cd_name})
  add_dependencies(standins ${target})
endfunction()

# standin_program(<target> <name on the CD> <source in cdrom/> [compile definitions...])
function(standin_program target cd_name source)
  add_executable(${target} WIN32 ${CMAKE_SOURCE_DIR}/cdrom/${source})
  get_filename_component(stem ${cd_name} NAME_WE)
  get_filename_component(suffix ${cd_name} LAST_EXT)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${stem} SUFFIX ${suffix}
                        RUNTIME_OUTPUT_DIRECTORY ${STANDIN_OUTPUT_DIR})
  target_compile_definitions(${target} PRIVATE ${ARGN})
  target_compile_options(${target} PRIVATE ${WIN_COMPILE_OPTIONS})
  target_link_libraries(${target} PRIVATE standin_common)
  target_link_options(${target} PRIVATE ${STANDIN_LINK_OPTIONS})
  standin_copy_to_cd(${target} ${cd_name})
endfunction()

standin_program(standin_game MirelP.exe game.cpp)
standin_program(standin_setup Qlk2_inst.exe setup.cpp)
standin_program(standin_uninstall Qlk2_uninst.exe uninstall.cpp)
standin_program(standin_directx DXINST.bin component_installer.cpp COMPONENT_DIRECTX)
standin_program(standin_indeo iv5play.exe component_installer.cpp COMPONENT_INDEO)
standin_program(standin_directx_media enduser.exe component_installer.cpp COMPONENT_DIRECTX_MEDIA)

# DXINST.bin is started in regist/ with regist/Directx as its command line.
add_custom_command(TARGET standin_directx POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CD_DIR}/regist/Directx
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/cdrom/directx_folder.txt
          ${CD_DIR}/regist/Directx/about.txt)

# The DirectX setup library is only looked for; a real, empty DLL stands in for it.
add_library(standin_dsetup SHARED ${CMAKE_SOURCE_DIR}/cdrom/dsetup.cpp)
set_target_properties(standin_dsetup PROPERTIES PREFIX "" OUTPUT_NAME Dsetup
                      RUNTIME_OUTPUT_DIRECTORY ${STANDIN_OUTPUT_DIR}
                      ARCHIVE_OUTPUT_DIRECTORY ${STANDIN_OUTPUT_DIR})
target_compile_options(standin_dsetup PRIVATE ${WIN_COMPILE_OPTIONS})
target_link_options(standin_dsetup PRIVATE ${STANDIN_LINK_OPTIONS})
standin_copy_to_cd(standin_dsetup Dsetup.dll)
