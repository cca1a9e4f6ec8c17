; The entry in Add/Remove Programs, under ${ROOT}; $0 is the folder's size
; in KiB.
WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\klobbet.exe,0"
WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "URLInfoAbout" "https://klobbet.org/"
WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "EstimatedSize" $0
WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "NoModify" 1
WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "NoRepair" 1
