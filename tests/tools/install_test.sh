#!/bin/sh
# Installs a build into a temporary DESTDIR and checks the desktop integration: the files,
# the desktop entry, the MIME package, and that the MIME database built from it tells the
# formats apart by magic and by case-insensitive name. Arguments: BUILD_DIR, GUI (ON or OFF).
set -eu
build=$1 gui=$2 root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
share=$root/usr/share

test -x "$root/usr/bin/tessarine-convert"
xmllint --noout "$share/mime/packages/tessarine.xml"
if [ "$gui" = ON ]; then
    test -x "$root/usr/bin/tessarine"
    desktop-file-validate "$share/applications/tessarine.desktop"
    grep -qx 'Exec=tessarine %f' "$share/applications/tessarine.desktop"
    xmllint --noout "$share/icons/hicolor/scalable/apps/tessarine.svg"
    test -x "$root/usr/bin/tessarine-thumbnailer"
    grep -qx 'Exec=tessarine-thumbnailer -s %s %i %o' "$share/thumbnailers/tessarine.thumbnailer"
    grep -qx 'MimeType=model/x-tessarine-mdx;model/x-tessarine-mdl;' "$share/thumbnailers/tessarine.thumbnailer"
fi

# Only the installed tree and the system's own types; xdg-mime asks GIO under GNOME.
export XDG_DATA_HOME="$share" XDG_DATA_DIRS="$share:/usr/share" XDG_CURRENT_DESKTOP=GNOME
update-mime-database "$share/mime"
printf 'Version {\n\tFormatVersion 800,\n}\nModel "Tiny" {\n}\n' >"$root/tiny.mdl"
"$root/usr/bin/tessarine-convert" "$root/tiny.mdl" "$root/tiny.mdx" >/dev/null
cp "$root/tiny.mdx" "$root/model.dat"
cp "$root/tiny.mdl" "$root/LOUD.MDL"

expect() {
    found=$(xdg-mime query filetype "$root/$1" 2>/dev/null)
    if [ "$found" != "$2" ]; then
        echo "$1: found '$found', expected $2" >&2
        exit 1
    fi
}
expect model.dat model/x-tessarine-mdx
expect tiny.mdl model/x-tessarine-mdl
expect LOUD.MDL model/x-tessarine-mdl

# The installed thumbnailer draws without any display server: a 48 x 48 PNG (size in the header).
if [ "$gui" = ON ]; then
    env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tessarine-thumbnailer" -s 48 "$root/tiny.mdx" "$root/tiny.png"
    [ "$(od -An -tx1 -N24 "$root/tiny.png" | tr -d ' \n')" = 89504e470d0a1a0a0000000d494844520000003000000030 ]
fi
