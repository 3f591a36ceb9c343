# Install step: links resources.res/fonts/arial.font and arialbd.font to the system's
# Liberation Sans, so the fonts come from their own package instead of a copy.
# Expects QUARROW_FONTS_INSTALLED (the installed fonts folder, without DESTDIR) and
# QUARROW_FONT_LINKS (pairs of font file and link name).
#
# Debian wants a link inside /usr to stay relative; a font outside the prefix (an install
# to /usr/local or /opt) is linked by its absolute path, so that tree also runs from a
# DESTDIR.
set(folder "$ENV{DESTDIR}${QUARROW_FONTS_INSTALLED}")
file(MAKE_DIRECTORY "${folder}")
set(links ${QUARROW_FONT_LINKS})
while(links)
  list(POP_FRONT links font name)
  string(FIND "${font}" "${CMAKE_INSTALL_PREFIX}/" at)
  if(at EQUAL 0)
    file(RELATIVE_PATH target "${QUARROW_FONTS_INSTALLED}" "${font}")
  else()
    set(target "${font}")
  endif()
  message(STATUS "Linking: ${folder}/${name} -> ${target}")
  file(REMOVE "${folder}/${name}")
  file(CREATE_LINK "${target}" "${folder}/${name}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${folder}/${name}")
endwhile()
