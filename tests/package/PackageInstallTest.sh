#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into a fresh root and checks the installed
# program: --help and a run of a demo profile from the installed files, the desktop entry, the MIME types of
# profiles and batch files, the icons, the manual page and the bash completion.
# Usage: PackageInstallTest.sh BUILDDIR
set -euo pipefail
build="$1"
work="$(mktemp -d "${TMPDIR:-/tmp}/tolvan-package-XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() { echo "FEHLER: $*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/pkg/tolvan_*.deb)
fields=$(dpkg-deb -f "$deb" Package Version Architecture Depends)
echo "$fields"
grep -qx "Package: tolvan" <<<"$fields" || fail "package name"
grep -q "^Depends:.*libc6" <<<"$fields" || fail "no dependency on libc6 (shlibdeps)"
grep -q "^Depends:.*libqt6widgets6" <<<"$fields" || fail "no dependency on Qt Widgets (shlibdeps)"

root="$work/root"
dpkg -x "$deb" "$root"
usr="$root/usr"
for file in bin/tolvan share/tolvan/help share/applications/tolvan.desktop share/mime/packages/tolvan.xml \
            share/icons/hicolor/scalable/apps/tolvan.svg share/icons/hicolor/scalable/apps/tolvan-lit.svg \
            share/icons/hicolor/48x48/apps/tolvan.png share/icons/hicolor/256x256/apps/tolvan-lit.png \
            share/man/man1/tolvan.1.gz share/bash-completion/completions/tolvan \
            share/doc/tolvan/copyright share/doc/tolvan/changelog.Debian.gz; do
    [ -e "$usr/$file" ] || fail "missing /usr/$file"
done

# The installed program, its settings and log in a home of its own.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
"$usr/bin/tolvan" --help | grep -q -- "--run" || fail "--help"
mkdir -p "$work/Quelle/Briefe" "$work/Ziel"
echo "Lieber Otto" >"$work/Quelle/Briefe/Brief an Otto.txt"
echo "Liebe Anna" >"$work/Quelle/Anna.txt"
"$usr/bin/tolvan" --new-profile "$work/Demo.tvp" "$work/Quelle" "$work/Ziel" --one-way >/dev/null
"$usr/bin/tolvan" --run "$work/Demo.tvp" 2>/dev/null || fail "--run exited with $?"
cmp "$work/Quelle/Briefe/Brief an Otto.txt" "$work/Ziel/Briefe/Brief an Otto.txt" || fail "the run copied nothing"
cmp "$work/Quelle/Anna.txt" "$work/Ziel/Anna.txt" || fail "the run copied nothing"

validation=$(desktop-file-validate "$usr/share/applications/tolvan.desktop" 2>&1) || fail "desktop entry: $validation"
[ -z "$validation" ] || fail "desktop entry: $validation"
grep -qx "Exec=/usr/bin/tolvan %f" "$usr/share/applications/tolvan.desktop" || fail "Exec of the entry"
grep -qx "Icon=tolvan" "$usr/share/applications/tolvan.desktop" || fail "Icon of the entry"

# xdg-mime asks the desktop's own tool (GNOME: gio); without a desktop it would ask file(1), which knows no
# first lines of ours.
update-mime-database "$usr/share/mime"
mime() {
    XDG_DATA_DIRS="$usr/share" XDG_DATA_HOME="$work/empty" XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$1"
}
printf 'Tolvan 6 Profile\r\n' >"$work/Sicherung.tvp"
printf 'Tolvan 6 Batch File\r\n' >"$work/Abend.tvb"
printf 'Tolvan 6 Profile\r\n' >"$work/ohne Endung"
[ "$(mime "$work/Sicherung.tvp")" = application/x-tolvan-profile ] || fail ".tvp is $(mime "$work/Sicherung.tvp")"
[ "$(mime "$work/Abend.tvb")" = application/x-tolvan-batch ] || fail ".tvb is $(mime "$work/Abend.tvb")"
[ "$(mime "$work/ohne Endung")" = application/x-tolvan-profile ] || fail "first line: $(mime "$work/ohne Endung")"

bash -n "$usr/share/bash-completion/completions/tolvan" || fail "bash completion"
gzip -t "$usr/share/man/man1/tolvan.1.gz" || fail "manual page"
echo "Paket in Ordnung: $(basename "$deb")"
