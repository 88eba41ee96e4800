# The hand-written XML of Data/ (manifests, layouts, records, level files, texts), copied into the
# data folder at the same relative path.

set(manifest_outputs)
file(GLOB_RECURSE manifests RELATIVE ${CMAKE_SOURCE_DIR}/Data CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Data/*.xml)
foreach(manifest IN LISTS manifests)
    set(out ${CORVANE_DATA_OUTPUT_DIR}/${manifest})
    add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/Data/${manifest} ${out}
        DEPENDS ${CMAKE_SOURCE_DIR}/Data/${manifest}
        COMMENT "Copying ${manifest}"
        VERBATIM)
    list(APPEND manifest_outputs ${out})
endforeach()

add_custom_target(fennik_manifests DEPENDS ${manifest_outputs})
add_dependencies(fennik_data fennik_manifests)
list(APPEND data_outputs ${manifest_outputs})
