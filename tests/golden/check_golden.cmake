# Converts one golden case with the built qe2m4 and compares the destination tree with the
# expected one: the same set of files and folders, every file the same bytes; the source, a
# copy in the work folder, must come out of the run unchanged.
#
#   cmake -DPROGRAM=qe2m4 -DSOURCE_ROOT=DIR -DSOURCE=S:/BORING -DDEST=D:/OUT -DEXPECTED=DIR
#         -DWORK=DIR [-DEMULATOR=wine-run.sh] [-DREFRESH=ON] -P check_golden.cmake
#
# SOURCE_ROOT is drive S: (and the system folder, which holds its Patdat32.ini); drive D: is an
# empty folder; SOURCE and DEST are the run's two paths written with "/" for "\". EMULATOR
# runs a Windows build's program (under Wine, whose drive Z: is this machine's root folder).
# REFRESH=ON writes the converted tree as the new expected tree instead of comparing.
cmake_minimum_required(VERSION 3.25)

foreach(variable PROGRAM SOURCE_ROOT SOURCE DEST EXPECTED WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "check_golden.cmake: ${variable} is not set")
  endif()
endforeach()

# A host folder as the program sees it.
function(program_path variable path)
  if(EMULATOR)
    string(REPLACE "/" "\\" path "Z:${path}")
  endif()
  set(${variable} "${path}" PARENT_SCOPE)
endfunction()

# Every file and folder below root, relative to it, sorted.
function(tree_entries variable root)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${root}" "${root}/*")
  list(SORT entries)
  set(${variable} "${entries}" PARENT_SCOPE)
endfunction()

# Fails unless the trees below expected and actual hold the same entries with the same bytes.
function(compare_trees what expected actual)
  tree_entries(expected_entries "${expected}")
  tree_entries(actual_entries "${actual}")
  if(NOT expected_entries STREQUAL actual_entries)
    set(missing ${expected_entries})
    list(REMOVE_ITEM missing ${actual_entries})
    set(extra ${actual_entries})
    list(REMOVE_ITEM extra ${expected_entries})
    message(FATAL_ERROR "${what}: the files differ from ${expected}\n"
                        "  missing: ${missing}\n  not expected: ${extra}")
  endif()
  if(NOT expected_entries)
    message(FATAL_ERROR "${what}: ${expected} is empty")
  endif()
  set(differing "")
  foreach(entry IN LISTS expected_entries)
    if(IS_DIRECTORY "${expected}/${entry}")
      if(NOT IS_DIRECTORY "${actual}/${entry}")
        list(APPEND differing "${entry} (not a folder)")
      endif()
      continue()
    endif()
    file(READ "${expected}/${entry}" expected_bytes HEX)
    file(READ "${actual}/${entry}" actual_bytes HEX)
    if(NOT expected_bytes STREQUAL actual_bytes)
      file(SIZE "${expected}/${entry}" expected_size)
      file(SIZE "${actual}/${entry}" actual_size)
      list(APPEND differing "${entry} (${actual_size} bytes, expected ${expected_size})")
    endif()
  endforeach()
  if(differing)
    list(JOIN differing "\n  " differing)
    message(FATAL_ERROR "${what}: these files differ from ${expected}:\n  ${differing}")
  endif()
  list(LENGTH expected_entries count)
  message(STATUS "${what}: ${count} files and folders as expected")
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/destination" "${WORK}/settings")
file(COPY "${SOURCE_ROOT}/" DESTINATION "${WORK}/source")

program_path(source_drive "${WORK}/source")
program_path(destination_drive "${WORK}/destination")
string(REPLACE "/" "\\" source_path "${SOURCE}")
string(REPLACE "/" "\\" destination_path "${DEST}")
# No settings of the machine's user (drives.conf, a table of soil readings) reach the run.
set(ENV{XDG_CONFIG_HOME} "${WORK}/settings")
execute_process(
  COMMAND ${EMULATOR} "${PROGRAM}" convert --drive "S=${source_drive}"
          --drive "D=${destination_drive}" --system-dir "${source_drive}" --yes --quiet
          --no-soil-readings "${source_path}" "${destination_path}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The conversion failed (${status}):\n${output}${errors}")
endif()

if(REFRESH)
  file(REMOVE_RECURSE "${EXPECTED}")
  file(COPY "${WORK}/destination/" DESTINATION "${EXPECTED}")
  message(STATUS "Wrote ${EXPECTED}")
else()
  compare_trees("Destination" "${EXPECTED}" "${WORK}/destination")
endif()
compare_trees("Source after the run" "${SOURCE_ROOT}" "${WORK}/source")
file(REMOVE_RECURSE "${WORK}")
