# Runs at install time, when the prefix is final (`cmake --install --prefix`
# may change it after configuring). The launcher entry names the program by
# its full path: a package puts it in /usr/games and a user install in
# ~/.local/bin, and neither is on every desktop session's search path.
# Expects KLOBBET_DESKTOP_ENTRY, KLOBBET_BINDIR, KLOBBET_DATADIR and
# KLOBBET_STAGING_DIR, set by the install step that includes this script.

function(klobbet_full_dir dir out)
    if(IS_ABSOLUTE "${dir}")
        set(${out} "${dir}" PARENT_SCOPE)
    else()
        set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
    endif()
endfunction()

klobbet_full_dir("${KLOBBET_BINDIR}" bindir)
klobbet_full_dir("${KLOBBET_DATADIR}" datadir)
set(program "${bindir}/klobbet")

# A path with spaces or other reserved characters goes in double quotes, with
# the quoting's own backslashes doubled again by the entry's string escapes.
if(NOT program MATCHES "^[A-Za-z0-9/._+,-]+$")
    string(REPLACE "\\" "\\\\\\\\" program "${program}")
    foreach(reserved "\"" "`" "$")
        string(REPLACE "${reserved}" "\\\\${reserved}" program "${program}")
    endforeach()
    string(REPLACE "%" "%%" program "${program}")
    set(program "\"${program}\"")
endif()

file(READ "${KLOBBET_DESKTOP_ENTRY}" entry)
if(NOT entry MATCHES "\nExec=klobbet\n")
    message(FATAL_ERROR "${KLOBBET_DESKTOP_ENTRY} has no line Exec=klobbet to complete")
endif()
string(REPLACE "\nExec=klobbet\n" "\nExec=${program}\n" entry "${entry}")
get_filename_component(name "${KLOBBET_DESKTOP_ENTRY}" NAME)
file(WRITE "${KLOBBET_STAGING_DIR}/${name}" "${entry}")
file(INSTALL DESTINATION "${datadir}/applications" TYPE FILE
     FILES "${KLOBBET_STAGING_DIR}/${name}")
