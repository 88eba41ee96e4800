# The campaign's level files (Levels/<name>.xml), written by levelbuild from the rows of the level
# table Data/Levels/Levels.txt. The rows' names are read here so that the build knows every file
# it makes (and the data folder's clean-up keeps them).

set(level_table ${CMAKE_SOURCE_DIR}/Data/Levels/Levels.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${level_table})
file(STRINGS ${level_table} level_lines)
set(level_outputs)
foreach(line IN LISTS level_lines)
    string(REGEX REPLACE "#.*" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^set[ \t]")
        continue()
    endif()
    string(REGEX MATCH "^[^ \t]+" level_name "${line}")
    list(APPEND level_outputs ${CORVANE_DATA_OUTPUT_DIR}/Levels/${level_name}.xml)
endforeach()
add_custom_command(
    OUTPUT ${level_outputs}
    COMMAND levelbuild ${level_table} ${CORVANE_DATA_OUTPUT_DIR}/Levels
    DEPENDS levelbuild ${level_table}
    COMMENT "Building the level files from Levels.txt"
    VERBATIM)
add_custom_target(fennik_levels DEPENDS ${level_outputs})
add_dependencies(fennik_data fennik_levels)
list(APPEND data_outputs ${level_outputs})
