# Shared by the scripts that build and test the web page.

# build_web_page: the page in build-web/page/, built by the "web" preset.
build_web_page() {
    configure web
    cmake --build --preset web > /dev/null
}

# ensure_web_test_modules: the browser driver and axe-core, exactly as tests/web/package-lock.json
# pins them, as the web tests' fixture installs them. Node's own npm where it has one (NodeSource's
# nodejs), Debian's npm package otherwise.
ensure_web_test_modules() {
    command -v npm > /dev/null || ensure_packages npm
    cmake -DFOLDER="$PWD/tests/web" -P tests/web/npm_modules.cmake
}

# export_scenario_table FILE: the window scenarios as JSON, printed by a native build of the table.
export_scenario_table() {
    configure linux
    cmake --build --preset linux --target scenario_table > /dev/null
    build/tests/web/scenario_table > "$1"
}

