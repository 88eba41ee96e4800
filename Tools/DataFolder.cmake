# The data folder is the program's folder: the engine reads its data files from the folder that
# holds the program (file-system partitions 0 and 1), so fennik is built into
# CORVANE_DATA_OUTPUT_DIR beside its data, and installing copies that folder whole.
set_target_properties(fennik PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CORVANE_DATA_OUTPUT_DIR})
install(DIRECTORY ${CORVANE_DATA_OUTPUT_DIR}/ DESTINATION fennik USE_SOURCE_PERMISSIONS)

# A file whose source was removed would stay in the folder and be shipped (and found by the data
# checker) without anyone noticing: each configure removes, from the folders the build writes,
# every file that no data command makes. Removing a source re-runs the configure step (the lists
# and globs above are its dependencies).
set(data_folders)
foreach(output IN LISTS data_outputs)
    file(RELATIVE_PATH relative ${CORVANE_DATA_OUTPUT_DIR} ${output})
    string(REGEX REPLACE "/.*" "" top ${relative})
    if(NOT top STREQUAL relative)
        list(APPEND data_folders ${top})
    endif()
endforeach()
list(REMOVE_DUPLICATES data_folders)
foreach(folder IN LISTS data_folders)
    file(GLOB_RECURSE present ${CORVANE_DATA_OUTPUT_DIR}/${folder}/*)
    foreach(file IN LISTS present)
        if(NOT file IN_LIST data_outputs)
            message(STATUS "Removing ${file}: no data source makes it any more")
            file(REMOVE ${file})
        endif()
    endforeach()
endforeach()
