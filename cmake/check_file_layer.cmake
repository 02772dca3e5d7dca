# Fails when a source file outside the file-system layer (src/io) calls the
# operating system's file functions itself: every read and write must go
# through the layer, where the rules for links, modes, owners and files
# changed by other programs are kept. The icon generator is a build tool
# that writes only into the build tree.
file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h)
set(posix "open|openat|creat|read|pread|write|pwrite|close|rename|renameat|unlink|unlinkat|remove|stat|lstat|fstat|fstatat|mkdir|rmdir|opendir|fdopendir|readdir|readlink|realpath|access|faccessat|chmod|fchmod|chown|fchown|lchown|flock|mkstemp|mkostemp|truncate|ftruncate|fopen|freopen|fsync|link|symlink|mkfifo|utimensat")
# Qualified calls (::open, std::fopen), unqualified calls of names nothing
# else here uses, and the C++ and GLib file APIs.
set(qualified "(^|[^A-Za-z0-9_])(::|std::)(${posix})[ \t]*\\(")
set(unqualified "(^|[^A-Za-z0-9_.>:])(fopen|freopen|opendir|fdopendir|readdir|mkstemp|mkostemp|readlink|lstat|fstat|unlink|unlinkat|rename|renameat|mkdir|chmod|fchmod|chown|fchown|lchown|flock|ftruncate|fsync|open|openat|creat)\\(")
set(apis "std::(i|o)?fstream|std::filesystem|(^|[^A-Za-z0-9_])g_(file_|fopen|open|stat|lstat|rename|remove|unlink|mkdir|access|chmod)")
set(offenders "")
foreach(f ${files})
  if(f MATCHES "/src/io/" OR f MATCHES "/src/app/icons/")
    continue()
  endif()
  file(STRINGS ${f} hits REGEX "${qualified}|${unqualified}|${apis}")
  if(hits)
    list(APPEND offenders "${f}: ${hits}")
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "File functions called outside src/io:\n${offenders}")
endif()
