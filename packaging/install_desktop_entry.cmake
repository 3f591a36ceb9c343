# Install step: writes the desktop entry with the launcher's installed path, so the menu
# starts the game whether or not the session's PATH holds the games folder.
# Expects QUARROW_DESKTOP_TEMPLATE, QUARROW_DESKTOP_STAGING (a folder in the build),
# QUARROW_LAUNCHER and QUARROW_APPLICATIONS_DIR (both relative to the prefix).
set(LAUNCHER "${CMAKE_INSTALL_PREFIX}/${QUARROW_LAUNCHER}")
configure_file("${QUARROW_DESKTOP_TEMPLATE}" "${QUARROW_DESKTOP_STAGING}/quarrow2.desktop" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${QUARROW_APPLICATIONS_DIR}" TYPE FILE
  FILES "${QUARROW_DESKTOP_STAGING}/quarrow2.desktop")
