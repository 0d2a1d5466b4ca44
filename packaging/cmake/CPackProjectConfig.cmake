# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack before it builds each package. dpkg-shlibdeps sees the Qt libraries the app
# links, but not the QML modules it imports at run time; those come from the imports in the
# sources, through the table in packaging/qml-imports.txt.

cmake_policy(SET CMP0057 NEW) # if(IN_LIST)

if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()

# Each package's description starts with its own synopsis; CPackDeb would put the project's
# summary in front of it unless the summary is CPack's default.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CPACK_DEFAULT_PACKAGE_DESCRIPTION_SUMMARY}")

file(STRINGS "${CPACK_LUMIVANE_QML_IMPORTS_TABLE}" table_lines REGEX "^[A-Za-z]")
set(known_modules "")
foreach(line IN LISTS table_lines)
    string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
    list(POP_FRONT fields module)
    list(APPEND known_modules "${module}")
    set("packages_of_${module}" "${fields}")
endforeach()

file(GLOB_RECURSE qml_files "${CPACK_LUMIVANE_SOURCE_DIR}/src/*.qml" "${CPACK_LUMIVANE_SOURCE_DIR}/src/*.js"
     "${CPACK_LUMIVANE_SOURCE_DIR}/src/*.mjs")
set(imported "")
foreach(file IN LISTS qml_files)
    file(STRINGS "${file}" lines REGEX "^[ \t]*\\.?import[ \t]+[A-Za-z]")
    foreach(line IN LISTS lines)
        if(line MATCHES "^[ \t]*\\.?import[ \t]+([A-Za-z_][A-Za-z0-9_.]*)")
            list(APPEND imported "${CMAKE_MATCH_1}")
        endif()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES imported)

set(qml_packages "")
set(unknown "")
foreach(module IN LISTS imported)
    if(module STREQUAL "Lumivane" OR module MATCHES "^Lumivane\\.")
        continue() # our own module, compiled into the binary
    endif()
    # The longest listed module that is the import or one of its parents: QtQuick.Controls.Basic
    # is shipped with QtQuick.Controls.
    set(candidate "${module}")
    set(found "")
    while(candidate)
        if(candidate IN_LIST known_modules)
            set(found "${candidate}")
            break()
        endif()
        if(NOT candidate MATCHES "\\.")
            break()
        endif()
        string(REGEX REPLACE "\\.[^.]*$" "" candidate "${candidate}")
    endwhile()
    if(found)
        list(APPEND qml_packages ${packages_of_${found}})
    else()
        list(APPEND unknown "${module}")
    endif()
endforeach()

if(unknown)
    list(JOIN unknown ", " unknown)
    message(FATAL_ERROR "No Debian package is known for the QML import(s) ${unknown}: add them to "
        "${CPACK_LUMIVANE_QML_IMPORTS_TABLE}")
endif()

list(REMOVE_DUPLICATES qml_packages)
list(SORT qml_packages)
list(JOIN qml_packages ", " qml_depends)
if(qml_depends)
    string(APPEND CPACK_DEBIAN_LUMIVANE_PACKAGE_DEPENDS ", ${qml_depends}")
endif()
