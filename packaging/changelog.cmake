# CHANGELOG.md, read into the two release histories that are made from it:
# the Debian package's changelog and AppStream's <releases>.
#
# Its sections are "## VERSION (YYYY-MM-DD)", newest first, each a list of
# "- " items whose lines go on indented by two blanks. The newest section
# must be the project's version: a version is not built before its changes
# are written down for teachers.

# The day of the week of a date, as the changelog of a Debian package names
# it (Tomohiko Sakamoto's method).
function(morvelt_weekday year month day out)
    set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    math(EXPR index "${month} - 1")
    list(GET offsets ${index} offset)
    if(month LESS 3)
        math(EXPR year "${year} - 1")
    endif()
    math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
    list(GET MORVELT_WEEKDAYS ${weekday} name)
    set(${out} ${name} PARENT_SCOPE)
endfunction()
set(MORVELT_WEEKDAYS Sun Mon Tue Wed Thu Fri Sat)
set(MORVELT_MONTHS January February March April May June July August September October
                   November December)

# Writes DEBIAN_FILE, and sets RELEASES_VAR to the <release> elements and
# MONTH_VAR to the newest release's month ("December 2026", as a manual
# page dates itself), from CHANGELOG_FILE.
function(morvelt_release_history changelog_file debian_file releases_var month_var)
    file(READ ${changelog_file} text)
    if(text MATCHES "[][;]")
        # CMake's lists split or join lines there.
        message(FATAL_ERROR "${changelog_file}: write it without semicolons and square brackets")
    endif()
    string(REPLACE "\n" ";" lines "${text}")

    # Each release is read into release_<n>_version, _date and _items, the
    # last a list whose items keep their line breaks.
    set(count 0)
    set(item "")
    foreach(line IN LISTS lines ITEMS "## end")
        if(line MATCHES "^(- |## )" AND NOT item STREQUAL "")
            list(APPEND release_${count}_items "${item}")
            set(item "")
        endif()
        if(line STREQUAL "## end")
            break()
        elseif(line MATCHES "^## ([0-9]+\\.[0-9]+\\.[0-9]+) \\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
            math(EXPR count "${count} + 1")
            set(release_${count}_version ${CMAKE_MATCH_1})
            set(release_${count}_year ${CMAKE_MATCH_2})
            set(release_${count}_month ${CMAKE_MATCH_3})
            set(release_${count}_day ${CMAKE_MATCH_4})
            set(release_${count}_items)
        elseif(line MATCHES "^## ")
            message(FATAL_ERROR "${changelog_file}: \"${line}\" is not \"## VERSION (YYYY-MM-DD)\"")
        elseif(count GREATER 0 AND line MATCHES "^- (.+)$")
            set(item "${CMAKE_MATCH_1}")
        elseif(count GREATER 0 AND NOT item STREQUAL "" AND line MATCHES "^  ([^ ].*)$")
            string(APPEND item "\n${CMAKE_MATCH_1}")
        elseif(count GREATER 0 AND NOT line STREQUAL "")
            message(FATAL_ERROR "${changelog_file}: \"${line}\" is neither an item nor its next line")
        endif()
    endforeach()

    if(count EQUAL 0 OR NOT release_1_version VERSION_EQUAL PROJECT_VERSION)
        message(FATAL_ERROR "${changelog_file}: its newest section is not ${PROJECT_VERSION}, "
                            "the project's version: say there what changed for teachers")
    endif()

    set(debian "")
    set(releases "")
    foreach(n RANGE 1 ${count})
        set(version ${release_${n}_version})
        math(EXPR older "${n} + 1")
        if(DEFINED release_${older}_version AND NOT version VERSION_GREATER release_${older}_version)
            message(FATAL_ERROR "${changelog_file}: ${release_${older}_version} follows ${version} "
                                "but is not older: list the newest first")
        endif()
        if(NOT release_${n}_items)
            message(FATAL_ERROR "${changelog_file}: ${version} says nothing of what changed")
        endif()
        set(year ${release_${n}_year})
        set(month ${release_${n}_month})
        set(day ${release_${n}_day})
        morvelt_weekday(${year} ${month} ${day} weekday)
        math(EXPR month_index "${month} - 1")
        list(GET MORVELT_MONTHS ${month_index} month_name)
        if(n EQUAL 1)
            set(${month_var} "${month_name} ${year}" PARENT_SCOPE)
        endif()
        string(SUBSTRING ${month_name} 0 3 month_name)

        string(APPEND debian "morvelt (${version}) unstable; urgency=medium\n\n")
        string(APPEND releases "    <release version=\"${version}\" date=\"${year}-${month}-${day}\">\n"
                               "      <description>\n        <ul>\n")
        foreach(item IN LISTS release_${n}_items)
            string(REPLACE "\n" "\n    " lines "${item}")
            string(APPEND debian "  * ${lines}\n")
            string(REPLACE "&" "&amp;" item "${item}")
            string(REPLACE "<" "&lt;" item "${item}")
            string(REPLACE ">" "&gt;" item "${item}")
            string(REPLACE "\n" " " item "${item}")
            string(APPEND releases "          <li>${item}</li>\n")
        endforeach()
        string(APPEND debian "\n -- ${MORVELT_CONTACT}  ${weekday}, ${day} ${month_name} ${year} 12:00:00 +0000\n")
        if(n LESS count)
            string(APPEND debian "\n")
        endif()
        string(APPEND releases "        </ul>\n      </description>\n    </release>\n")
    endforeach()
    # Written only when it changes, so that its package documents are not
    # made again at every configure.
    set(written "")
    if(EXISTS ${debian_file})
        file(READ ${debian_file} written)
    endif()
    if(NOT written STREQUAL debian)
        file(WRITE ${debian_file} "${debian}")
    endif()
    string(REGEX REPLACE "\n$" "" releases "${releases}")
    set(${releases_var} "${releases}" PARENT_SCOPE)
endfunction()
