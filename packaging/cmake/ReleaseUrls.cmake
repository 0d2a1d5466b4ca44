# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A release build talks to the public catalogue. Building one that still points at the
# loopback reference service (or at plain http) would ship an app that shows nothing, so the
# configure step refuses it.

# Sets <out_var> to an empty string when <url> is fine for a release, else to the reason.
function(lumivane_release_url_problem url out_var)
    string(STRIP "${url}" url)
    string(TOLOWER "${url}" lower)
    if(lower STREQUAL "")
        set(${out_var} "is empty" PARENT_SCOPE)
        return()
    endif()
    if(NOT lower MATCHES "^https://([^/?#]*)")
        set(${out_var} "must start with https://" PARENT_SCOPE)
        return()
    endif()
    set(authority "${CMAKE_MATCH_1}")
    # Drop user info, then the port (for a bracketed IPv6 literal keep the brackets' content).
    string(REGEX REPLACE "^.*@" "" authority "${authority}")
    if(authority MATCHES "^\\[([^]]*)\\]")
        set(host "${CMAKE_MATCH_1}")
    else()
        string(REGEX REPLACE ":[0-9]*$" "" host "${authority}")
    endif()
    string(REGEX REPLACE "\\.$" "" host "${host}")
    if(host STREQUAL "")
        set(${out_var} "has no host" PARENT_SCOPE)
    elseif(host STREQUAL "localhost" OR host MATCHES "\\.localhost$"
           OR host MATCHES "^127\\.[0-9.]+$" OR host MATCHES "^0+(\\.0+)*$"
           OR host MATCHES "^(0*:)*:?0*1?$" OR host MATCHES "^::ffff:127\\.")
        set(${out_var} "points at this machine (${host})" PARENT_SCOPE)
    else()
        set(${out_var} "" PARENT_SCOPE)
    endif()
endfunction()

# Stops the configure step with a clear message when a release build keeps a URL that only
# works on the developer's machine.
function(lumivane_check_release_urls)
    set(problems "")
    foreach(name IN ITEMS LUMIVANE_API_BASE_URL LUMIVANE_IMAGE_BASE_URL)
        lumivane_release_url_problem("${${name}}" problem)
        if(problem)
            string(APPEND problems "\n  ${name}=\"${${name}}\" ${problem}")
        endif()
    endforeach()
    if(problems)
        message(FATAL_ERROR "LUMIVANE_RELEASE=ON needs the public HTTPS addresses of the catalogue:"
            "${problems}\n"
            "Pass them on the command line, e.g.\n"
            "  cmake -DLUMIVANE_RELEASE=ON -DLUMIVANE_API_BASE_URL=https://api.example.org/api"
            " -DLUMIVANE_IMAGE_BASE_URL=https://images.example.org/ …")
    endif()
endfunction()
