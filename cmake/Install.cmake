# Where desktops look for the game: the program, its launcher entry, its icon
# and its entry in software catalogues. Included after the klobbet target,
# with GNUInstallDirs.

set(KLOBBET_APP_ID org.klobbet.Klobbet)
set(klobbet_data_dir "${CMAKE_CURRENT_LIST_DIR}/../data")

install(TARGETS klobbet RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${klobbet_data_dir}/${KLOBBET_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${klobbet_data_dir}/${KLOBBET_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# The icon is 32 x 32 pixel art, so it only comes in whole multiples of that,
# each a block-for-pixel copy drawn once by data/icons/render. Sizes in
# between would need smoothing and blur the figure; desktops scale the
# nearest size themselves.
install(FILES "${KLOBBET_ART_DIR}/icon.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps"
        RENAME "${KLOBBET_APP_ID}.png")
foreach(size 64 128 256)
    install(FILES "${klobbet_data_dir}/icons/${size}x${size}/${KLOBBET_APP_ID}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
