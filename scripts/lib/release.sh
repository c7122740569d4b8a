# What scripts/release (and so the release tests, tests/release/) makes: the release files, each
# made by one function, from a copy of the committed tree. Everything that could vary between two builds of
# the same commit is pinned: times come from the last commit (SOURCE_DATE_EPOCH), archive members
# have fixed modes and a fixed order, compilers see the tree as "." wherever it lies, and the
# zip's times are written in UTC.

# What making the release files needs, beyond what the Linux and Windows builds need.
RELEASE_PACKAGES=(git nsis zip dpkg-dev file g++-mingw-w64-i686 binutils-mingw-w64)
RELEASE_PACKAGES+=(emscripten "${NUMBER_LIBRARY_PACKAGES[@]}")

# project_version: the version in the top CMakeLists.txt, e.g. "1.00".
project_version() {
    sed -n 's/^project(quadrell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}

# release_file_names VERSION: the files of a release, in the order SHA256SUMS lists them.
release_file_names() {
    echo "quadrell-$1-win32.zip quadrell-$1-setup.exe quadrell_$1_amd64.deb quadrell-$1-web.zip"
}

# export_committed_tree DIR: the last commit's files, without anything uncommitted, in DIR; sets
# SOURCE_DATE_EPOCH to the commit's time. Says so when the work tree has changes it leaves out.
export_committed_tree() {
    local dir="$1"
    if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
        echo "Building the last commit: uncommitted changes are left out" >&2
    fi
    unset SOURCE_DATE_EPOCH
    export_source_date_epoch
    rm -rf "$dir"
    mkdir -p "$dir"
    git archive --format=tar HEAD | tar -x -C "$dir"
}

# build_windows_release TREE: the 32-bit quadrell.exe alone, built by TREE's "release-win32"
# preset; prints its path. Source paths are written relative to TREE, and the linker takes the
# header's time stamp from SOURCE_DATE_EPOCH.
build_windows_release() {
    (cd "$1" && configure release-win32 && cmake --build --preset release-win32 > /dev/null)
    echo "$1/build-release-win32/presentation/win32/quadrell.exe"
}

# build_debian_release TREE: the Debian package, made by the tree's own scripts/package; prints
# its path.
build_debian_release() {
    local tree="$1"
    bash "$tree/scripts/package" > /dev/null 2>&1 || { bash "$tree/scripts/package"; return 1; }
    ls "$tree"/build-package/quadrell_*.deb
}

# with_crlf FILE: the text with Windows line ends.
with_crlf() {
    sed 's/\r*$/\r/' "$1"
}

# stage_windows_files TREE EXE VERSION DIR: what a Windows user gets, in DIR: quadrell.exe,
# LICENSE.txt and README.txt, with the commit's time and fixed modes.
stage_windows_files() {
    local tree="$1" exe="$2" version="$3" dir="$4"
    rm -rf "$dir"
    mkdir -p "$dir"
    cp "$exe" "$dir/quadrell.exe"
    with_crlf "$tree/LICENSE" > "$dir/LICENSE.txt"
    sed "s/@VERSION@/$version/g" "$tree/packaging/windows/README.txt.in" | with_crlf /dev/stdin > "$dir/README.txt"
    chmod 644 "$dir"/*
    chmod 755 "$dir/quadrell.exe"
    touch -d "@$SOURCE_DATE_EPOCH" "$dir"/*
}

# make_zip DIR ZIP: DIR's three files at the top of the zip, in a fixed order, without extra
# fields (owners, Unix times); the zip's own times are local times, so they are written in UTC.
make_zip() {
    local dir="$1" zip="$2"
    rm -f "$zip"
    (cd "$dir" && TZ=UTC zip -q -X -9 "$zip" quadrell.exe LICENSE.txt README.txt)
}

# make_installer TREE DIR VERSION SETUP: the NSIS installer of DIR's files.
make_installer() {
    local tree="$1" dir="$2" version="$3" setup="$4" size_kb
    size_kb=$(( ($(cat "$dir"/* | wc -c) + 1023) / 1024 ))
    rm -f "$setup"
    makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION_QUAD="${version%%.*}.$((10#${version#*.})).0.0" \
        -DFILES="$dir" -DICON="$tree/presentation/icons/quadrell.ico" -DSIZE_KB="$size_kb" \
        -DOUTFILE="$setup" "$tree/packaging/windows/installer.nsi" > /dev/null
}

# build_web_release TREE: the web page, built by TREE's "web" preset; prints its folder.
build_web_release() {
    (cd "$1" && configure web && cmake --build --preset web > /dev/null)
    echo "$1/build-web/page"
}

# make_web_zip TREE PAGE VERSION ZIP: the page's files and the licence in one folder,
# quadrell-VERSION-web/, with the commit's time and fixed modes, in a fixed order.
make_web_zip() {
    local tree="$1" page="$2" version="$3" zip="$4" staged folder="quadrell-$3-web"
    local files=(index.html quadrell.js quadrell.webmanifest service-worker.js quadrell.svg quadrell-256.png)
    staged="$(dirname "$page")/staged-web"
    rm -rf "$staged" "$zip"
    mkdir -p "$staged/$folder"
    cp "${files[@]/#/$page/}" "$staged/$folder/"
    cp "$tree/LICENSE" "$staged/$folder/LICENSE.txt"
    files+=(LICENSE.txt)
    chmod 644 "$staged/$folder"/*
    touch -d "@$SOURCE_DATE_EPOCH" "$staged/$folder"/*
    (cd "$staged" && TZ=UTC zip -q -X -9 -D "$zip" "${files[@]/#/$folder/}")
}

# write_checksums DIST VERSION: SHA256SUMS over the release files, for `sha256sum -c`.
write_checksums() {
    local dist="$1" version="$2"
    (cd "$dist" && sha256sum $(release_file_names "$version") > SHA256SUMS)
}

# make_release DIST: every release file of the last commit in DIST, built in build-release/.
make_release() {
    local dist work version exe
    dist="$(realpath -m "$1")"
    work="$(realpath -m build-release)"
    version="$(project_version)"
    export_committed_tree "$work/tree"
    echo "Building Quadrell $version from commit $(git log -1 --format=%h HEAD) (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
    echo "Windows program"
    exe="$(build_windows_release "$work/tree")"
    stage_windows_files "$work/tree" "$exe" "$version" "$work/windows"
    rm -rf "$dist"
    mkdir -p "$dist"
    echo "Zip"
    make_zip "$work/windows" "$dist/quadrell-$version-win32.zip"
    echo "Installer"
    make_installer "$work/tree" "$work/windows" "$version" "$dist/quadrell-$version-setup.exe"
    echo "Debian package"
    cp "$(build_debian_release "$work/tree")" "$dist/"
    echo "Web page"
    make_web_zip "$work/tree" "$(build_web_release "$work/tree")" "$version" "$dist/quadrell-$version-web.zip"
    write_checksums "$dist" "$version"
    chmod 644 "$dist"/*
}
