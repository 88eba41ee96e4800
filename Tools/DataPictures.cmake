# The game's pictures: the SVG drawings of Data/Art rendered by rsvg-convert into the data folder's
# Art/ as Data/Art/Pictures.txt lists them (its header says how). Every drawing is rendered with a
# style sheet made of Data/Art/Palette.css and the sheets the line adds, so colours live in one place.

find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert is needed to build the game's pictures (Debian: librsvg2-bin; see scripts/setup)")
endif()

set(art_source ${CMAKE_SOURCE_DIR}/Data/Art)
set(art_list ${art_source}/Pictures.txt)
set(art_work ${CMAKE_CURRENT_BINARY_DIR}/art)
set(art_output ${CORVANE_DATA_OUTPUT_DIR}/Art)
set(art_states normal hover pressed disabled)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${art_list})

# Sets out_var to a style sheet made of the palette followed by the given sheets (relative to
# Data/Art). A command of the build writes it, rewriting it only when its text changes, so a picture
# is rendered again only when one of its colours changed.
function(art_style_sheet out_var)
    set(sheets ${art_source}/Palette.css)
    set(key palette)
    foreach(sheet IN LISTS ARGN)
        if(NOT EXISTS ${art_source}/${sheet})
            message(FATAL_ERROR "Data/Art/Pictures.txt: style sheet ${sheet} does not exist")
        endif()
        list(APPEND sheets ${art_source}/${sheet})
        string(MAKE_C_IDENTIFIER "${sheet}" id)
        string(APPEND key "+${id}")
    endforeach()
    set(path ${art_work}/styles/${key}.css)
    get_property(made GLOBAL PROPERTY art_sheet_${key})
    if(NOT made)
        set_property(GLOBAL PROPERTY art_sheet_${key} TRUE)
        add_custom_command(
            OUTPUT ${path}
            COMMAND ${CMAKE_COMMAND} -DOUTPUT=${path} "-DSHEETS=${sheets}" -P ${CMAKE_CURRENT_SOURCE_DIR}/WriteDataText.cmake
            DEPENDS ${sheets} ${CMAKE_CURRENT_SOURCE_DIR}/WriteDataText.cmake
            COMMENT "Style sheet ${key}"
            VERBATIM)
    endif()
    set(${out_var} ${path} PARENT_SCOPE)
endfunction()

# Adds the command rendering svg (relative to Data/Art) to png with sheet; size is "" or WxH.
function(art_render svg png sheet size comment)
    set(size_options)
    if(size)
        string(REPLACE "x" ";" extent ${size})
        list(GET extent 0 width)
        list(GET extent 1 height)
        set(size_options --width ${width} --height ${height})
    endif()
    get_filename_component(folder ${png} DIRECTORY)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${RSVG_CONVERT} --stylesheet ${sheet} ${size_options} --output ${png} ${art_source}/${svg}
        DEPENDS ${art_source}/${svg} ${sheet}
        COMMENT "${comment}"
        VERBATIM)
endfunction()

set(art_outputs)
file(STRINGS ${art_list} art_lines)
foreach(line IN LISTS art_lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
        continue()
    endif()
    string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
    list(POP_FRONT fields name kind)
    set(sources)
    set(styles)
    set(size "")
    set(columns "")
    foreach(field IN LISTS fields)
        if(field MATCHES "^style=(.+)$")
            list(APPEND styles ${CMAKE_MATCH_1})
        elseif(field MATCHES "^size=([0-9]+x[0-9]+)$")
            set(size ${CMAKE_MATCH_1})
        elseif(field MATCHES "^columns=([0-9]+)$")
            set(columns --columns ${CMAKE_MATCH_1})
        elseif(field MATCHES "\\.svg$")
            if(NOT EXISTS ${art_source}/${field})
                message(FATAL_ERROR "Data/Art/Pictures.txt: ${name}: ${field} does not exist")
            endif()
            list(APPEND sources ${field})
        else()
            message(FATAL_ERROR "Data/Art/Pictures.txt: ${name}: '${field}' is neither a drawing (.svg) nor an option")
        endif()
    endforeach()
    list(LENGTH sources source_count)
    if(source_count EQUAL 0)
        message(FATAL_ERROR "Data/Art/Pictures.txt: ${name} names no drawing")
    endif()
    list(GET sources 0 first_source)
    if(NOT kind STREQUAL "strip" AND source_count GREATER 1)
        message(FATAL_ERROR "Data/Art/Pictures.txt: ${name}: only a strip is made of several drawings")
    endif()
    set(out ${art_output}/${name})

    if(kind STREQUAL "png")
        art_style_sheet(sheet ${styles})
        art_render(${first_source} ${out}.png ${sheet} "${size}" "Drawing ${name}")
        list(APPEND art_outputs ${out}.png)
    elseif(kind STREQUAL "jpeg" OR kind STREQUAL "jpeg-masked")
        art_style_sheet(sheet ${styles})
        set(rendered ${art_work}/renders/${name}.png)
        art_render(${first_source} ${rendered} ${sheet} "${size}" "Drawing ${name}")
        set(jpeg_outputs ${out}.jpg)
        set(mask_option)
        if(kind STREQUAL "jpeg-masked")
            list(APPEND jpeg_outputs ${out}_mask.png)
            set(mask_option --mask ${out}_mask.png)
        endif()
        add_custom_command(
            OUTPUT ${jpeg_outputs}
            COMMAND imagebuild jpeg --output ${out}.jpg ${mask_option} ${rendered}
            DEPENDS imagebuild ${rendered}
            COMMENT "Storing ${name} as JPEG"
            VERBATIM)
        list(APPEND art_outputs ${jpeg_outputs})
    elseif(kind STREQUAL "states")
        # One picture per control state, numbered as the button's image list counts them.
        set(index 0)
        foreach(state IN LISTS art_states)
            art_style_sheet(sheet ${styles} States/${state}.css)
            art_render(${first_source} ${out}_${index}.png ${sheet} "${size}" "Drawing ${name} (${state})")
            list(APPEND art_outputs ${out}_${index}.png)
            math(EXPR index "${index} + 1")
        endforeach()
    elseif(kind STREQUAL "toggle")
        # A two-state control (a check box): its four states, then the same four checked.
        set(index 0)
        foreach(checked IN ITEMS "" States/checked.css)
            foreach(state IN LISTS art_states)
                art_style_sheet(sheet ${styles} States/${state}.css ${checked})
                art_render(${first_source} ${out}_${index}.png ${sheet} "${size}" "Drawing ${name} (${state} ${checked})")
                list(APPEND art_outputs ${out}_${index}.png)
                math(EXPR index "${index} + 1")
            endforeach()
        endforeach()
    elseif(kind STREQUAL "strip")
        art_style_sheet(sheet ${styles})
        set(frames)
        set(index 0)
        foreach(source IN LISTS sources)
            set(frame ${art_work}/renders/${name}.frame${index}.png)
            art_render(${source} ${frame} ${sheet} "${size}" "Drawing ${name} (frame ${index})")
            list(APPEND frames ${frame})
            math(EXPR index "${index} + 1")
        endforeach()
        add_custom_command(
            OUTPUT ${out}.png
            COMMAND imagebuild strip --output ${out}.png ${columns} ${frames}
            DEPENDS imagebuild ${frames}
            COMMENT "Joining the film strip ${name}"
            VERBATIM)
        list(APPEND art_outputs ${out}.png)
    else()
        message(FATAL_ERROR "Data/Art/Pictures.txt: ${name}: unknown kind '${kind}' (png, jpeg, jpeg-masked, states, toggle, strip)")
    endif()
endforeach()

add_custom_target(fennik_pictures DEPENDS ${art_outputs})
add_dependencies(fennik_data fennik_pictures)
list(APPEND data_outputs ${art_outputs})
