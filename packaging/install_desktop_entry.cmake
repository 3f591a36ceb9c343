# Install step: writes the desktop entry with the launcher's installed path, so the menu
# starts the game whether or not the session's PATH holds the games folder.
# Expects QUARROW_DESKTOP_TEMPLATE, QUARROW_LAUNCHER and QUARROW_APPLICATIONS_DIR (both
# relative to the prefix).
#
# The entry is written straight into the installed tree, not staged in the build folder,
# so that installs from one build into several trees at once do not trip over each other.
set(LAUNCHER "${CMAKE_INSTALL_PREFIX}/${QUARROW_LAUNCHER}")
set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${QUARROW_APPLICATIONS_DIR}/quarrow2.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${QUARROW_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
