# Fails on an #include "room/..." that runs against the rooms' direction:
# app -> ui -> form -> calc, ui -> page; print-helper -> page; web -> form;
# calc and page include only themselves. The tests and the benchmark may
# include any room. A header named without a room is one beside the file or
# one the build generates (ui_form1.h). The calculation, the window's model
# and the browser's page are plain C++: none includes a Qt header.
#
#   cmake -DROOT=<source folder> -P check_includes.cmake
cmake_minimum_required(VERSION 3.25)

set(may_include_calc calc)
set(may_include_page page)
set(may_include_form form calc)
set(may_include_ui ui form page calc)
set(may_include_app app ui form page calc)
set(may_include_print-helper print-helper page)
set(may_include_web web form calc)

set(wrong 0)
foreach(room calc form page ui app print-helper web)
    file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${room}/*.cpp ${ROOT}/${room}/*.h)
    if(NOT sources)
        message(SEND_ERROR "${room}/ holds no C++ source: is ROOT the source folder?")
        math(EXPR wrong "${wrong} + 1")
    endif()
    foreach(source ${sources})
        if(room STREQUAL "calc" OR room STREQUAL "form" OR room STREQUAL "web")
            file(STRINGS ${ROOT}/${source} qt_includes REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
            foreach(include ${qt_includes})
                message(SEND_ERROR "${source}: ${include}: ${room}/ is plain C++, with no Qt")
                math(EXPR wrong "${wrong} + 1")
            endforeach()
        endif()
        file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(include ${includes})
            string(REGEX MATCH "\"([^\"/]+)/" has_room "${include}")
            if(has_room AND NOT CMAKE_MATCH_1 IN_LIST may_include_${room})
                string(REPLACE ";" ", " allowed "${may_include_${room}}")
                message(SEND_ERROR "${source}: ${include}: ${room}/ may include only ${allowed}")
                math(EXPR wrong "${wrong} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()
if(wrong GREATER 0)
    message(FATAL_ERROR "${wrong} include(s) against the rooms' rules")
endif()
