# Lays the language files and the manual out beside the program. Run with
# -DSOURCE_DIR=<project> -DPRODUCT_DIR=<portable folder>; copies only what
# changed.
file(GLOB languages ${SOURCE_DIR}/lang/*.lng)
if(languages)
  file(COPY ${languages} DESTINATION ${PRODUCT_DIR})
endif()

file(GLOB_RECURSE manual_files ${SOURCE_DIR}/manual/*)
if(manual_files)
  file(COPY ${SOURCE_DIR}/manual/ DESTINATION ${PRODUCT_DIR}/Manual PATTERN CMakeLists.txt EXCLUDE)
endif()
