# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The window started without a desktop session: a plain message that names the
# command-line tool's commands, status 1, and no Qt platform plugin error. Each
# command it shows must then work.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                        --unset=QT_QPA_PLATFORM ${PROGRAM}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT status EQUAL 1)
    message(FATAL_ERROR "expected status 1 without a display, got ${status}\n${out}\n${err}")
endif()
if(NOT err MATCHES "needs a desktop session" OR err MATCHES "platform plugin")
    message(FATAL_ERROR "no plain explanation without a display:\n${err}")
endif()
get_filename_component(folder ${PROGRAM} DIRECTORY)
foreach(command "generate --difficulty difficile --count 3" "show ${folder}/exemples/XYwing1.sku"
                "--help")
    string(FIND "${err}" "${folder}/vemotarn-cli ${command}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "the message does not show '${command}':\n${err}")
    endif()
    separate_arguments(arguments UNIX_COMMAND "${command}")
    execute_process(COMMAND ${folder}/vemotarn-cli ${arguments}
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE cli_err TIMEOUT 120)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "'vemotarn-cli ${command}' failed (${status}): ${cli_err}")
    endif()
endforeach()
# With a platform chosen, as the offscreen tests do, the window still comes up.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                        QT_QPA_PLATFORM=offscreen ${PROGRAM} --self-test
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "offscreen start failed (${status}):\n${out}\n${err}")
endif()
