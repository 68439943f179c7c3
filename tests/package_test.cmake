# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package: built by CPack into a scratch folder, unpacked into a
# temporary root, the program started from there; then lintian,
# desktop-file-validate and appstreamcli on what was built, which must find
# nothing to say.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/root")
execute_process(COMMAND ${CPACK} --config ${BUILD}/CPackConfig.cmake -G DEB -B ${WORK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${out}\n${err}")
endif()
file(GLOB debs "${WORK}/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package, found: ${debs}")
endif()
execute_process(COMMAND dpkg-deb -f ${debs} Depends OUTPUT_VARIABLE depends)
foreach(needed libqt6widgets6 libqt6printsupport6 libqt6network6 libfluidsynth timgm6mb-soundfont)
    if(NOT depends MATCHES "${needed}")
        message(FATAL_ERROR "the package does not depend on ${needed}: ${depends}")
    endif()
endforeach()
execute_process(COMMAND dpkg-deb -x ${debs} ${WORK}/root RESULT_VARIABLE status)
set(id org.vemotarn.vemotarn)
set(icons)
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND icons usr/share/icons/hicolor/${size}x${size}/apps/vemotarn.png)
endforeach()
foreach(file usr/games/vemotarn usr/games/vemotarn-cli usr/libexec/vemotarn/vemotarn-cli-pdf
             usr/share/vemotarn/Langues/Français.lng usr/share/vemotarn/Langues/English.lng
             usr/share/vemotarn/exemples/extreme12.sku
             usr/share/applications/${id}.desktop
             usr/share/metainfo/${id}.metainfo.xml
             usr/share/mime/packages/vemotarn.xml
             usr/share/icons/hicolor/scalable/apps/vemotarn.svg ${icons}
             usr/share/man/man6/vemotarn.6.gz usr/share/man/man6/vemotarn-cli.6.gz
             usr/share/doc/vemotarn/copyright usr/share/doc/vemotarn/changelog.gz
             usr/share/bash-completion/completions/vemotarn-cli)
    if(NOT EXISTS "${WORK}/root/${file}")
        message(FATAL_ERROR "the package lacks ${file}")
    endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                        ${WORK}/root/usr/games/vemotarn --self-test
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "share/vemotarn/\nlanguage: Français.lng loaded")
    message(FATAL_ERROR "the installed program did not come up with its data: ${status}\n${out}\n${err}")
endif()

# The MIME type: a ".sku" file by its name, a "3x3" record by its content, and
# other text not taken for a puzzle.
execute_process(COMMAND update-mime-database ${WORK}/root/usr/share/mime
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "update-mime-database failed: ${err}")
endif()
file(WRITE ${WORK}/record "3x3: :c:1:4:2:2048:0:0:0:0:2:2:0:9:4:3:4:2:0:8:8:2:0:0:8:0:8\r\n")
file(WRITE ${WORK}/notes "3 by 3 boxes make a Sudoku grid\n")
foreach(pair "usr/share/vemotarn/exemples/extreme12.sku:application/x-vemotarn-sudoku"
             "../record:application/x-vemotarn-sudoku" "../notes:text/plain")
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 file)
    list(GET pair 1 expected)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${WORK}/root/usr/share
                            XDG_DATA_DIRS=/usr/share gio info -a standard::content-type
                            ${WORK}/root/${file}
                    OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT out MATCHES "content-type: ${expected}\n")
        message(FATAL_ERROR "${file} is not seen as ${expected}:\n${out}\n${err}")
    endif()
endforeach()

# lintian at its default profile: no error, no warning, no other tag.
execute_process(COMMAND lintian --fail-on error,warning ${debs}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR out MATCHES "(^|\n)[A-Z]: ")
    message(FATAL_ERROR "lintian (${status}):\n${out}\n${err}")
endif()

# The desktop entry and the AppStream file: not a single remark.
execute_process(COMMAND desktop-file-validate ${WORK}/root/usr/share/applications/${id}.desktop
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate (${status}):\n${out}\n${err}")
endif()
execute_process(COMMAND appstreamcli validate --pedantic --no-net
                        ${WORK}/root/usr/share/metainfo/${id}.metainfo.xml
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR out MATCHES "(^|\n)[EWIP]: " OR out MATCHES "successful:")
    message(FATAL_ERROR "appstreamcli validate (${status}):\n${out}\n${err}")
endif()

# The metainfo names the desktop entry it came with, and its newest release is
# the package's version and the first release of the changelog.
file(READ ${WORK}/root/usr/share/metainfo/${id}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<id>${id}</id>"
   OR NOT metainfo MATCHES "<launchable type=\"desktop-id\">${id}.desktop</launchable>")
    message(FATAL_ERROR "the metainfo does not name ${id}.desktop")
endif()
execute_process(COMMAND dpkg-deb -f ${debs} Version OUTPUT_VARIABLE version
                OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX MATCH "<release version=\"([^\"]*)\" date=\"([^\"]*)\"" release "${metainfo}")
set(release_version "${CMAKE_MATCH_1}")
set(release_date "${CMAKE_MATCH_2}")
execute_process(COMMAND dpkg-parsechangelog -l ${WORK}/root/usr/share/doc/vemotarn/changelog.gz
                        -S Version
                OUTPUT_VARIABLE changelog_version OUTPUT_STRIP_TRAILING_WHITESPACE)
file(STRINGS ${SOURCE}/CHANGELOG.md heading REGEX "^## " LIMIT_COUNT 1 ENCODING UTF-8)
if(NOT release_version STREQUAL version OR NOT changelog_version STREQUAL version
   OR NOT heading MATCHES "^## ${version} .* ${release_date}$")
    message(FATAL_ERROR "versions differ: package ${version}, metainfo ${release_version} "
                        "(${release_date}), changelog.gz ${changelog_version}, CHANGELOG.md '${heading}'")
endif()
