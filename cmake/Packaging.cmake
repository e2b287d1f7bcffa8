# The Debian package: `cpack -G DEB` in a built tree makes sintonia_<version>_<arch>.deb
# from the install rules. dpkg-shlibdeps finds the libraries the program, the station
# service and the recorder plugin link; what they only use at run time is named here.
set(SINTONIA_PACKAGE_CONTACT "Sintonia maintainers <maintainers@sintonia.invalid>"
  CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sintonia)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${SINTONIA_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "internet radio and TV station directory client")
set(CPACK_PACKAGE_DESCRIPTION
  "Sintonia shows the lists of radio and TV stations a station directory sends and
plays the one you pick in its own window. It records what the sound card plays,
switches stations on by a timetable and shows a news ticker. The package holds the
program, its recorder plugin and the local station service with a demo directory.")
# The program finds its plugin in ../lib/sintonia from its own folder, wherever the
# package puts both.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Sound goes to a PulseAudio server (PipeWire's counts); the icon theme and the Wayland
# platform plugin make the desktop look right but are not needed to run.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse, hicolor-icon-theme, qt6-wayland")

include(CPack)
