# Read by cpack when it makes the package: a Debian package names its
# maintainer, and that is whoever makes it, as Debian's own tools take it.
if(NOT DEFINED ENV{DEBEMAIL} OR NOT DEFINED ENV{DEBFULLNAME})
  message(FATAL_ERROR "A Debian package names its maintainer: set DEBFULLNAME and DEBEMAIL "
                      "to your name and e-mail address")
endif()
set(CPACK_PACKAGE_CONTACT "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
