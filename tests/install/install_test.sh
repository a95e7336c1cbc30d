#!/usr/bin/env bash
# An installed copy: its files in their places, valid desktop entry and
# metainfo, a start that keeps the player's files in the per-user folder, and
# a Debian package with its dependencies.
set -u
source_dir=$1
build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
checks=0
check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    checks=$((checks + 1))
    if ! "$@" >"$work/out" 2>&1; then
        echo "FAIL: $what"
        sed 's/^/    /' "$work/out" | head -20
        failures=$((failures + 1))
    fi
}

id=org.tilvaren.Tilvaren
check "desktop entry is valid" desktop-file-validate "$source_dir/data/$id.desktop"
check "metainfo is valid" appstreamcli validate --no-net "$source_dir/data/$id.metainfo.xml"
check "desktop entry, metainfo and icon share one id" \
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$source_dir/data/$id.metainfo.xml"
check "desktop entry names its icon by the id" grep -qx "Icon=$id" "$source_dir/data/$id.desktop"
check "desktop entry is a logic game" grep -qx "Categories=Game;LogicGame;" "$source_dir/data/$id.desktop"
check "desktop entry has a Japanese name" grep -q "^Name\[ja\]=" "$source_dir/data/$id.desktop"

prefix="$work/prefix"
check "cmake --install" cmake --install "$build_dir" --prefix "$prefix"
for f in bin/tilvaren bin/tilvaren-solutions share/tilvaren/Tilvaren.hlp share/tilvaren/Tilvaren.wav \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/icons/hicolor/128x128/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
         share/man/man6/tilvaren.6; do
    check "installed $f" test -s "$prefix/$f"
done
check "icon renderings have their sizes" bash -c "file '$prefix/share/icons/hicolor/48x48/apps/$id.png' | grep -q '48 x 48'"

# Start the installed copy headless; it must keep its files in the user's folder.
home="$work/home"
mkdir -p "$home/data" "$home/runtime"
chmod 700 "$home/runtime"
HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/tilvaren" >"$work/app.log" 2>&1 &
app=$!
for _ in $(seq 1 300); do
    [ -s "$home/data/tilvaren/Tilvaren.ini" ] && break
    sleep 0.1
done
kill -TERM "$app" 2>/dev/null
wait "$app" 2>/dev/null
check "settings written to the per-user folder" test -s "$home/data/tilvaren/Tilvaren.ini"
check "register created in the per-user folder" test -e "$home/data/tilvaren/Tilvaren.csv"
check "nothing written into the prefix" bash -c "! find '$prefix' -name 'Tilvaren.ini' -o -name 'Tilvaren.csv' | grep -q ."

# The Debian package.
check "cpack builds the package" cpack --config "$build_dir/CPackConfig.cmake" -B "$work/package"
deb=$(ls "$work"/package/*.deb 2>/dev/null | head -n 1)
check "a .deb was made" test -n "$deb"
if [ -n "$deb" ]; then
    dpkg-deb --info "$deb" >"$work/info"
    check "depends on the Qt libraries it links" grep -qE '^ Depends:.*libqt6widgets6' "$work/info"
    check "depends on the Japanese font" grep -qE '^ Depends:.*fonts-ipafont-gothic' "$work/info"
    check "depends on the Qt platform plugins" grep -qE '^ Depends:.*qt6-qpa-plugins' "$work/info"
    check "recommends xdg-utils" grep -qE '^ Recommends:.*xdg-utils' "$work/info"
    dpkg-deb --contents "$deb" >"$work/contents"
    check "the package holds the game" grep -q './usr/bin/tilvaren$' "$work/contents"
    check "the package holds the desktop entry" grep -q "./usr/share/applications/$id.desktop" "$work/contents"
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
