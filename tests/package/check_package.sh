#!/usr/bin/env bash
# Builds the Debian package from a built tree, unpacks it into a temporary root and runs the
# programs from there, as a user who installed it would; checks the desktop entry, the project
# file type and the package itself. Exits 77 (skipped) when a packaging tool is missing.
# Usage: check_package.sh BUILD_DIR VERSION
set -euo pipefail
build="$1"
version="$2"

for tool in cpack dpkg-deb dpkg-shlibdeps lintian desktop-file-validate update-desktop-database \
    update-mime-database xvfb-run help2man; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed (scripts/setup installs it)"
        exit 77
    fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
expect_equal() { # what, got, wanted
    [ "$2" = "$3" ] || fail "$1: got '$2', wanted '$3'"
}

# The package, made from the built tree as "cmake --build BUILD --target package" makes it.
if ! (cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out") \
    >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    fail "cpack could not make the package"
fi
deb="$(echo "$work"/out/*.deb)"
[ -f "$deb" ] || fail "no package in $work/out"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

expect_equal "package version" "$(dpkg-deb -f "$deb" Version)" "$version"
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in fonts-ipafont-gothic qt6-translations-l10n libqt6widgets6 libsqlite3-0; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
bin="$root/usr/bin"

# Both programs answer --version without a display.
expect_equal "qdx --version" "$(env -u DISPLAY "$bin/qdx" --version)" "qdx (Quendix Free) $version"
expect_equal "quendix --version" "$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/quendix" --version)" \
    "quendix (Quendix Free) $version"

# The installed tool works on a small project, and the export carries the same version.
project="$work/small.qdx"
"$bin/qdx" demo "$project" --pm 30 --am 90 --seed 5 >/dev/null
"$bin/qdx" search "$project" --direction 0 --top 3 >"$work/search.txt"
rows="$(($(wc -l <"$work/search.txt") - 1))"
[ "$rows" -gt 0 ] || fail "qdx search listed no searching chart"
"$build/src/cli/qdx" search "$project" --direction 0 --top 3 | cmp -s - "$work/search.txt" ||
    fail "the installed qdx searches differently from the built one"
"$bin/qdx" export "$project" "$work/pm.csv" "$work/am.csv" "$work/match.csv"
head -n 2 "$work/pm.csv" | tr -d '\r' | grep -q ",$version\$" ||
    fail "the project export does not write version $version"

# The chart pictures travel with the desktop program, unchanged.
program_dir="$root/usr/lib/quendix"
pictures="$(cd "$build/src/ui" && ls ./*.bmp mask/*.bmp)"
count="$(echo "$pictures" | wc -l)"
[ "$count" -eq 41 ] || fail "the build made $count chart pictures, not 41"
for picture in $pictures; do
    cmp -s "$build/src/ui/$picture" "$program_dir/$picture" || fail "$picture is not installed"
done

# The desktop program starts from the unpacked tree under a virtual display, opens the project
# and pictures its chart gallery. It finds its chart pictures: the gallery looks as the built
# program draws it, and not as it looks without them.
mkdir -m 700 "$work/runtime"
picture() { # PROGRAM OUTPUT
    XDG_RUNTIME_DIR="$work/runtime" xvfb-run -a -s "-screen 0 2560x1600x24" "$1" \
        --documents="$work" --screenshot="$2" --screenshot-window=chart-gallery "$project"
}
picture "$bin/quendix" "$work/gallery.png" || fail "quendix could not picture its chart gallery"
[ -s "$work/gallery.png" ] || fail "quendix saved no picture"
picture "$build/src/ui/quendix" "$work/built.png"
cmp -s "$work/gallery.png" "$work/built.png" ||
    fail "the installed program draws the charts differently from the built one"
# The English texts travel with it too.
cmp -s "$build/src/ui/quendix_en.qm" "$program_dir/quendix_en.qm" ||
    fail "the English translation is not installed beside the program"
cp -a "$root" "$work/bare"
rm -r "$work/bare/usr/lib/quendix/"*.bmp "$work/bare/usr/lib/quendix/mask"
picture "$work/bare/usr/bin/quendix" "$work/bare.png"
! cmp -s "$work/gallery.png" "$work/bare.png" || fail "the charts look the same without pictures"

# The desktop entry is valid, starts the installed program on the file it is given, and
# opens project files, which the file type recognises by their extension.
entry="$root/usr/share/applications/quendix.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the desktop entry"
expect_equal "Exec" "$(sed -n 's/^Exec=//p' "$entry" | head -n 1)" "quendix %f"
# Its English action starts the program in English.
expect_equal "English action" "$(sed -n '/^\[Desktop Action english\]/,$s/^Exec=//p' "$entry")" \
    "quendix --language=en %f"
[ -x "$bin/quendix" ] || fail "the Exec command is not installed"
icon="$(sed -n 's/^Icon=//p' "$entry")"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "icon $icon is not installed"
type="$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$entry")"
expect_equal "MimeType" "$type" "application/x-quendix-project"
cp -r "$root/usr/share/applications" "$work/applications"
update-desktop-database "$work/applications"
grep -qx "$type=quendix.desktop;" "$work/applications/mimeinfo.cache" ||
    fail "the desktop entry is not registered for $type"
cp -r "$root/usr/share/mime" "$work/mime"
update-mime-database "$work/mime" >/dev/null 2>&1
grep -qx "50:$type:\*.qdx" "$work/mime/globs2" || fail "*.qdx is not recognised as $type"
[ -f "$root/usr/share/icons/hicolor/scalable/mimetypes/${type//\//-}.svg" ] ||
    fail "the project file icon is not installed"

# Manual pages made from the programs' help.
for page in qdx quendix; do
    file="$root/usr/share/man/man1/$page.1.gz"
    [ -f "$file" ] || fail "no manual page for $page"
    zcat "$file" | grep -qF -- '\-\-version' || fail "the manual page of $page lacks --version"
done
zcat "$root/usr/share/man/man1/qdx.1.gz" | grep -q "individual" ||
    fail "the manual page of qdx lacks the commands"

# The package as Debian's checker sees it: warnings are shown, errors fail.
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$work/lintian.txt" ||
    fail "lintian reports errors"
echo "package checks passed"
