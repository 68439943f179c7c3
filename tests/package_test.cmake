# The Debian package: built by CPack into a scratch folder, unpacked into a
# temporary root, and the program started from there.
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
foreach(file usr/bin/vemotarn usr/bin/vemotarn-cli usr/libexec/vemotarn/vemotarn-cli-pdf
             usr/share/vemotarn/Langues/Français.lng usr/share/vemotarn/Langues/English.lng
             usr/share/vemotarn/exemples/extreme12.sku
             usr/share/bash-completion/completions/vemotarn-cli
             usr/share/applications/vemotarn.desktop
             usr/share/metainfo/org.vemotarn.VemoTarn.metainfo.xml
             usr/share/mime/packages/vemotarn.xml
             usr/share/icons/hicolor/scalable/apps/vemotarn.svg)
    if(NOT EXISTS "${WORK}/root/${file}")
        message(FATAL_ERROR "the package lacks ${file}")
    endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                        ${WORK}/root/usr/bin/vemotarn --self-test
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "share/vemotarn/\nlanguage: Français.lng loaded")
    message(FATAL_ERROR "the installed program did not come up with its data: ${status}\n${out}\n${err}")
endif()
