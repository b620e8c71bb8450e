# Presses the CD image of the CD folder: ISO 9660 with Joliet names and nothing else (no Rock
# Ridge: every file read-only, names as Joliet gives them). Every date in it is the last commit's
# (or SOURCE_DATE_EPOCH's, when set; a fixed one without either), so that each build of one
# commit gives the same bytes; the order of the files is the names' order, whatever the folder's.
#
#   cmake -DXORRISO=... -DSOURCE_DIR=... -DCD_DIR=... -DIMAGE=... -P cd-image.cmake
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  # Sources without their history (an exported copy) still give one image for one tree.
  message(STATUS "${SOURCE_DIR} has no commit and SOURCE_DATE_EPOCH is not set: the CD image is dated 1 January 1998")
  set(epoch 883612800)
endif()
set(ENV{SOURCE_DATE_EPOCH} ${epoch})
execute_process(
  COMMAND ${XORRISO} -as mkisofs -quiet --norock -J -joliet-long -V QUARLOCK2
          --set_all_file_dates =${epoch} -o ${IMAGE} ${CD_DIR}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "xorriso could not make ${IMAGE}:\n${output}")
endif()
