# Shared by the scripts that build and test the web page.

# build_web_page: the page in build-web/page/, built by the "web" preset.
build_web_page() {
    configure web
    cmake --build --preset web > /dev/null
}

# ensure_web_test_modules: the browser driver and axe-core, exactly as tests/web/package-lock.json
# pins them, installed by `npm ci` once per change of the lock file. Node's own npm where it has
# one (NodeSource's nodejs), Debian's npm package otherwise.
ensure_web_test_modules() {
    command -v npm > /dev/null || ensure_packages npm
    local stamp=tests/web/node_modules/.installed-from-lock
    if ! cmp -s tests/web/package-lock.json "$stamp" 2> /dev/null; then
        (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
        cp tests/web/package-lock.json "$stamp"
    fi
}

# export_scenario_table FILE: the window scenarios as JSON, printed by a native build of the table.
export_scenario_table() {
    configure linux
    cmake --build --preset linux --target scenario_table > /dev/null
    build/tests/web/scenario_table > "$1"
}

# build_next_version_page DIR: the page as the next version would be, built in a scratch copy of
# the tree in DIR (its page in DIR/build-web/page/): the version's last number one higher, all
# else the same. The tree itself, and so the release, stays as it is.
build_next_version_page() {
    local scratch=$1
    rm -rf "$scratch"
    mkdir -p "$scratch"
    git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$scratch"
    local version last next
    version=$(sed -n 's/^project(quadrell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
    last=${version##*.}
    next=$(printf '%s.%0*d' "${version%.*}" "${#last}" $((10#$last + 1)))
    sed -i "s/^project(quadrell VERSION $version/project(quadrell VERSION $next/" "$scratch/CMakeLists.txt"
    (cd "$scratch" && configure web && cmake --build --preset web > /dev/null)
}

# run_web_check DRIVER ARGUMENT...: one browser driver; it exits 0 for a pass, 1 for a failure and
# 77 for a skip, which is said as such and fails nothing.
run_web_check() {
    local status=0
    node "$@" || status=$?
    if [ $status -eq 77 ]; then
        echo "SKIPPED: node $*"
        return 0
    fi
    return $status
}
