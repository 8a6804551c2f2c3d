# Writes the site's service worker from its template: the list of the site's
# files, and the build's name, a hash of every one of them and of the worker.
#   cmake -DSITE=DIR -DFILES=a,b,... -DTEMPLATE=sw.js.in -P make_service_worker.cmake
string(REPLACE "," ";" names "${FILES}")
list(SORT names)
file(SHA256 ${TEMPLATE} contents)
set(VORLIX_SITE_FILES "")
foreach(name ${names})
  file(SHA256 ${SITE}/${name} hash)
  string(APPEND contents " ${name} ${hash}")
  if(VORLIX_SITE_FILES)
    string(APPEND VORLIX_SITE_FILES ", ")
  endif()
  string(APPEND VORLIX_SITE_FILES "'${name}'")
endforeach()
string(SHA256 VORLIX_BUILD "${contents}")
string(SUBSTRING ${VORLIX_BUILD} 0 16 VORLIX_BUILD)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
