# What the built programs ask of the dynamic loader (readelf -d): no runpath
# (the loader would look through the program's folder, in a build tree the
# current folder, for each library); the command a user starts needs no Qt
# library, and the command line's program no widget library (the window's
# program alone loads them).
#   cmake -DBINARY_DIR=<build> -P programlibraries.cmake
foreach(program quillmora quillmora-convert quillmora-window transcoder mediaprobe.so imageconvert/convert)
    execute_process(COMMAND readelf -d ${BINARY_DIR}/${program}
                    OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "readelf cannot read ${program}")
    endif()
    if(dynamic MATCHES "\\((RUNPATH|RPATH)\\)[^\n]*")
        message(FATAL_ERROR "${program} has a runpath: ${CMAKE_MATCH_0}")
    endif()
    if(program STREQUAL "quillmora" AND dynamic MATCHES "\\[libQt6[^]]*\\]")
        message(FATAL_ERROR "quillmora needs ${CMAKE_MATCH_0}: it is to start without Qt")
    endif()
    if(program STREQUAL "quillmora-convert" AND dynamic MATCHES "\\[(libQt6Gui|libQt6Widgets|libvlc)[^]]*\\]")
        message(FATAL_ERROR "quillmora-convert needs ${CMAKE_MATCH_0}, a library of the window's")
    endif()
endforeach()
