# Read by cpack: a Debian package must name its maintainer, and the project invents none.
if(NOT CPACK_DEBIAN_PACKAGE_MAINTAINER)
  message(FATAL_ERROR "The package has no maintainer: give one as QUARROW_MAINTAINER, "
    "for example  make deb QUARROW_MAINTAINER=\"Your Name <you@your.address>\"")
endif()
