#!/usr/bin/env bash
# An installed copy: its files in their places, valid desktop entry and
# metainfo, a start that keeps the player's files in the per-user folder, and
# a Debian package with its dependencies that lintian accepts and that the
# README's install line installs. That line really installs (and purges) the
# package only where TILVAREN_APT_INSTALL=1 and we are root, as on CI's
# throwaway machine; elsewhere apt simulates it, so no developer's system is
# changed.
set -u
source_dir=$1
build_dir=$2
hardened=${3:-OFF}  # ON where the build has Debian's hardening flags
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
metainfo=$build_dir/data/$id.metainfo.xml
check "desktop entry is valid" desktop-file-validate "$source_dir/data/$id.desktop"
check "metainfo is valid" appstreamcli validate --no-net "$metainfo"
check "metainfo names the licence" grep -q "<project_license>GPL-3.0-or-later</project_license>" "$metainfo"
check "desktop entry, metainfo and icon share one id" \
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
check "desktop entry names its icon by the id" grep -qx "Icon=$id" "$source_dir/data/$id.desktop"
check "desktop entry is a logic game" grep -qx "Categories=Game;LogicGame;" "$source_dir/data/$id.desktop"
# English is the default of every translatable field, Japanese its variant.
for key in Name GenericName Comment Keywords; do
    check "desktop entry's $key is in English and Japanese" \
        bash -c "grep -q '^$key=' '$source_dir/data/$id.desktop' && grep -q '^$key\[ja\]=' '$source_dir/data/$id.desktop'"
done
for tag in name summary developer_name; do
    check "metainfo's <$tag> is in English and Japanese" \
        bash -c "grep -q '<$tag>' '$metainfo' && grep -q '<$tag xml:lang=\"ja\">' '$metainfo'"
done
check "metainfo's description is in English and Japanese, paragraph for paragraph" \
    bash -c "test \$(grep -c '<p>' '$metainfo') -gt 0 && test \$(grep -c '<p>' '$metainfo') -eq \$(grep -c '<p xml:lang=\"ja\">' '$metainfo')"

prefix="$work/prefix"
check "cmake --install" cmake --install "$build_dir" --prefix "$prefix"
for f in games/tilvaren games/tilvaren-solutions share/tilvaren/Tilvaren.hlp share/tilvaren/en/Tilvaren.hlp \
         share/tilvaren/Tilvaren.wav \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/icons/hicolor/128x128/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
         share/man/man6/tilvaren.6.gz share/man/man6/tilvaren-solutions.6.gz \
         share/doc/tilvaren/copyright; do
    check "installed $f" test -s "$prefix/$f"
done
check "icon renderings have their sizes" bash -c "file '$prefix/share/icons/hicolor/48x48/apps/$id.png' | grep -q '48 x 48'"
# gzip -9n: no time stamp (bytes 4 to 7 zero), best compression (byte 8 is 2).
check "manual page compressed by gzip -9n" \
    bash -c "od -An -tx1 -N9 '$prefix/share/man/man6/tilvaren.6.gz' | grep -q '1f 8b 08 00 00 00 00 00 02'"
check "copyright file names GPL-3.0-or-later" \
    grep -qx "License: GPL-3.0-or-later" "$prefix/share/doc/tilvaren/copyright"

# Start the installed copy headless; it must keep its files in the user's folder.
home="$work/home"
mkdir -p "$home/data" "$home/runtime"
chmod 700 "$home/runtime"
HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=0 "$prefix/games/tilvaren" >"$work/app.log" 2>&1 &
app=$!
for _ in $(seq 1 300); do
    [ -s "$home/data/tilvaren/Tilvaren.ini" ] && break
    sleep 0.1
done
kill -TERM "$app" 2>/dev/null
wait "$app" 2>/dev/null
check "settings written to the per-user folder" test -s "$home/data/tilvaren/Tilvaren.ini"
check "register created in the per-user folder" test -e "$home/data/tilvaren/Tilvaren.csv"
# With no argument the installed tool reads the register the installed game
# writes, even where it could write beside itself.
check "tilvaren-solutions finds a register" env HOME="$home" XDG_DATA_HOME="$home/data" ASAN_OPTIONS=detect_leaks=0 \
    "$prefix/games/tilvaren-solutions"
cp "$work/out" "$work/solutions"
check "tilvaren-solutions reads the game's register" grep -q "^Register $home/data/tilvaren/Tilvaren.csv: " "$work/solutions"
check "nothing written into the prefix" bash -c "! find '$prefix' -name 'Tilvaren.ini' -o -name 'Tilvaren.csv' | grep -q ."

# The Debian package.
check "cpack builds the package" cpack --config "$build_dir/CPackConfig.cmake" -B "$work/package"
deb=$(ls "$work"/package/*.deb 2>/dev/null | head -n 1)
check "a .deb was made" test -n "$deb"
if [ -n "$deb" ]; then
    dpkg-deb --info "$deb" >"$work/info"
    dpkg-deb --contents "$deb" >"$work/contents"
    while IFS='|' read -r what pattern file; do
        check "$what" grep -qE "$pattern" "$work/$file"
    done <<TABLE
depends on the Qt libraries it links|^ Depends:.*libqt6widgets6|info
depends on the Japanese font|^ Depends:.*fonts-ipafont-gothic|info
depends on the Qt platform plugins|^ Depends:.*qt6-qpa-plugins|info
depends on Qt's Japanese translation|^ Depends:.*qt6-translations-l10n|info
recommends Qt's Wayland platform, and only that|^ Recommends: qt6-wayland$|info
only suggests xdg-utils|^ Suggests:.*xdg-utils|info
the package holds the game in /usr/games|\./usr/games/tilvaren$|contents
the package holds the desktop entry|\./usr/share/applications/$id\.desktop$|contents
the package holds the compressed manual page|\./usr/share/man/man6/tilvaren\.6\.gz$|contents
the package holds the copyright file|\./usr/share/doc/tilvaren/copyright$|contents
the package holds the English help beside the Japanese|\./usr/share/tilvaren/en/Tilvaren\.hlp$|contents
TABLE

    # Every document that names the version names the package's.
    version=$(dpkg-deb --field "$deb" Version)
    doc=$prefix/share
    while IFS='|' read -r what text command; do
        check "$what names version $version" bash -c "$command | grep -qF -- '$text'"
    done <<TABLE
the manual page|"Tilvaren $version"|zcat '$doc/man/man6/tilvaren.6.gz' | head -n 1
the changelog|tilvaren ($version)|zcat '$doc/doc/tilvaren/changelog.gz' | head -n 1
the metainfo|<release version="$version"|cat '$doc/metainfo/$id.metainfo.xml'
the help file|バージョン $version と|cat '$doc/tilvaren/Tilvaren.hlp'
the English help file|version $version and|cat '$doc/tilvaren/en/Tilvaren.hlp'
TABLE
    check "lintian finds no error" lintian -I --fail-on error "$deb"
    # A hardened build is built as Debian builds its own: fortified functions,
    # stack protector, relro and bindnow (lintian tells the last two only with -I).
    if [ "$hardened" = ON ]; then
        cp "$work/out" "$work/lintian"
        check "lintian finds no hardening missing" bash -c "! grep ' hardening-' '$work/lintian'"
    fi

    # The README's install line, as written but for the package's folder.
    line=$(grep -m 1 -E '^sudo apt install .*\.deb$' "$source_dir/README.md")
    check "the README's install line answers apt's question" grep -qE ' (-y|--yes|--assume-yes) ' <<<"$line"
    check "the README's install line names the package made" test "${line##*/}" = "${deb##*/}"
    read -ra cmd <<<"${line#sudo }"
    cmd[-1]=$deb
    xdg_before=$(dpkg-query -W -f='${Status}' xdg-utils 2>/dev/null)
    if [ "${TILVAREN_APT_INSTALL:-}" = 1 ] && [ "$(id -u)" -eq 0 ] &&
        ! dpkg-query -W -f='${Status}' tilvaren 2>/dev/null | grep -q 'ok installed'; then
        check "the README's install line installs the package" "${cmd[@]}" </dev/null
        check "the installed files are intact" dpkg --verify tilvaren
        check "installing brings in no xdg-utils" \
            test "$(dpkg-query -W -f='${Status}' xdg-utils 2>/dev/null)" = "$xdg_before"
        check "apt-get purge removes it" apt-get purge -y -q tilvaren </dev/null
    else
        check "the README's install line installs the package (simulated)" "${cmd[@]}" --simulate </dev/null
        cp "$work/out" "$work/apt"
        check "installing brings in no xdg-utils" bash -c "! grep -q '^Inst xdg-utils' '$work/apt'"
    fi
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
