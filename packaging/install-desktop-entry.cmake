# Installs the desktop entry with the program named by its full path in every Exec line: folders
# such as /usr/games or ~/.local/bin are not on the search path of every session (root's, or a
# session manager's), from which a bare "Numbolo" would not start. Runs at install time, so the
# path is the one of this installation also under `cmake --install --prefix`. A path that would
# need quoting in the entry is left to the search path, as the entry names it.
#
# Set by the install(CODE) before it: NUMBOLO_DESKTOP_ENTRY (the entry's source),
# NUMBOLO_BINDIR (the program's folder, relative to the prefix or absolute),
# NUMBOLO_APPLICATIONS_DIR (relative to the prefix) and NUMBOLO_STAGING_DIR (a build folder).
set(bindir "${NUMBOLO_BINDIR}")
if(NOT IS_ABSOLUTE "${bindir}")
    set(bindir "${CMAKE_INSTALL_PREFIX}/${bindir}")
endif()
file(READ "${NUMBOLO_DESKTOP_ENTRY}" entry)
if(bindir MATCHES "^[A-Za-z0-9/._+-]+$")
    string(REGEX REPLACE "\nExec=Numbolo" "\nExec=${bindir}/Numbolo" entry "${entry}")
endif()
get_filename_component(name "${NUMBOLO_DESKTOP_ENTRY}" NAME)
file(WRITE "${NUMBOLO_STAGING_DIR}/${name}" "${entry}")
# file(INSTALL) adds DESTDIR and records the file in install_manifest.txt, as install(FILES) does.
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${NUMBOLO_APPLICATIONS_DIR}" TYPE FILE
    FILES "${NUMBOLO_STAGING_DIR}/${name}")
