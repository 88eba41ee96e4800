# Writes a small text file of the data build, and only when its text changes, so that what is made
# from it is remade only then (the build's commands re-read their outputs' times).
#   cmake -DOUTPUT=file -DSHEETS="a.css;b.css" -P WriteDataText.cmake    the sheets, one after another
#   cmake -DOUTPUT=file -DTEXT=words -P WriteDataText.cmake              the words
if(DEFINED SHEETS)
    set(TEXT "")
    foreach(sheet IN LISTS SHEETS)
        file(READ "${sheet}" more)
        string(APPEND TEXT "${more}\n")
    endforeach()
endif()
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${TEXT}" @ONLY)
