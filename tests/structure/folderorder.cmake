# cmake -DSOURCE_DIR=<source tree> -DBINARY_DIR=<build> -DLIST_DIR=<lists written at generation> -P folderorder.cmake
# The folders include downward only: every "#include" of a project header in
# a folder's files names a folder that the table below lets it include (its
# own folder always). The tools include headers of the core only.
cmake_minimum_required(VERSION 3.22)

# <folder or file>: the project folders it may include besides its own; "*" for any.
# A row for a file holds over its folder's row.
set(table
    "app:"                                 # the model, under everything
    "platform:"                            # the system's services
    "engine: app platform"
    "batch: app platform engine"
    "vlc:"
    "resources:"
    "settings: app platform engine"
    "preview: app platform engine vlc"
    "gifmaker: app platform engine vlc"
    "mainwindow: app platform engine vlc settings preview gifmaker resources"
    "app/main.cpp: platform engine batch mainwindow"
    "packaging: app resources"
    "tools: app platform engine"           # headers of the core only
    "devtools: *"
    "tests: *"
)

set(rows "")
foreach(row IN LISTS table)
    string(REGEX MATCH "^([^:]+):(.*)$" matched "${row}")
    set(key ${CMAKE_MATCH_1})
    string(REGEX REPLACE "[ \t]+" ";" allowed "${CMAKE_MATCH_2}")
    list(FILTER allowed EXCLUDE REGEX "^$")
    list(APPEND rows ${key})
    set(allowed_${key} ${allowed})
endforeach()

file(STRINGS ${LIST_DIR}/core_sources.txt core_sources)
set(core_headers "")
foreach(source IN LISTS core_sources)
    if(source MATCHES "\\.h$" AND source MATCHES "^${SOURCE_DIR}/")
        file(RELATIVE_PATH header ${SOURCE_DIR} ${source})
        list(APPEND core_headers ${header})
    endif()
endforeach()

# Every folder of the tree that holds code has a row.
set(faults "")
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
set(project_folders "")
foreach(entry IN LISTS entries)
    if(NOT IS_DIRECTORY ${SOURCE_DIR}/${entry} OR entry MATCHES "^\\." OR ${SOURCE_DIR}/${entry} STREQUAL BINARY_DIR)
        continue()
    endif()
    file(GLOB_RECURSE code ${SOURCE_DIR}/${entry}/*.cpp ${SOURCE_DIR}/${entry}/*.h)
    if(code)
        list(APPEND project_folders ${entry})
        if(NOT entry IN_LIST rows)
            list(APPEND faults "${entry}/ has no row in the table of tests/structure/folderorder.cmake")
        endif()
    endif()
endforeach()

set(checked 0)
foreach(folder IN LISTS project_folders)
    file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
    foreach(file IN LISTS files)
        set(row ${folder})
        if(file IN_LIST rows)
            set(row ${file})
        endif()
        set(allowed ${allowed_${row}})
        math(EXPR checked "${checked} + 1")
        file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" name "${line}")
            string(REGEX MATCH "^[^/]+" included "${name}")
            if(NOT name MATCHES "/" OR NOT included IN_LIST project_folders OR included STREQUAL folder
               OR "*" IN_LIST allowed)
                continue()
            endif()
            if(NOT included IN_LIST allowed)
                if(allowed)
                    list(JOIN allowed ", " may)
                else()
                    set(may "no other folder")
                endif()
                list(APPEND faults "${file}: ${line}  (${row} may include ${may})")
            elseif(folder STREQUAL "tools" AND NOT name IN_LIST core_headers)
                list(APPEND faults "${file}: ${line}  (the tools include headers of the core only)")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "An include runs back up the folders:\n  ${text}")
endif()
list(LENGTH project_folders folder_count)
message(STATUS "${checked} files in ${folder_count} folders include downward only")
