# The game's sounds. Every score Data/Sounds/<path>.score is played by soundbuild's synthesiser
# into Sounds/<path>.ogg; every voice cue of Data/Voices/Voices.txt is spoken by espeak-ng and made
# into Voices/<name>.ogg by soundbuild.

find_program(ESPEAK_NG espeak-ng)
if(NOT ESPEAK_NG)
    message(FATAL_ERROR "espeak-ng is needed to speak the game's voice cues (Debian: espeak-ng; see scripts/setup)")
endif()

set(sound_outputs)
set(sound_source ${CMAKE_SOURCE_DIR}/Data/Sounds)
file(GLOB_RECURSE scores RELATIVE ${sound_source} CONFIGURE_DEPENDS ${sound_source}/*.score)
foreach(score IN LISTS scores)
    string(REGEX REPLACE "\\.score$" ".ogg" relative ${score})
    set(out ${CORVANE_DATA_OUTPUT_DIR}/Sounds/${relative})
    add_custom_command(
        OUTPUT ${out}
        COMMAND soundbuild score ${sound_source}/${score} ${out}
        DEPENDS soundbuild ${sound_source}/${score}
        COMMENT "Playing the score ${score}"
        VERBATIM)
    list(APPEND sound_outputs ${out})
endforeach()

# Voices.txt: "speaker NAME VOICE WORDS_PER_MINUTE PITCH" lines, then "CUE SPEAKER words..." lines.
set(voice_list ${CMAKE_SOURCE_DIR}/Data/Voices/Voices.txt)
set(voice_work ${CMAKE_CURRENT_BINARY_DIR}/voices)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${voice_list})
file(STRINGS ${voice_list} voice_lines ENCODING UTF-8)
foreach(line IN LISTS voice_lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
        continue()
    endif()
    if(line MATCHES "^speaker[ \t]+([^ \t]+)[ \t]+([^ \t]+)[ \t]+([0-9]+)[ \t]+([0-9]+)$")
        set(speaker_${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4})
        continue()
    endif()
    if(NOT line MATCHES "^([^ \t]+)[ \t]+([^ \t]+)[ \t]+(.+)$")
        message(FATAL_ERROR "Data/Voices/Voices.txt: '${line}' needs a cue name, a speaker and the words")
    endif()
    set(cue ${CMAKE_MATCH_1})
    set(speaker ${CMAKE_MATCH_2})
    set(words "${CMAKE_MATCH_3}")
    if(NOT DEFINED speaker_${speaker})
        message(FATAL_ERROR "Data/Voices/Voices.txt: ${cue}: speaker '${speaker}' is not defined above it")
    endif()
    list(GET speaker_${speaker} 0 voice)
    list(GET speaker_${speaker} 1 speed)
    list(GET speaker_${speaker} 2 pitch)
    # One small file per cue, rewritten only when its words or its voice change: editing one line
    # speaks only that line again.
    set(script ${voice_work}/${cue}.txt)
    add_custom_command(
        OUTPUT ${script}
        COMMAND ${CMAKE_COMMAND} -DOUTPUT=${script} "-DTEXT=${voice} ${speed} ${pitch} ${words}"
                -P ${CMAKE_CURRENT_SOURCE_DIR}/WriteDataText.cmake
        DEPENDS ${voice_list} ${CMAKE_CURRENT_SOURCE_DIR}/WriteDataText.cmake
        COMMENT "Voice line ${cue}"
        VERBATIM)
    set(spoken ${voice_work}/${cue}.wav)
    set(out ${CORVANE_DATA_OUTPUT_DIR}/Voices/${cue}.ogg)
    add_custom_command(
        OUTPUT ${out}
        BYPRODUCTS ${spoken}
        COMMAND ${ESPEAK_NG} -v ${voice} -s ${speed} -p ${pitch} -w ${spoken} "${words}"
        COMMAND soundbuild voice ${spoken} ${out}
        DEPENDS soundbuild ${script}
        COMMENT "Speaking ${cue}"
        VERBATIM)
    list(APPEND sound_outputs ${out})
endforeach()

add_custom_target(fennik_sounds DEPENDS ${sound_outputs})
add_dependencies(fennik_data fennik_sounds)
list(APPEND data_outputs ${sound_outputs})
