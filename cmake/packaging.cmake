# The Debian package of the desktop program and lotwise-search (scripts/package.sh): what
# the install component "lotwise" holds, under /usr, stripped; its dependencies are those
# dpkg-shlibdeps finds for the programs' libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lotwise)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Lotwise developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find the auctions that already draw bids")
set(CPACK_PACKAGE_DESCRIPTION
    "Lotwise is a desktop tool for sellers on an auction marketplace. It reads the
marketplace's listing or search-result pages, keeps the items with at least a
given number of bids and writes a report that opens in the web browser, the
items with the most bids first. lotwise-search runs the same searches from the
command line, for scripts and scheduled tasks.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Lotwise developers <${LOTWISE_CONTACT_ADDRESS}>")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The report and the links of the Help menu open through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
# Only the program and its files: nothing that tests or tools might ever install.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};lotwise;/")

# A build for other marketplace hosts (the sample marketplace's) is for testing only.
set(CPACK_LOTWISE_OTHER_HOSTS "${lotwise_other_hosts}")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package_hosts.cmake)

include(CPack)
