# Lays the language files and the manual out beside the program. Run with
# -DSOURCE_DIR=<project> -DPRODUCT_DIR=<portable folder> -DPROJECT_VERSION=<version>
# -DLUMETRA_PRODUCT_NAME=<name>; copies only what changed. The manual's pages
# get the version and the product's name here, as the resources do.
file(GLOB languages ${SOURCE_DIR}/lang/*.lng)
if(languages)
  file(COPY ${languages} DESTINATION ${PRODUCT_DIR})
endif()

file(GLOB_RECURSE manual_files ${SOURCE_DIR}/manual/*)
if(manual_files)
  file(COPY ${SOURCE_DIR}/manual/ DESTINATION ${PRODUCT_DIR}/Manual PATTERN CMakeLists.txt EXCLUDE
       PATTERN *.html EXCLUDE)
endif()
file(GLOB pages ${SOURCE_DIR}/manual/*.html)
foreach(page IN LISTS pages)
  get_filename_component(name ${page} NAME)
  configure_file(${page} ${PRODUCT_DIR}/Manual/${name} @ONLY)
endforeach()
