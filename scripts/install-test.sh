#!/usr/bin/env bash
# Installs a build into a temporary prefix, moves the installed tree
# elsewhere, and runs the installed programs from there: the command-line
# tool must report its version, set up a first start from the installed
# sample company, depreciate it and save a company from the installed blank
# company; the desktop program must start offscreen on a first start, copy
# the shipped files and keep running until it is stopped. Then the shipped
# files are taken away again, and the first start must fail: the programs
# found the installed files, not some other copy.
#
# Usage: scripts/install-test.sh [BUILD_DIR]   (default: build)
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
build=${1:-build}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
failed() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cmake --install "$build" --prefix "$work/staged" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "install test: cmake --install $build failed" >&2
    exit 1
fi
# The programs must find their files relative to where they are now.
prefix=$work/moved/prefix
mkdir -p "$work/moved"
mv "$work/staged" "$prefix"

for file in bin/czxdprn-cli bin/czxdprn \
    share/czxdprn/czxdprnd.mdb share/czxdprn/czxdmthd.mdb share/czxdprn/czxblank.mdb \
    share/applications/czxdprn.desktop share/icons/hicolor/scalable/apps/czxdprn.svg \
    share/man/man1/czxdprn-cli.1 share/doc/czxdprn/userguide.html; do
    [ -s "$prefix/$file" ] || failed "$file is not installed"
done
[ "$failures" -eq 0 ] || exit 1
cli=$prefix/bin/czxdprn-cli
desktop=$prefix/bin/czxdprn

# The desktop entry starts the installed program and shows the installed icon.
entry=$prefix/share/applications/czxdprn.desktop
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon_name=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$prefix/bin/$exec_name" ] || failed "the desktop entry starts '$exec_name', which is not installed"
[ -s "$prefix/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
    failed "the desktop entry shows the icon '$icon_name', which is not installed"
grep -qx "Categories=Office;Finance;" "$entry" || failed "the desktop entry is not under Office and Finance"

version=$("$cli" --version 2>&1) || failed "czxdprn-cli --version exits $?: $version"
grep -q "Federal law through 2026" <<<"$version" ||
    failed "czxdprn-cli --version does not name the federal law: $version"

# A user who has never run the program: fresh settings and data folders.
fresh_user() {
    local home=$work/$1
    rm -rf "$home"
    mkdir -p "$home"
    export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
    userdata=$XDG_DATA_HOME/CZXDprn
}

# A depreciation of every asset on a first start; sets status and out.
first_depreciation() {
    fresh_user "$1"
    out=$("$cli" depreciate --all 2>&1)
    status=$?
}

first_depreciation cli-user
if [ "$status" -ne 0 ]; then
    failed "the installed czxdprn-cli cannot depreciate on a first start ($status): $out"
elif ! grep -Eq "^Tax pass computed [1-9][0-9]* assets" <<<"$out"; then
    failed "the first-start depreciation computed no assets: $out"
fi
# The company was depreciated above; the other two are as installed.
for name in czxdmthd.mdb czxblank.mdb; do
    cmp -s "$prefix/share/czxdprn/$name" "$userdata/$name" ||
        failed "the first start did not copy the installed $name"
done

# A copy of the installed sample company, depreciated and saved: the saved
# file is made from the installed blank company (the folder holds none).
company=$work/company
mkdir -p "$company"
cp "$prefix/share/czxdprn/czxdprnd.mdb" "$company/"
out=$("$cli" --data "$company" depreciate --all 2>&1) ||
    failed "the installed czxdprn-cli cannot depreciate a copy of the sample company: $out"
grep -Eq "^Tax pass computed [1-9][0-9]* assets" <<<"$out" ||
    failed "the depreciation of the sample company computed no assets: $out"
out=$("$cli" --data "$company" save-company "$work/saved.mdb" 2>&1) ||
    failed "the installed czxdprn-cli cannot save a company: $out"
[ -s "$work/saved.mdb" ] || failed "save-company wrote no file"

# The desktop program runs until the timeout stops it (status 124).
start_desktop() {
    fresh_user "$1"
    QT_QPA_PLATFORM=offscreen timeout 10 "$desktop" >"$work/desktop.out" 2>&1
    status=$?
}
start_desktop desktop-user
[ "$status" -eq 124 ] ||
    failed "the installed czxdprn ended by itself ($status): $(cat "$work/desktop.out")"
for name in czxdprnd.mdb czxdmthd.mdb czxblank.mdb; do
    cmp -s "$prefix/share/czxdprn/$name" "$userdata/$name" ||
        failed "the desktop's first start did not copy the installed $name"
done

# Without the installed data files a first start has no company. The
# programs fall back on the folder of the prefix they were built for; when
# that folder holds the files, this cannot be shown here.
built_for=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")/share/czxdprn
rm -rf "$prefix/share/czxdprn"
if [ -e "$built_for/czxdprnd.mdb" ]; then
    echo "install test: $built_for holds shipped files; the check without the installed ones is skipped"
else
    first_depreciation cli-user-without-data
    [ "$status" -ne 0 ] ||
        failed "czxdprn-cli depreciated without the installed data files: $out"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install test: the installed programs start and find their files"
