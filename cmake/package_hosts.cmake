# Read by CPack before it packages: refuses a build whose marketplace hosts are not the
# marketplace's own (see cmake/packaging.cmake).
if(CPACK_LOTWISE_OTHER_HOSTS)
  list(JOIN CPACK_LOTWISE_OTHER_HOSTS ", " hosts)
  message(FATAL_ERROR "This build was configured with other marketplace hosts (${hosts}) "
                      "and is not packaged: package a build configured without them.")
endif()
