# Where desktops look for the game: the program, its launcher entry, its icon,
# its entry in software catalogues and its manual page. Included after the
# klobbet target, with GNUInstallDirs. A package passes
# CMAKE_INSTALL_BINDIR=games, where Debian puts games.

set(KLOBBET_APP_ID org.klobbet.Klobbet)
set(klobbet_data_dir "${CMAKE_CURRENT_LIST_DIR}/../data")

install(TARGETS klobbet RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(CODE "
    set(KLOBBET_DESKTOP_ENTRY \"${klobbet_data_dir}/${KLOBBET_APP_ID}.desktop\")
    set(KLOBBET_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
    set(KLOBBET_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
    set(KLOBBET_STAGING_DIR \"${CMAKE_CURRENT_BINARY_DIR}\")")
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/InstallDesktopEntry.cmake")
install(FILES "${klobbet_data_dir}/${KLOBBET_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
# French, as is the game: it speaks no other language, so the page stands in
# the untranslated place, where `man klobbet` finds it in every locale.
install(FILES "${klobbet_data_dir}/klobbet.6" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")

# The icon at every size a desktop shows, each drawn for its size by
# tools/art: the window's own 32 x 32 one and the desktop's others.
install(FILES "${KLOBBET_ART_DIR}/icon.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps"
        RENAME "${KLOBBET_APP_ID}.png")
foreach(size 16 24 48 64 128 256)
    install(FILES "${KLOBBET_ART_DIR}/icons/${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME "${KLOBBET_APP_ID}.png")
endforeach()
