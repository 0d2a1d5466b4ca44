# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -P: the release check accepts public HTTPS origins and refuses anything that only
# works on the build machine.
include(${LUMIVANE_SOURCE_DIR}/packaging/cmake/ReleaseUrls.cmake)

if(MODE STREQUAL "loopback-defaults")
    set(LUMIVANE_API_BASE_URL "http://127.0.0.1:8787/api")
    set(LUMIVANE_IMAGE_BASE_URL "https://localhost:8787/images/")
    lumivane_check_release_urls()
    return()
endif()

set(failures 0)
macro(expect url verdict)
    lumivane_release_url_problem("${url}" problem)
    if(("${verdict}" STREQUAL "ok") AND NOT problem STREQUAL "")
        message(SEND_ERROR "\"${url}\" should be accepted, got: ${problem}")
    elseif(("${verdict}" STREQUAL "refused") AND problem STREQUAL "")
        message(SEND_ERROR "\"${url}\" should be refused")
    endif()
endmacro()

# The defaults and their disguises.
expect("http://127.0.0.1:8787/api" refused)
expect("http://127.0.0.1:8787/images/" refused)
expect("https://127.0.0.1/api" refused)
expect("https://127.1.2.3:443/" refused)
expect("HTTPS://LOCALHOST/api" refused)
expect("https://localhost.:8443/" refused)
expect("https://images.localhost/" refused)
expect("https://[::1]:8787/api" refused)
expect("https://[0:0:0:0:0:0:0:1]/" refused)
expect("https://[::]/" refused)
expect("https://[::ffff:127.0.0.1]/" refused)
expect("https://0.0.0.0/" refused)
expect("https://deploy@127.0.0.1/api" refused)
# Not HTTPS, or no host at all.
expect("http://api.lumivane.app/api" refused)
expect("ftp://images.lumivane.app/" refused)
expect("api.lumivane.app/api" refused)
expect("https://" refused)
expect("https:///api" refused)
expect("" refused)
expect("   " refused)
# Public origins, including ones that merely look like loopback.
expect("https://api.lumivane.app/api" ok)
expect("https://images.lumivane.app/" ok)
expect("https://cdn.example.org:8443/wallpapers/" ok)
expect("https://127.example.org/" ok)
expect("https://localhost-mirror.example.org/" ok)
expect("https://[2001:db8::1]/api" ok)
expect(" https://api.lumivane.app/api " ok)

# The configure-time check names each offending variable.
set(LUMIVANE_API_BASE_URL "https://api.lumivane.app/api")
set(LUMIVANE_IMAGE_BASE_URL "https://images.lumivane.app/")
lumivane_check_release_urls() # must not stop

execute_process(COMMAND ${CMAKE_COMMAND} -DLUMIVANE_SOURCE_DIR=${LUMIVANE_SOURCE_DIR} -DMODE=loopback-defaults
                        -P ${CMAKE_CURRENT_LIST_FILE}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0)
    message(SEND_ERROR "a release with loopback addresses was not stopped")
endif()
foreach(name LUMIVANE_API_BASE_URL LUMIVANE_IMAGE_BASE_URL)
    if(NOT err MATCHES "${name}=")
        message(SEND_ERROR "the release check does not name ${name}:\n${err}")
    endif()
endforeach()
