# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The manual page of vemotarn-cli describes every command and every option the
# tool's own help lists, so that a new one cannot be left out.
execute_process(COMMAND ${CLI} --help RESULT_VARIABLE status OUTPUT_VARIABLE help)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "vemotarn-cli --help failed: ${status}")
endif()
file(READ ${SOURCE}/man/vemotarn-cli.6 page)
string(REGEX MATCH "\n\\.SH COMMANDS\n.*\n\\.SH OPTIONS\n" commands_section "${page}")
string(REGEX MATCH "\n\\.SH OPTIONS\n.*\n\\.SH EXIT STATUS\n" options_section "${page}")
if(commands_section STREQUAL "" OR options_section STREQUAL "")
    message(FATAL_ERROR "the manual page lacks its COMMANDS or OPTIONS section")
endif()

string(REGEX MATCHALL "\n  [a-z0-9]+ " names "${help}")
list(LENGTH names count)
if(count LESS 10)
    message(FATAL_ERROR "too few commands in the help text: ${help}")
endif()
foreach(name IN LISTS names)
    string(STRIP "${name}" name)
    # An entry of the COMMANDS list: ".TP" and the command in bold.
    if(NOT commands_section MATCHES "\n\\.TP\n(\\.BI? \"?|\\\\fB)${name}[ \"\\\\]")
        message(FATAL_ERROR "the manual page has no entry for the command '${name}'")
    endif()
endforeach()

string(REGEX MATCHALL "--[a-z]+" options "${help}")
list(REMOVE_DUPLICATES options)
foreach(option IN LISTS options)
    string(REPLACE "-" "\\\\-" escaped "${option}")
    if(NOT options_section MATCHES "\n\\.TP\n\\.BI? ${escaped}[ \n]")
        message(FATAL_ERROR "the manual page has no entry for the option '${option}'")
    endif()
endforeach()
