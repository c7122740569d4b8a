# Writes the page's service worker from its template, its cache named after the version and a
# digest of the page and its script. Run after every link of the script.
file(SHA256 ${PAGE}/quadrell.js script_digest)
file(SHA256 ${PAGE}/index.html page_digest)
string(SHA256 digest "${script_digest}${page_digest}")
string(SUBSTRING "${digest}" 0 12 PAGE_HASH)
set(PROJECT_VERSION ${VERSION})
configure_file(${TEMPLATE} ${PAGE}/service-worker.js @ONLY)
