# Unpacks the release's zips afresh into one folder, for the checks that read what a user unpacks.
#   cmake -DOUT=FOLDER "-DZIPS=A.zip;B.zip" -P unpack.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
foreach(zip IN LISTS ZIPS)
    file(ARCHIVE_EXTRACT INPUT ${zip} DESTINATION ${OUT})
endforeach()
