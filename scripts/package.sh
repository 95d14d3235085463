#!/usr/bin/env bash
# Builds the Debian package zarvex2_VERSION_ARCH.deb in the current folder: the game and its data
# built with Debian's hardening flags, installed into a staging root as `cmake --install` lays it
# out (the program stripped), with its library dependencies found by dpkg-shlibdeps plus the three
# font packages. Then it checks the package: lintian must report no errors, desktop-file-validate
# and appstreamcli must pass on the metadata, and the unpacked package must run from another
# folder with its saves in XDG_DATA_HOME (scripts/check-install.sh).
#   scripts/package.sh
# Needs the test set of scripts/install-deps.sh (lintian, desktop-file-utils, appstream, fakeroot).
# ZARVEX2_MAINTAINER overrides the maintainer named in the package.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
out_dir="$(pwd)"
build="$source_dir/build/package"
stage="$build/stage"
maintainer="${ZARVEX2_MAINTAINER:-Zarvex 2 developers <developers@zarvex.org>}"

# Every hardening feature Debian offers (bindnow included).
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
# The same bytes from the same sources: file times and the changelog's date come from the last
# commit.
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || date +%s)}"

echo "== building the game with Debian's flags"
(
    cd "$source_dir"
    cmake --preset play -B "$build" \
        -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
    cmake --build "$build"
)

version="$("$build/zarvex2" --version | awk '{print $3}')"
arch="$(dpkg --print-architecture)"
deb="$out_dir/zarvex2_${version}_${arch}.deb"

echo "== staging zarvex2 $version ($arch)"
rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr --strip >/dev/null
doc="$stage/usr/share/doc/zarvex2"
changelog_date="$(date -u -R -d "@$SOURCE_DATE_EPOCH")"
printf '%s\n' "zarvex2 ($version) unstable; urgency=medium" "" "  * Release $version." "" \
    " -- $maintainer  $changelog_date" >"$doc/changelog"
gzip -9nf "$doc/changelog"

# dpkg-shlibdeps reads the source package's control file; it gets a minimal one of its own.
shlibs_dir="$build/shlibs"
rm -rf "$shlibs_dir"
mkdir -p "$shlibs_dir/debian"
printf 'Source: zarvex2\n\nPackage: zarvex2\nArchitecture: any\n' >"$shlibs_dir/debian/control"
library_depends="$(cd "$shlibs_dir" && dpkg-shlibdeps -O "$stage/usr/games/zarvex2" 2>/dev/null |
    sed -n 's/^shlibs:Depends=//p')"
[ -n "$library_depends" ] || {
    echo "package: dpkg-shlibdeps found no dependencies" >&2
    exit 1
}

mkdir -p "$stage/DEBIAN"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
cat >"$stage/DEBIAN/control" <<EOF
Package: zarvex2
Version: $version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $library_depends, fonts-dseg, fonts-bebas-neue, fonts-liberation2
Section: games
Priority: optional
Description: top-down arcade racing game against the clock
 Drive up a road that is generated anew for every level, against the clock,
 past traffic, pedestrians and street lamps, picking up bonuses, level after
 level while your lives last. Tokens on the road give points, lives, nitro,
 a machine gun and rockets; the best ten scores are kept.
 .
 Every picture, sound and song of the game is made by its own generator.
EOF

# Debian's permissions, whatever the umask of the build was.
find "$stage" -type d -exec chmod 0755 {} +
find "$stage" -type f -exec chmod 0644 {} +
chmod 0755 "$stage/usr/games/zarvex2"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "== built $deb"

echo "== lintian"
lintian_log="$build/lintian.txt"
lintian --tag-display-limit 0 "$deb" | tee "$lintian_log" || true
if grep -q '^E: ' "$lintian_log"; then
    echo "package: lintian reports errors" >&2
    exit 1
fi

echo "== desktop entry and AppStream metadata"
desktop-file-validate "$stage/usr/share/applications/org.zarvex.Zarvex2.desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/org.zarvex.Zarvex2.metainfo.xml"

echo "== the unpacked package"
unpacked="$build/unpacked"
rm -rf "$unpacked"
dpkg -x "$deb" "$unpacked"
"$source_dir/scripts/check-install.sh" "$unpacked"
echo "package: $deb"
